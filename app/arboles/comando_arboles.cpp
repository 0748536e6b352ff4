#include "comando_arboles.h"

#include "comando_informe.h"
#include "comando_informe_categorias.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "categories/taz_categorias.h"
#include "host/host_types.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "tree/bloqueo_tabla.h"
#include "tree/clave_arbol.h"
#include "tree/reconstructor_claves.h"
#include "tree/taz_arboles.h"
#include "tree/verificador_arbol.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/db/schema.h"
#include "zolmar/demo/server_databases.h"
#include "zolmar/host.h"
#include "zolmar/services/message_markup.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/system_error_text.h"

namespace zolmar {

namespace {

const QString kTabla = QStringLiteral("Arboles");

QString filtroTipo(qint32 tipo) { return QStringLiteral("Tipo=") + QString::number(tipo); }

QString contar(qsizetype n, const QString& singular, const QString& plural) {
  return QString::number(n) + QLatin1Char(' ') + (n == 1 ? singular : plural);
}

// A database file starts with this header; anything else is refused before
// the host gets to create a schema in it.
bool pareceBaseDeDatos(const QString& fichero) {
  QFile f(fichero);
  if (!f.open(QIODevice::ReadOnly)) return false;
  return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

}  // namespace

ComandoArboles::ComandoArboles(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

ComandoArboles::~ComandoArboles() = default;

QString ComandoArboles::Uso() {
  return QStringLiteral(
             "uso: arboles --db FICHERO ORDEN ...\n"
             "órdenes:\n"
             "  init [--sample]               crea el esquema (y la empresa de demostración)\n"
             "  show TIPO                     muestra el árbol en orden de clave\n"
             "  check TIPO                    verifica las claves, los enlaces con el padre y las rutas\n"
             "  repair TIPO                   cuelga del primer nivel los nodos inalcanzables, reconstruye "
             "las\n"
             "                                claves a partir de los padres, después las rutas, y verifica\n"
             "  renumber TIPO [--keep-order]  renumera las claves por nombre (o conservando su orden)\n"
             "  paths TIPO                    reconstruye las rutas de los antecesores (RutaPadre)\n"
             "  delete ID                     borra un nodo que nada usa\n"
             "  merge ORIGEN DESTINO [--delete]  traspasa las referencias de ORIGEN a DESTINO (y borra "
             "ORIGEN)\n"
             "  move NODO NUEVO_PADRE         cuelga NODO y su rama de NUEVO_PADRE (0: primer nivel)\n"
             "  import [--exact] DOCUMENTO    importa un documento de árbol (JSON) en su árbol; --exact\n"
             "                                lo reproduce: solo reutiliza el hijo de igual nombre\n"
             "  export TIPO DOCUMENTO         escribe el árbol como documento de intercambio\n"
             "  backup                        copia la base de datos en la carpeta \"Copias de seguridad\"\n"
             "  restore [COPIA]               restaura una copia (sin COPIA: las lista)\n") +
         ComandoInforme::Uso() + ComandoInformeCategorias::Uso() +
         QStringLiteral("\nTIPO: 1 grupos de clientes, 2 grupos de proveedores, 3 categorías de artículos");
}

int ComandoArboles::MalUso(const QString& motivo) {
  err_ << "arboles: " << motivo << "\n" << Uso() << "\n";
  err_.flush();
  return UsoIncorrecto;
}

int ComandoArboles::Error(const QString& mensaje) {
  err_ << "arboles: " << SystemErrorText::Translate(mensaje) << "\n";
  err_.flush();
  return Rechazado;
}

int ComandoArboles::Ejecutar(const QStringList& args) {
  if (args == QStringList{QStringLiteral("--help")} || args == QStringList{QStringLiteral("-h")}) {
    out_ << Uso() << "\n";
    return Correcto;
  }
  if (args.size() < 3 || args.at(0) != QStringLiteral("--db"))
    return MalUso(QStringLiteral("Falta --db FICHERO"));
  const QString fichero = args.at(1);
  fichero_ = fichero;
  const QString orden = args.at(2);
  const QStringList resto = args.mid(3);
  const bool esInit = orden == QStringLiteral("init");
  // A server database ("odbc:...", "postgresql://...") is no file to look at first.
  const bool servidor = Connection::namesServer(fichero);
  if (!servidor && !esInit && !QFileInfo::exists(fichero))
    return MalUso(QStringLiteral("No existe el fichero %1").arg(fichero));
  if (!servidor && QFileInfo(fichero).size() > 0 && !pareceBaseDeDatos(fichero))
    return Error(QStringLiteral("El fichero %1 no es una base de datos").arg(fichero));
  int salida = Rechazado;
  try {
    salida = Despachar(orden, resto);
  } catch (const std::exception& e) {
    Error(QString::fromUtf8(e.what()));
  }
  if (host_) {
    for (const QString& texto : host_->scriptedUserInterface().messageTexts())
      err_ << "arboles: " << SystemErrorText::Translate(MessageMarkupToPlain(texto)) << "\n";
  }
  err_.flush();
  return salida;
}

int ComandoArboles::Despachar(const QString& orden, const QStringList& resto) {
  if (orden == QStringLiteral("init")) return Init(resto);
  if (orden == QStringLiteral("merge") || orden == QStringLiteral("move"))
    return Organizar(orden == QStringLiteral("merge"), resto);
  if (orden == QStringLiteral("import") || orden == QStringLiteral("export"))
    return Intercambio(orden, resto);
  if (orden == QStringLiteral("report")) return Report(resto);
  if (orden == QStringLiteral("report-categorias")) return ReportCategorias(resto);
  if (orden == QStringLiteral("backup") || orden == QStringLiteral("restore")) return Copias(orden, resto);
  const bool conIdentificador = orden == QStringLiteral("delete");
  const QStringList ordenesTipo{"show", "check", "repair", "renumber", "paths"};
  if (!conIdentificador && !ordenesTipo.contains(orden))
    return MalUso(QStringLiteral("Orden desconocida: %1").arg(orden));
  if (resto.isEmpty())
    return MalUso(QStringLiteral("La orden %1 necesita un %2")
                      .arg(orden, conIdentificador ? QStringLiteral("ID") : QStringLiteral("TIPO")));
  bool ok = false;
  const qint32 numero = resto.at(0).toInt(&ok);
  const bool conservarOrden =
      orden == QStringLiteral("renumber") && resto.value(1) == QStringLiteral("--keep-order");
  if (resto.size() > (conservarOrden ? 2 : 1))
    return MalUso(QStringLiteral("Argumento inesperado: %1").arg(resto.last()));
  if (conIdentificador && (!ok || numero <= 0))
    return MalUso(QStringLiteral("ID no válido: %1").arg(resto.at(0)));
  if (!conIdentificador && (!ok || numero < 1 || numero > 3))
    return MalUso(QStringLiteral("El TIPO debe ser 1, 2 o 3, no %1").arg(resto.at(0)));
  if (!AbrirBase()) return Rechazado;
  if (orden == QStringLiteral("show")) return Show(numero);
  if (orden == QStringLiteral("check")) return Check(numero);
  if (orden == QStringLiteral("repair")) return Repair(numero);
  if (orden == QStringLiteral("renumber")) return Renumber(numero, conservarOrden);
  if (orden == QStringLiteral("paths")) return Paths(numero);
  return Delete(numero);
}

bool ComandoArboles::AbrirBase() {
  try {
    host_ = Host::open(fichero_);
  } catch (const std::exception& e) {
    // Host::open names the database first.
    Error(QString::fromUtf8(e.what()));
    return false;
  }
  // Nobody answers questions on a command line: anything the host wants to
  // tell is printed on stderr at the end.
  host_->useScriptedUserInterface();
  auto oAppGlobal = host_->appGlobal();
  taz_ = std::make_shared<arboles::cTAZ_Arboles>();
  if (!taz_->I_TAZ_Configure(oAppGlobal->GetGlobales(), oAppGlobal)) {
    Error(QStringLiteral("La base de datos %1 no tiene la tabla de árboles").arg(NombreBase()));
    return false;
  }
  return true;
}

int ComandoArboles::Report(const QStringList& resto) {
  ComandoInforme informe(out_, err_);
  const QString motivo = informe.Analizar(resto);
  if (!motivo.isEmpty()) return MalUso(motivo);
  if (!AbrirBase()) return Rechazado;
  return informe.Ejecutar(*taz_);
}

int ComandoArboles::ReportCategorias(const QStringList& resto) {
  ComandoInformeCategorias informe(out_, err_);
  const QString motivo = informe.Analizar(resto);
  if (!motivo.isEmpty()) return MalUso(motivo);
  if (!AbrirBase()) return Rechazado;
  auto oAppGlobal = host_->appGlobal();
  arboles::cTAZ_Categorias categorias;
  if (!categorias.I_TAZ_Configure(oAppGlobal->GetGlobales(), oAppGlobal)) {
    return Error(QStringLiteral("La base de datos %1 no tiene la tabla de categorías").arg(NombreBase()));
  }
  return informe.Ejecutar(categorias);
}

// The name shown in messages: a server connection string without its password.
QString ComandoArboles::NombreBase() const { return Connection::displayName(fichero_); }

int ComandoArboles::Init(const QStringList& resto) {
  const bool muestra = resto == QStringList{QStringLiteral("--sample")};
  if (!resto.isEmpty() && !muestra)
    return MalUso(QStringLiteral("Argumento inesperado: %1").arg(resto.first()));
  if (!AbrirBase()) return Rechazado;
  // A SQL Server database is never written on opening: its tables, the
  // installation's and the consultant's databases are created here.
  if (Connection& servidor = *host_->connection(); servidor.isOdbc()) {
    QString error;
    if (!Schema::create(servidor, &error) || !ServerDatabases::create(servidor, &error)) {
      err_ << "arboles: " << NombreBase() << ": " << error << "\n";
      return Rechazado;
    }
  }
  if (muestra) {
    const auto cn = taz_->oGlobales->GetConnection();
    if (cn->ExecuteSQL(QStringLiteral("SELECT COUNT(*) FROM Arboles"), 2, 0).toInt() > 0) {
      err_ << "arboles: "
           << QStringLiteral(
                  "La base de datos %1 ya tiene árboles; la empresa de demostración solo se "
                  "carga en una base de datos vacía")
                  .arg(NombreBase())
           << "\n";
      return Rechazado;
    }
    host_->demoCompany();
  }
  out_ << QStringLiteral("Base de datos %1 preparada").arg(NombreBase())
       << (muestra ? QStringLiteral(" con la empresa de demostración") : QString()) << "\n";
  return Correcto;
}

int ComandoArboles::Bloqueado(qint32 tipo) {
  // A lock that could not even be asked for: the database was busy past its timeout.
  if (const QString error = host_->locks().lastError(); !error.isEmpty()) {
    err_ << "arboles: " << error << "\n";
    return Rechazado;
  }
  err_ << "arboles: "
       << QStringLiteral(
              "El árbol está bloqueado por otro usuario (tabla %1, %2); vuelva a intentarlo más tarde")
              .arg(kTabla, filtroTipo(tipo))
       << ". " << host_->locks().lastHolderText() << "\n";
  return Rechazado;
}

int ComandoArboles::Show(qint32 tipo) {
  const auto cn = taz_->oGlobales->GetConnection();
  const auto rs = arboles::recordsetOf(
      cn->ExecuteSQL(QStringLiteral("SELECT ZolmarID, Clave, Nombre, Activo FROM Arboles WHERE Tipo=") +
                         QString::number(tipo) + QStringLiteral(" ORDER BY Clave, ZolmarID"),
                     5, QVariant()));
  if (!rs) throw std::runtime_error(cn->LastError().toStdString());
  while (rs->Read()) {
    const QString clave = rs->Field(QStringLiteral("Clave")).toString();
    const qint32 nivel = arboles::ClaveArbol::ObtenerNivel(clave);
    out_ << QString(qMax(0, nivel - 1) * 2, QLatin1Char(' ')) << clave << ' '
         << rs->Field(QStringLiteral("ZolmarID")).toInt() << ' '
         << rs->Field(QStringLiteral("Nombre")).toString();
    if (rs->Field(QStringLiteral("Activo")).toInt() & 2) out_ << " [BORRADO]";
    out_ << "\n";
  }
  return Correcto;
}

int ComandoArboles::Check(qint32 tipo) {
  arboles::VerificadorArbol verificador(taz_->oGlobales, tipo);
  const auto problemas = verificador.Verificar();
  qsizetype avisos = 0;
  for (const auto& p : problemas) {
    out_ << (p.aviso ? QStringLiteral("Aviso: ") : QString()) << p.texto << "\n";
    avisos += p.aviso ? 1 : 0;
  }
  if (avisos > 0)
    out_ << QStringLiteral("%1: reconstrúyalas con \"arboles paths %2\"")
                .arg(contar(avisos, "ruta desactualizada", "rutas desactualizadas"), QString::number(tipo))
         << "\n";
  if (avisos == problemas.size()) {
    out_ << QStringLiteral("El árbol de tipo %1 no tiene problemas%2 (%3)")
                .arg(QString::number(tipo), avisos > 0 ? QStringLiteral(" de estructura") : QString(),
                     contar(verificador.Nodos(), "nodo", "nodos"))
         << "\n";
    return Correcto;
  }
  out_ << QStringLiteral("%1 en el árbol de tipo %2")
              .arg(contar(problemas.size() - avisos, "problema", "problemas"), QString::number(tipo))
       << "\n";
  return Rechazado;
}

int ComandoArboles::Repair(qint32 tipo) {
  {
    arboles::BloqueoTabla bloqueo(taz_->oAppGlobal, kTabla, filtroTipo(tipo));
    if (!bloqueo.Obtenido()) return Bloqueado(tipo);
    if (!taz_->oAppGlobal->CopiaDeSeguridad(QString::fromUtf8("Reparar árbol"))) return Rechazado;
    arboles::ReconstructorClaves reconstructor(taz_->oGlobales, tipo);
    reconstructor.Reparar();
    taz_->UpdateRutaPadre(tipo, false);
    for (const auto& n : reconstructor.Reenganchados())
      out_ << QStringLiteral("Colgado del primer nivel: %1 %2").arg(n.id).arg(n.nombre) << "\n";
    out_ << QStringLiteral("Claves y rutas del árbol de tipo %1 reconstruidas").arg(tipo) << "\n";
  }
  return Check(tipo);
}

int ComandoArboles::Renumber(qint32 tipo, bool conservarOrden) {
  arboles::BloqueoTabla bloqueo(taz_->oAppGlobal, kTabla, filtroTipo(tipo));
  if (!bloqueo.Obtenido()) return Bloqueado(tipo);
  if (!conservarOrden && !taz_->oAppGlobal->CopiaDeSeguridad(QStringLiteral("Ordenar por nombre")))
    return Rechazado;
  taz_->OrdenarClavesNombre(tipo, false, !conservarOrden);
  out_ << QStringLiteral("Claves del árbol de tipo %1 renumeradas %2")
              .arg(QString::number(tipo),
                   conservarOrden ? QStringLiteral("conservando su orden") : QStringLiteral("por nombre"))
       << "\n";
  return Correcto;
}

int ComandoArboles::Paths(qint32 tipo) {
  arboles::BloqueoTabla bloqueo(taz_->oAppGlobal, kTabla, filtroTipo(tipo));
  if (!bloqueo.Obtenido()) return Bloqueado(tipo);
  taz_->UpdateRutaPadre(tipo, false);
  out_ << QStringLiteral("Rutas del árbol de tipo %1 reconstruidas").arg(tipo) << "\n";
  return Correcto;
}

int ComandoArboles::Delete(qint32 id) {
  if (taz_->I_TAZ_SeekID(id) != id) {
    // An unknown node is bad usage, as in merge and move.
    return MalUso(QStringLiteral("No existe el nodo %1").arg(id));
  }
  const qint32 tipo = taz_->I_TAZ_Field(QStringLiteral("Tipo")).toInt();
  arboles::BloqueoTabla bloqueo(taz_->oAppGlobal, kTabla, filtroTipo(tipo));
  if (!bloqueo.Obtenido()) return Bloqueado(tipo);
  const QString motivo = taz_->CanBeDeleted();
  if (!motivo.isEmpty()) {
    err_ << "arboles: " << motivo << "\n";
    return Rechazado;
  }
  if (!taz_->Delete()) {
    err_ << "arboles: " << QStringLiteral("El nodo %1 no se ha podido borrar; no se ha cambiado nada").arg(id)
         << "\n";
    return Rechazado;
  }
  out_ << QStringLiteral("Nodo %1 borrado").arg(id) << "\n";
  return Correcto;
}

}  // namespace zolmar
