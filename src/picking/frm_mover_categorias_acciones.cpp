// FrmMoverCategorias: the checks both actions share, the merge, the move as a
// new level and the rebuild of the whole tree after either.

#include <QDateTime>
#include <stdexcept>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "picking/frm_mover_categorias.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

const QString kTransaccion = QStringLiteral("Unir Arbol");
const QString kTransaccionMover = QStringLiteral("Mover Arbol");
constexpr char kConfirmacion[] = "Confirmación";
constexpr qint32 kMaxHijos = 255;
constexpr qint32 kMaxNiveles = 8;

}  // namespace

// Messages and their captions in the person's language (callers translate
// a text before filling in its data).
QString FrmMoverCategorias::Traducir(const char* texto) const {
  return oAppGlobal_->Translate(QString::fromUtf8(texto));
}

void FrmMoverCategorias::Informar(const QString& cTexto, qint32 nBotones) {
  oAppGlobal_->ShowMessage(cTexto, nBotones, Traducir("Información"), IconInformation);
}

QString FrmMoverCategorias::NombreDe(qint32 nID) {
  if (nID == 0) return oAppGlobal_->Translate(QStringLiteral("Principal"));
  if (!rsArbol_ || rsArbol_->Find(QStringLiteral("zolmarID=") + QString::number(nID), 0) <= 0)
    return QString();
  return rsArbol_->Field(QStringLiteral("Nombre")).toString().toHtmlEscaped();
}

// The path texts decide containment, so the origin itself, its branch and any
// node whose path text merely begins with the origin's are refused alike.
bool FrmMoverCategorias::ComprobarSeleccion(bool& lHijoUnico, QString& cOrigen, QString& cDestino) {
  lHijoUnico = false;
  const zolmar::TreeNode origen = TreeArbol[0]->Node(ClaveDeId(nSeleccion_[0]));
  const zolmar::TreeNode destino = TreeArbol[1]->Node(ClaveDeId(nSeleccion_[1]));
  if (nSeleccion_[0] == 0 || !origen || !destino || destino.FullPath().contains(origen.FullPath())) {
    Informar(oAppGlobal_->Translate(MensajeNoValida));
    return false;
  }
  const zolmar::TreeNode padre = origen.Parent();
  if (padre && padre.Key() == destino.Key()) {
    if (destino.Children() >= 2) {
      Informar(oAppGlobal_->Translate(MensajeNoValida));
      return false;
    }
    lHijoUnico = true;
  }
  cOrigen = NombreDe(nSeleccion_[0]);
  cDestino = NombreDe(nSeleccion_[1]);
  return true;
}

QString FrmMoverCategorias::TablaReferenciada() const {
  switch (nTipoArbol_) {
    case TipoArbolArticulos:
      return QStringLiteral("Articulos");
    case TipoArbolClientes:
      return QStringLiteral("Clientes");
    case TipoArbolProveedores:
      return QStringLiteral("Proveedores");
    default:
      return QString();
  }
}

void FrmMoverCategorias::Unir() {
  bool hijoUnico = false;
  QString cOrigen, cDestino;
  if (!ComprobarSeleccion(hijoUnico, cOrigen, cDestino)) return;
  if (!hijoUnico) {
    const qint32 hijosOrigen = TreeArbol[0]->Node(ClaveDeId(nSeleccion_[0])).Children();
    const qint32 hijosDestino = TreeArbol[1]->Node(ClaveDeId(nSeleccion_[1])).Children();
    if (hijosOrigen == 0 && hijosDestino > 0) {
      Informar(Traducir("No se puede unir una categoría que no tenga ramas hijas con una que si las tenga."));
      return;
    }
    if (hijosOrigen > 0) {
      Informar(Traducir("No se pueden unir categorías que tengan ramas hijas."));
      return;
    }
  }
  const QVector<Traspaso> traspaso = ContarTraspaso(nSeleccion_[0]);
  const QString pregunta =
      Traducir(
          "Este proceso traspasa las referencias clasificadas en la categoría actual a la "
          "categoría destino,") +
      Traducir("<BR>dejando vacia la categoría de origen") +
      (hijoUnico ? QString() : Traducir(" (y si se quiere pudiéndose borrar).")) +
      QStringLiteral("<BR><BR>") + DescribirTraspaso(traspaso) +
      Traducir("<BR><BR>¿ Desea unir la categoría <B>%1</B> con la categoría <B>%2</B> ?");
  if (!oAppGlobal_->AskYesNo(oAppGlobal_->FormatMessage(pregunta, {cOrigen, cDestino}), 4,
                             Traducir(kConfirmacion), IconQuestion))
    return;
  if (!oAppGlobal_->CopiaDeSeguridad(QString::fromUtf8("Unir categorías"))) return;
  const QString tabla = TablaReferenciada();
  if (tabla.isEmpty() || oAppGlobal_->LockTable(3, true, tabla, 0, QString(), 3)) return;
  // No rollback here: an error raised from now on reaches the host, which
  // rolls the transaction back and frees the lock.
  oCn_->BeginTrans(kTransaccion);
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
  const QString origen = QString::number(nSeleccion_[0]);
  const QString destino = QString::number(nSeleccion_[1]);
  const QString fecha = oCn_->SQLLiteral(QDateTime::currentDateTime());
  if (nTipoArbol_ == TipoArbolArticulos)
    Ejecutar(QStringLiteral("UPDATE Articulos SET ID_Categoria1=") + destino +
             QStringLiteral(", FechaModificacion=") + fecha + QStringLiteral(" WHERE ID_Categoria1=") +
             origen + QStringLiteral(" ; UPDATE Tarifas SET ID_Categoria=") + destino +
             QStringLiteral(" WHERE ID_Categoria=") + origen +
             QStringLiteral(" ; UPDATE GruposComisionesX SET ID_Categoria=") + destino +
             QStringLiteral(" WHERE ID_Categoria=") + origen +
             QStringLiteral(" ; UPDATE ArtCompuestos SET ID_Categoria=") + destino +
             QStringLiteral(" WHERE ID_Categoria=") + origen);
  else
    Ejecutar(QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ID_Grupo=") + destino +
             QStringLiteral(", FechaModificacion=") + fecha + QStringLiteral(" WHERE ID_Grupo=") + origen);
  // Every record classified in the origin goes: the customers' and
  // suppliers' assignments too, none of them twice in the destination.
  if (nTipoArbol_ == TipoArbolArticulos) Ejecutar(ReapuntarAsignaciones(origen, destino));
  oAppGlobal_->LockTable(3, false, tabla, 0, QString(), 3);
  const bool borrar = hijoUnico || oAppGlobal_->AskYesNo(Traducir("¿ Desea borrar la categoría de origen ?"),
                                                         4, Traducir(kConfirmacion), IconQuestion);
  if (borrar) BorrarOrigen();
  RenumerarYRutas();
  oCn_->CommitTrans(kTransaccion, 0);
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
  traspasadas_ = traspaso;
  Reconstruir(borrar);
}

// A node still in use stays; either way the origin selection becomes its
// former parent.
void FrmMoverCategorias::BorrarOrigen() {
  const qint32 origen = nSeleccion_[0];
  if (oTAZ_Arboles_->I_TAZ_SeekID(origen) != origen) return;
  const zolmar::TreeNode padre = TreeArbol[0]->Node(ClaveDeId(origen)).Parent();
  const qint32 idPadre = padre ? IdDeClave(padre.Key()) : 0;
  const QString motivo = oTAZ_Arboles_->CanBeDeleted();
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
  // A category still assigned to a customer or supplier is in use too: its
  // row here would point at nothing.
  const bool asignada =
      motivo.isEmpty() &&
      Valor(QStringLiteral("SELECT COUNT(*) FROM Categorias WHERE ID_Categoria=") + QString::number(origen),
            0)
              .toInt() > 0;
  if (motivo.isEmpty() && !asignada) {
    oAppGlobal_->DeleteComment(oTAZ_Arboles_->I_TAZ_Field(QStringLiteral("id_comentario")).toInt(), 0);
    if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
    Ejecutar(QStringLiteral("DELETE FROM Arboles WHERE ZolmarID=") + QString::number(origen));
  }
  nSeleccion_[0] = idPadre;
}

void FrmMoverCategorias::AnadirNivel() {
  bool hijoUnico = false;
  QString cOrigen, cDestino;
  if (!ComprobarSeleccion(hijoUnico, cOrigen, cDestino)) return;
  const QString destino = QString::number(nSeleccion_[1]);
  const QString tabla = TablaReferenciada();
  if (!tabla.isEmpty()) {
    const QString columna =
        nTipoArbol_ == TipoArbolArticulos ? QStringLiteral("ID_Categoria1") : QStringLiteral("ID_Grupo");
    const qint32 referencias = Valor(QStringLiteral("SELECT count(*) AS Numero FROM ") + tabla +
                                         QStringLiteral(" WHERE ") + columna + QLatin1Char('=') + destino,
                                     0)
                                   .toInt();
    if (referencias > 0) {
      Informar(
          oAppGlobal_->FormatMessage(Traducir("<B>No se puede realizar la operación:</B><BR>") +
                                         Traducir("La categoría de destino esta asignada a %1 referencias."),
                                     {referencias}));
      return;
    }
  }
  if (ExcedeNiveles(nSeleccion_[0], nSeleccion_[1])) {
    Informar(Traducir("No se pueden añadir más niveles"), 1);
    return;
  }
  const qint32 hijos = Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE Tipo=") +
                                 QString::number(nTipoArbol_) + QStringLiteral(" AND ID_Padre=") + destino,
                             0)
                           .toInt();
  if (hijos >= kMaxHijos) {
    Informar(Traducir("No puede crear mas de 255 elementos para un mismo nivel de una rama"), 1);
    return;
  }
  const QString pregunta =
      Traducir("Este proceso añadirá como un nivel más de la categoría de destino") +
      Traducir("<BR>la rama que hayamos elegido del árbol de origen.") +
      Traducir("<BR><BR>¿ Desea añadir la categoría <B>%1</B><BR>como hija de la categoría <B>%2</B> ?");
  if (!oAppGlobal_->AskYesNo(oAppGlobal_->FormatMessage(pregunta, {cOrigen, cDestino}), 4,
                             Traducir(kConfirmacion), IconQuestion))
    return;
  if (!oAppGlobal_->CopiaDeSeguridad(QStringLiteral("Mover rama"))) return;
  // The new parent link and the keys and paths that follow from it stand or
  // fall together: a key left behind would disagree with its parent.
  oCn_->BeginTrans(kTransaccionMover);
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
  Ejecutar(QStringLiteral("UPDATE Arboles SET ID_padre=") + destino + QStringLiteral(" WHERE ZolmarID=") +
           QString::number(nSeleccion_[0]));
  RenumerarYRutas();
  oCn_->CommitTrans(kTransaccionMover, 0);
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
  Reconstruir(hijoUnico);
}

// A key holds eight levels: the branch may not reach deeper under its new
// parent. Its deepest node is found by the segment that would fall outside.
bool FrmMoverCategorias::ExcedeNiveles(qint32 nOrigen, qint32 nDestino) {
  const auto clave = [this](qint32 id) {
    return Valor(QStringLiteral("SELECT Clave FROM Arboles WHERE ZolmarID=") + QString::number(id), QString())
        .toString();
  };
  const QString claveOrigen = clave(nOrigen);
  const qint32 nivelOrigen = oTAZ_Arboles_->ObtenerNivel(claveOrigen);
  const qint32 nivelDestino = nDestino == 0 ? 0 : oTAZ_Arboles_->ObtenerNivel(clave(nDestino));
  const qint32 segmento = kMaxNiveles + nivelOrigen - nivelDestino;  // 1-based, in the origin's key
  if (segmento <= nivelOrigen) return true;
  if (segmento > kMaxNiveles) return false;
  return Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE Tipo=") + QString::number(nTipoArbol_) +
                   QStringLiteral(" AND Clave LIKE ") +
                   oCn_->SQLLiteral(claveOrigen.left(2 * nivelOrigen) + "%") +
                   QStringLiteral(" AND SUBSTRING(Clave,") + QString::number(2 * segmento - 1) +
                   QStringLiteral(",2)<>'00'"),
               0)
             .toInt() > 0;
}

// Keys are renumbered in their present order (a moved branch takes its place
// among its new siblings by its old key), then the paths follow the parents.
void FrmMoverCategorias::RenumerarYRutas() {
  oAppGlobal_->ShowWait(QStringLiteral("Ordenando categorias... Paso 1."));
  oTAZ_Arboles_->OrdenarClavesNombre(nTipoArbol_, false, false);
  oAppGlobal_->ShowWait(QStringLiteral("Ordenando categorias... Paso 2"));
  oTAZ_Arboles_->UpdateRutaPadre(nTipoArbol_, false);
}

void FrmMoverCategorias::Reconstruir(bool lExpandirOrigen) {
  oAppGlobal_->ShowWait(QStringLiteral("Creando arboles de categorias..."));
  CargarArboles(false);
  for (qint32 i = 0; i < 2; ++i) {
    zolmar::TreeNode nodo = TreeArbol[i]->Node(ClaveDeId(nSeleccion_[i]));
    if (!nodo) continue;
    TreeArbol[i]->setSelectedItem(nodo);
    MarcarNodo(i, true, nodo.Key());
    if (i == 0 && lExpandirOrigen) nodo.setExpanded(true);
  }
  oAppGlobal_->ShowWait(QString());
  lRealizada_ = true;
}

}  // namespace arboles
