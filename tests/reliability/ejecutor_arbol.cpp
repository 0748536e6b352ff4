#include "ejecutor_arbol.h"

#include <algorithm>

#include <QSet>

#include "editor/frm_arboles.h"
#include "host/i_ficha_db.h"
#include "host/i_globales.h"
#include "picking/frm_mover_categorias.h"
#include "tree/reconstructor_claves.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"

using arboles::FrmArboles;
using zolmar::CtlFicha;

namespace {

QString K(qint32 id) { return QStringLiteral("K=") + QString::number(id); }

QString Segmento(qint32 n) { return QString::number(n, 16).toUpper().rightJustified(2, QLatin1Char('0')); }

// Mixed case so that sorting by name is not sorting by case; the counter
// keeps names unique and of one length, so no path text contains another.
const char* const kSilabas[] = {"Ca", "ab", "Ze", "mo", "Ri", "tu", "Lo", "es"};

}  // namespace

EjecutorArbol::EjecutorArbol(zolmar::Host& host, std::shared_ptr<arboles::cTAZ_Arboles> taz, qint32 tipo)
    : host_(host), cn_(host.connection()), taz_(std::move(taz)), tipo_(tipo) {}

EjecutorArbol::~EjecutorArbol() = default;

QString EjecutorArbol::NombreNuevo() {
  ++contador_;
  return QString::fromLatin1(kSilabas[(contador_ * 5) % 8]) +
         QString::number(contador_).rightJustified(4, '0');
}

qint32 EjecutorArbol::Elegir(uint32_t eleccion, const QVector<qint32>& candidatos) const {
  return candidatos.isEmpty() ? -1 : candidatos[static_cast<qsizetype>(eleccion % candidatos.size())];
}

QString EjecutorArbol::Nodo(qint32 id) const {
  if (id == 0) return QStringLiteral("raíz");
  return QStringLiteral("%1 '%2'").arg(id).arg(modelo_.Nombre(id));
}

QString EjecutorArbol::TablaPrincipal() const {
  return tipo_ == 1   ? QStringLiteral("Clientes")
         : tipo_ == 2 ? QStringLiteral("Proveedores")
                      : QStringLiteral("Articulos");
}

bool EjecutorArbol::SoloHijosMarcados(qint32 id) const {
  const auto& hijos = modelo_.Hijos(id);
  return !hijos.isEmpty() &&
         std::all_of(hijos.begin(), hijos.end(), [this](qint32 h) { return modelo_.Borrado(h); });
}

bool EjecutorArbol::EnUso(qint32 id) const {
  return !modelo_.Hijos(id).isEmpty() ||
         modelo_.Referencias(id, {TablaPrincipal(), QStringLiteral("Tarifas"),
                                  QStringLiteral("GruposComisionesX"), QStringLiteral("ArtCompuestos")}) > 0;
}

void EjecutorArbol::Sembrar(const std::vector<uint32_t>& padres) {
  QMap<qint32, QString> prefijo{{0, QString()}};
  QVector<qint32> ids;
  for (uint32_t eleccion : padres) {
    QVector<qint32> posibles{0};
    for (qint32 id : ids)
      if (modelo_.Nivel(id) < 8) posibles << id;
    const qint32 padre = Elegir(eleccion, posibles);
    const QString nombre = NombreNuevo();
    const QString clave =
        (prefijo[padre] + Segmento(modelo_.Hijos(padre).size() + 1)).leftJustified(16, QLatin1Char('0'));
    const qint32 id =
        cn_->ExecuteSQL(
               QStringLiteral("INSERT INTO Arboles (Tipo, Clave, Nombre, id_padre, Activo, RutaPadre) "
                              "VALUES (%1, '%2', '%3', %4, 0, %5)")
                   .arg(tipo_)
                   .arg(clave, nombre)
                   .arg(padre)
                   .arg(cn_->SQLLiteral(modelo_.Ruta(padre) +
                                        (padre ? modelo_.Nombre(padre) + QLatin1Char(':') : QString()))),
               9, 0)
            .toInt();
    modelo_.Anadir(id, padre, nombre);
    prefijo[id] = prefijo[padre] + Segmento(modelo_.Hijos(padre).size());
    ids << id;
  }
  for (qsizetype i = 0; i < ids.size(); ++i) {
    const uint32_t e = padres[i];
    if (e % 4 == 0 && modelo_.Hijos(ids[i]).isEmpty()) Sembrar(TablaPrincipal(), ids[i]);
    if (tipo_ != 3) continue;
    if (e % 7 == 1) Sembrar(QStringLiteral("Tarifas"), ids[i]);
    if (e % 11 == 2) Sembrar(QStringLiteral("GruposComisionesX"), ids[i]);
    if (e % 13 == 3) Sembrar(QStringLiteral("ArtCompuestos"), ids[i]);
    // A few owners only, so that merges meet an assignment the destination already has.
    if (e % 3 == 2) Sembrar(QStringLiteral("Categorias"), ids[i], static_cast<qint32>(e / 3 % 4) + 1);
  }
  taz_->I_TAZ_FichaDB()->Reload();
}

void EjecutorArbol::Sembrar(const QString& tabla, qint32 nodo, qint32 quien) {
  QString sql;
  if (tabla == QLatin1String("Categorias"))
    sql = QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (%1, %2, %3)")
              .arg(quien % 2 + 1)
              .arg(quien)
              .arg(nodo);
  else if (tabla == QLatin1String("Tarifas"))
    sql = QStringLiteral(
              "INSERT INTO Tarifas (Nombre, ID_GrupoClientes, ID_Categoria) VALUES ('Mayoristas', 7, %1)")
              .arg(nodo);
  else if (tabla == QLatin1String("GruposComisionesX"))
    sql =
        QStringLiteral("INSERT INTO GruposComisionesX (Id_grupo, ID_Categoria, Comision) VALUES (5, %1, 2.5)")
            .arg(nodo);
  else if (tabla == QLatin1String("ArtCompuestos"))
    sql = QStringLiteral("INSERT INTO ArtCompuestos (ID_Compuesto, ID_Categoria, Cantidad) VALUES (9, %1, 1)")
              .arg(nodo);
  else
    sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(tabla, ModeloArbol::Columna(tabla)).arg(nodo);
  const qint32 fila = cn_->ExecuteSQL(sql, 9, 0).toInt();
  modelo_.Referenciar(tabla, fila, nodo, quien);
}

std::unique_ptr<FrmArboles> EjecutorArbol::AbrirEditor() {
  auto f = std::make_unique<FrmArboles>();
  if (!f->Run(*taz_, tipo_, false)) return nullptr;
  return f;
}

QString EjecutorArbol::Aplicar(const OperacionArbol& op) {
  using O = OperacionArbol;
  host_.scriptedUserInterface().clear();
  descripcion_ = QString::fromUtf8(NombreDe(op.tipo));
  const qint32 id = Elegir(op.nodo, modelo_.Nodos());
  switch (op.tipo) {
    case O::AnadirHermano:
    case O::AnadirHijo:
      if (id < 0 && op.tipo == O::AnadirHijo) return {};
      return AnadirNodo(id, op.tipo == O::AnadirHijo);
    case O::Renombrar:
      return id < 0 ? QString() : Renombrar(id);
    case O::Borrar:
    case O::Marcar:
      return Borrar(op.nodo, op.tipo == O::Marcar);
    case O::Desmarcar:
      return Desmarcar(op.nodo);
    case O::Importar:
      return Importar(op);
    case O::Subir:
    case O::Bajar:
      return id < 0 ? QString() : Orden(id, op.tipo == O::Subir ? 0 : 1);
    case O::Ordenar:
      return Ordenar();
    case O::Renumerar:
    case O::Rutas:
    case O::Reparar:
      return Mantener(op.tipo);
    case O::Mover:
    case O::Unir:
      return id < 0 ? QString() : Organizar(op);
  }
  return {};
}

QString EjecutorArbol::AnadirNodo(qint32 desde, bool hijo) {
  auto f = AbrirEditor();
  if (!f) return QStringLiteral("el editor no se abre");
  const qint32 padre = desde < 0 ? 0 : hijo ? desde : modelo_.Padre(desde);
  const QString nombre = NombreNuevo();
  descripcion_ += QStringLiteral(" '%1' bajo %2").arg(nombre, Nodo(padre));
  // Adding a level asks whether anything uses the node; a sibling does not.
  const QStringList usos{QStringLiteral("Clientes"), QStringLiteral("Proveedores"),
                         QStringLiteral("Articulos"), QStringLiteral("Categorias")};
  const bool rechazo = (hijo && modelo_.Nivel(padre) >= 8) || modelo_.Hijos(padre).size() >= 255 ||
                       (hijo && modelo_.Referencias(padre, usos) > 0) ||
                       (padre != 0 && modelo_.Borrado(padre));
  if (desde >= 0) f->TreeArbol->ClickNode(K(desde));
  if (hijo)
    f->btnAccion[0]->Click();
  else
    f->CtlFicha->pressNew();
  const bool anadiendo = f->CtlFicha->Mode() == CtlFicha::Adding;
  if (anadiendo == rechazo) {
    f->Unload();
    return rechazo ? QStringLiteral("se esperaba un rechazo") : QStringLiteral("rechazado sin motivo");
  }
  if (rechazo) {
    f->Unload();
    return {};
  }
  f->getNombre->setText(nombre);
  f->btnGuardar->Click();
  if (f->CtlFicha->Mode() != CtlFicha::Browsing) return QStringLiteral("no se ha guardado");
  modelo_.Anadir(f->CtlFicha->FichaDB()->CurrentID(), padre, nombre);
  f->Unload();
  return {};
}

// Saving a marked node takes its mark away, unless its parent carries one.
QString EjecutorArbol::Renombrar(qint32 id) {
  auto f = AbrirEditor();
  if (!f) return QStringLiteral("el editor no se abre");
  const QString nombre = NombreNuevo();
  descripcion_ +=
      QStringLiteral(" %1%2 a '%3'").arg(Nodo(id), modelo_.Borrado(id) ? " [BORRADO]" : "", nombre);
  const bool rechazo = modelo_.Borrado(id) && modelo_.Borrado(modelo_.Padre(id));
  f->TreeArbol->ClickNode(K(id));
  f->CtlFicha->pressEdit();
  if ((f->CtlFicha->Mode() == CtlFicha::Editing) == rechazo) {
    f->Unload();
    return rechazo ? QStringLiteral("se esperaba un rechazo") : QStringLiteral("rechazado sin motivo");
  }
  if (rechazo) {
    f->Unload();
    return {};
  }
  f->getNombre->setText(nombre);
  f->btnGuardar->Click();
  if (f->CtlFicha->Mode() != CtlFicha::Browsing) return QStringLiteral("no se ha guardado");
  modelo_.Renombrar(id, nombre);
  modelo_.Marcar(id, false);
  f->Unload();
  return {};
}

QString EjecutorArbol::Desmarcar(uint32_t eleccion) {
  QVector<qint32> marcados;
  for (qint32 id : modelo_.Nodos())
    if (modelo_.Borrado(id)) marcados << id;
  const qint32 id = Elegir(eleccion, marcados);
  return id < 0 ? QString() : Renombrar(id);
}

// The editor's delete button: a node nothing uses goes, one in use gets the mark.
QString EjecutorArbol::Borrar(uint32_t eleccion, bool usados) {
  QVector<qint32> candidatos;
  for (qint32 id : modelo_.Nodos())
    if (!SoloHijosMarcados(id) && EnUso(id) == usados) candidatos << id;
  const qint32 id = Elegir(eleccion, candidatos);
  if (id < 0) return {};
  descripcion_ += QLatin1Char(' ') + Nodo(id);
  auto f = AbrirEditor();
  if (!f) return QStringLiteral("el editor no se abre");
  f->TreeArbol->ClickNode(K(id));
  host_.scriptedUserInterface().queueAnswer(true);  // "¿Desea borrar la ficha ...?"
  f->CtlFicha->pressDelete();
  f->Unload();
  if (usados)
    modelo_.Marcar(id, true);
  else
    modelo_.Quitar(id);
  return {};
}

QString EjecutorArbol::Orden(qint32 id, qint32 boton) {
  descripcion_ += QLatin1Char(' ') + Nodo(id);
  auto f = AbrirEditor();
  if (!f) return QStringLiteral("el editor no se abre");
  f->TreeArbol->ClickNode(K(id));
  f->btnOrden[boton]->Click();
  f->Unload();
  modelo_.Intercambiar(id, boton == 0 ? -1 : 1);
  return {};
}

QString EjecutorArbol::Ordenar() {
  auto f = AbrirEditor();
  if (!f) return QStringLiteral("el editor no se abre");
  host_.scriptedUserInterface().queueAnswer(true);
  f->btnAccion[1]->Click();
  f->Unload();
  modelo_.OrdenarPorNombre();
  return {};
}

QString EjecutorArbol::Mantener(OperacionArbol::Tipo tipo) {
  switch (tipo) {
    case OperacionArbol::Renumerar:
      taz_->OrdenarClavesNombre(tipo_, true, false);
      break;
    case OperacionArbol::Rutas:
      taz_->UpdateRutaPadre(tipo_);
      break;
    default:
      arboles::ReconstructorClaves(taz_->oGlobales, tipo_).Reparar();
      taz_->UpdateRutaPadre(tipo_, false);
      modelo_.OrdenarPorId();
      break;
  }
  return {};
}

// Empty when the organisation window should act; else why it should refuse.
QString EjecutorArbol::PrevisionOrganizar(qint32 origen, qint32 destino, bool unir) const {
  if (modelo_.EnRama(destino, origen)) return QStringLiteral("destino dentro de la rama");
  const bool hijoUnico = modelo_.Padre(origen) == destino;
  if (hijoUnico && modelo_.Hijos(destino).size() >= 2) return QStringLiteral("ya es su padre");
  if (unir) {
    if (!hijoUnico && !modelo_.Hijos(destino).isEmpty()) return QStringLiteral("destino con ramas");
    if (!hijoUnico && !modelo_.Hijos(origen).isEmpty()) return QStringLiteral("origen con ramas");
    return {};
  }
  if (modelo_.Referencias(destino, {TablaPrincipal()}) > 0) return QStringLiteral("destino con referencias");
  if (modelo_.Hijos(destino).size() >= 255) return QStringLiteral("destino lleno");
  if (modelo_.Nivel(destino) + modelo_.Altura(origen) > 8) return QStringLiteral("más de 8 niveles");
  return {};
}

void EjecutorArbol::AplicarOrganizar(qint32 origen, qint32 destino, bool unir, bool borrar) {
  const bool hijoUnico = modelo_.Padre(origen) == destino;
  if (unir) {
    modelo_.Reapuntar(origen, destino);
    if ((hijoUnico || borrar) && modelo_.Hijos(origen).isEmpty()) modelo_.Quitar(origen);
    return;
  }
  if (hijoUnico) return;
  // The moved branch takes its place among its new siblings by its old key.
  const QMap<qint32, QString> claves = ClavesActuales();
  qint32 posicion = 0;
  for (qint32 h : modelo_.Hijos(destino))
    if (claves.value(h) < claves.value(origen)) ++posicion;
  modelo_.Colgar(origen, destino, posicion);
}

QString EjecutorArbol::Organizar(const OperacionArbol& op) {
  const bool unir = op.tipo == OperacionArbol::Unir;
  QVector<qint32> origenes = modelo_.Nodos();
  if (unir) origenes.removeIf([this](qint32 id) { return SoloHijosMarcados(id); });  // a merge may delete it
  const qint32 origen = Elegir(op.nodo, origenes);
  if (origen < 0) return {};
  QVector<qint32> destinos = modelo_.Nodos();
  if (!unir) destinos.prepend(0);  // "Principal"; merging into it would leave records without a category
  const qint32 destino = Elegir(op.destino, destinos);
  const bool borrar = unir && op.opcion;
  descripcion_ += QStringLiteral(" %1 -> %2%3").arg(Nodo(origen), Nodo(destino), borrar ? ", borrando" : "");
  const QString motivo = PrevisionOrganizar(origen, destino, unir);
  auto& ui = host_.scriptedUserInterface();
  arboles::FrmMoverCategorias frm;
  if (!frm.Run(*taz_, tipo_)) return QStringLiteral("la ventana no se abre");
  if (!frm.TreeArbol[0]->ClickNode(K(origen)) || !frm.TreeArbol[1]->ClickNode(K(destino))) {
    frm.Unload();
    return QStringLiteral("nodos que la ventana no muestra");
  }
  ui.queueAnswer(true);
  if (unir) ui.queueAnswer(borrar);
  frm.btnAccion[unir ? 0 : 1]->Click();
  const bool hecho = frm.AccionRealizada();
  frm.Unload();
  if (hecho != motivo.isEmpty())
    return hecho ? QStringLiteral("hecho pese a: ") + motivo : QStringLiteral("rechazado sin motivo");
  if (hecho) AplicarOrganizar(origen, destino, unir, borrar);
  return {};
}

QMap<qint32, QString> EjecutorArbol::ClavesActuales() const {
  QMap<qint32, QString> claves;
  const arboles::SqlArray filas =
      Leer(QStringLiteral("SELECT ZolmarID, Clave FROM Arboles WHERE Tipo=%1").arg(tipo_));
  for (qint32 r = 0; r < filas.rows; ++r) claves.insert(filas.at(0, r).toInt(), filas.at(1, r).toString());
  return claves;
}
