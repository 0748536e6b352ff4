#include "comando_arboles.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

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
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"

namespace zolmar {

namespace {

const QString kTabla = QStringLiteral("Arboles");

QString filtroTipo(qint32 tipo) { return QStringLiteral("Tipo=") + QString::number(tipo); }

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
      "usage: arboles --db FILE COMMAND\n"
      "commands:\n"
      "  init [--sample]               create the schema (and the demo company)\n"
      "  show TYPE                     print the tree in key order\n"
      "  check TYPE                    verify keys, parent links and paths\n"
      "  repair TYPE                   hang unreachable nodes from the top level, rebuild the keys\n"
      "                                from the parent links, then paths and check\n"
      "  renumber TYPE [--keep-order]  renumber the keys by name (or keeping their order)\n"
      "  paths TYPE                    rebuild the ancestor paths (RutaPadre)\n"
      "  delete ID                     delete a node that nothing uses\n"
      "TYPE: 1 customer groups, 2 supplier groups, 3 article categories");
}

int ComandoArboles::MalUso(const QString& motivo) {
  err_ << "arboles: " << motivo << "\n" << Uso() << "\n";
  err_.flush();
  return UsoIncorrecto;
}

int ComandoArboles::Ejecutar(const QStringList& args) {
  if (args.size() < 3 || args.at(0) != QStringLiteral("--db"))
    return MalUso(QStringLiteral("missing --db FILE"));
  const QString fichero = args.at(1);
  fichero_ = fichero;
  const QString orden = args.at(2);
  const QStringList resto = args.mid(3);
  const bool esInit = orden == QStringLiteral("init");
  // A server database ("odbc:...") is no file to look at first.
  const bool servidor = fichero.startsWith(QStringLiteral("odbc:"), Qt::CaseInsensitive);
  if (!servidor && !esInit && !QFileInfo::exists(fichero))
    return MalUso(QStringLiteral("no database file ") + fichero);
  if (!servidor && QFileInfo(fichero).size() > 0 && !pareceBaseDeDatos(fichero))
    return MalUso(fichero + QStringLiteral(" is not a database"));
  int salida = Rechazado;
  try {
    salida = Despachar(orden, resto);
  } catch (const std::exception& e) {
    err_ << "arboles: " << e.what() << "\n";
  }
  if (host_) {
    for (const QString& texto : host_->scriptedUserInterface().messageTexts())
      err_ << "arboles: " << texto << "\n";
  }
  err_.flush();
  return salida;
}

int ComandoArboles::Despachar(const QString& orden, const QStringList& resto) {
  if (orden == QStringLiteral("init")) return Init(resto);
  const bool conIdentificador = orden == QStringLiteral("delete");
  const QStringList ordenesTipo{"show", "check", "repair", "renumber", "paths"};
  if (!conIdentificador && !ordenesTipo.contains(orden))
    return MalUso(QStringLiteral("unknown command ") + orden);
  if (resto.isEmpty())
    return MalUso(orden + (conIdentificador ? QStringLiteral(" needs an ID") : " needs a TYPE"));
  bool ok = false;
  const qint32 numero = resto.at(0).toInt(&ok);
  const bool conservarOrden =
      orden == QStringLiteral("renumber") && resto.value(1) == QStringLiteral("--keep-order");
  if (resto.size() > (conservarOrden ? 2 : 1)) return MalUso(QStringLiteral("unexpected ") + resto.last());
  if (conIdentificador && (!ok || numero <= 0)) return MalUso(QStringLiteral("bad ID ") + resto.at(0));
  if (!conIdentificador && (!ok || numero < 1 || numero > 3))
    return MalUso(QStringLiteral("TYPE must be 1, 2 or 3, not ") + resto.at(0));
  if (!AbrirBase()) return UsoIncorrecto;
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
    MalUso(Connection::displayName(fichero_) + QStringLiteral(" is not a database: ") +
           QString::fromUtf8(e.what()));
    return false;
  }
  // Nobody answers questions on a command line: anything the host wants to
  // tell is printed on stderr at the end.
  host_->useScriptedUserInterface();
  auto oAppGlobal = host_->appGlobal();
  taz_ = std::make_shared<arboles::cTAZ_Arboles>();
  if (!taz_->I_TAZ_Configure(oAppGlobal->GetGlobales(), oAppGlobal)) {
    MalUso(fichero_ + QStringLiteral(" has no trees table"));
    return false;
  }
  return true;
}

int ComandoArboles::Init(const QStringList& resto) {
  const bool muestra = resto == QStringList{QStringLiteral("--sample")};
  if (!resto.isEmpty() && !muestra) return MalUso(QStringLiteral("unexpected ") + resto.first());
  if (!AbrirBase()) return UsoIncorrecto;
  if (muestra) {
    const auto cn = taz_->oGlobales->GetConnection();
    if (cn->ExecuteSQL(QStringLiteral("SELECT COUNT(*) FROM Arboles"), 2, 0).toInt() > 0) {
      err_ << "arboles: " << fichero_
           << " already holds trees; the demo company goes into an empty database\n";
      return Rechazado;
    }
    host_->sampleData();
  }
  out_ << "Database " << fichero_ << " ready" << (muestra ? " with the demo company" : "") << "\n";
  return Correcto;
}

int ComandoArboles::Bloqueado(qint32 tipo) {
  err_ << "arboles: the tree of type " << tipo << " is locked by another user (table " << kTabla << ", "
       << filtroTipo(tipo) << "); try again later\n";
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
  for (const auto& p : problemas) out_ << p.texto << "\n";
  if (problemas.isEmpty()) {
    out_ << "Tree of type " << tipo << " is sound (" << verificador.Nodos() << " nodes)\n";
    return Correcto;
  }
  out_ << problemas.size() << " problem(s) in the tree of type " << tipo << "\n";
  return Rechazado;
}

int ComandoArboles::Repair(qint32 tipo) {
  {
    arboles::BloqueoTabla bloqueo(taz_->oAppGlobal, kTabla, filtroTipo(tipo));
    if (!bloqueo.Obtenido()) return Bloqueado(tipo);
    arboles::ReconstructorClaves reconstructor(taz_->oGlobales, tipo);
    reconstructor.Reparar();
    taz_->UpdateRutaPadre(tipo, false);
    out_ << "Keys and paths of the tree of type " << tipo << " rebuilt\n";
  }
  return Check(tipo);
}

int ComandoArboles::Renumber(qint32 tipo, bool conservarOrden) {
  arboles::BloqueoTabla bloqueo(taz_->oAppGlobal, kTabla, filtroTipo(tipo));
  if (!bloqueo.Obtenido()) return Bloqueado(tipo);
  taz_->OrdenarClavesNombre(tipo, false, !conservarOrden);
  out_ << "Keys of the tree of type " << tipo << " renumbered "
       << (conservarOrden ? "in key order" : "by name") << "\n";
  return Correcto;
}

int ComandoArboles::Paths(qint32 tipo) {
  arboles::BloqueoTabla bloqueo(taz_->oAppGlobal, kTabla, filtroTipo(tipo));
  if (!bloqueo.Obtenido()) return Bloqueado(tipo);
  taz_->UpdateRutaPadre(tipo, false);
  out_ << "Paths of the tree of type " << tipo << " rebuilt\n";
  return Correcto;
}

int ComandoArboles::Delete(qint32 id) {
  if (taz_->I_TAZ_SeekID(id) != id) {
    err_ << "arboles: there is no node " << id << "\n";
    return Rechazado;
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
    err_ << "arboles: node " << id << " could not be deleted; nothing was changed\n";
    return Rechazado;
  }
  out_ << "Node " << id << " deleted\n";
  return Correcto;
}

}  // namespace zolmar
