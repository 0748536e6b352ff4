// FrmArboles: the action buttons (levels, sorting, organisation, references,
// listings) and moving a node among its siblings.

#include <QStringList>

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_ficha_db.h"
#include "host/i_host_objects.h"
#include "host/i_recordset.h"
#include "tree/clave_arbol.h"
#include "tree/lista_referencias.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/list_window.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

void FrmArboles::btnAccion_Click(qint32 Index) {
  switch (Index) {
    case 0:
      if (Campo(QStringLiteral("Activo")).toInt() & 2) {
        Informar(QStringLiteral("No se puede añadir un nivel a una<BR>") +
                 QStringLiteral("ficha que tenga la marca de \"BORRADO\""));
        return;
      }
      AnadirNivel();
      break;
    case 1:
      OrdenarPorNombre();
      break;
    case 2:
      MoverCategorias();
      break;
    case 4:
      VerReferencias();
      break;
    case 5:
      ListarRegistros();
      break;
    default:
      break;  // 3: the import from the price-information service is not started here
  }
}

void FrmArboles::btnOrden_Click(qint32 Index) { MoverPosicion(Index); }

void FrmArboles::MoverCategorias() {
  setEnabled(false);
  oTAZ_Arboles_->MostrarMoverCategorias(nTipoArbol_);
  setEnabled(true);
  btnAccion[2]->setFocus();
  CtlFicha->Refresh();
  ficha_->MoveFirst();
  CtlFicha->ShowCurrent();
  CargarArbol();
  CtlFicha_RecordChanged();
}

void FrmArboles::ListarRegistros() {
  oAppGlobal_->SetWaitState(this, true);
  const qint32 id = IdActual();
  if (nTipoArbol_ == TipoArbolClientes && oClientes_) oClientes_->MostrarInformes(2, true, id);
  if (nTipoArbol_ == TipoArbolProveedores && oProveedores_) oProveedores_->MostrarInformes(2, true, id);
  if (nTipoArbol_ == TipoArbolArticulos && oArticulos_) oArticulos_->MostrarBusquedaComun(2, true, id);
  oAppGlobal_->SetWaitState(this, false);
}

void FrmArboles::OrdenarPorNombre() {
  if (!oAppGlobal_->AskYesNo(QStringLiteral("Este proceso no es reversible<BR>") +
                                 QStringLiteral("¿Desea ordernar todas las fichas por nombre?"),
                             4, QStringLiteral("Confirmación"), IconQuestion))
    return;
  if (!oAppGlobal_->CopiaDeSeguridad(QStringLiteral("Ordenar por nombre"))) return;
  oTAZ_Arboles_->OrdenarClavesNombre(nTipoArbol_, false, true);
  TreeArbol->Nodes().Clear();
  CtlFicha->Refresh();
  CargarArbol();
}

// Exchanges the current node with its previous (Index 0) or next (Index 1)
// sibling, each with its whole branch: only the segment of the node's level
// changes, every key keeps what lies below that level.
void FrmArboles::MoverPosicion(qint32 Index) {
  const QString clave = Campo(QStringLiteral("Clave")).toString();
  const qint32 nivel = ClaveArbol::ObtenerNivel(clave);
  if (nivel < 1) return;
  const QString p = clave.left(2 * (nivel - 1));
  const QString z(2 * (ClaveArbol::Niveles - nivel), QLatin1Char('0'));
  const QString sql = QStringLiteral("SELECT Clave FROM Arboles") + QStringLiteral(" WHERE Tipo=") +
                      QString::number(nTipoArbol_) + QStringLiteral(" AND Clave LIKE '") + p +
                      QStringLiteral("__") + z + QStringLiteral("'") +
                      QStringLiteral(" AND Clave NOT LIKE '") + p + QStringLiteral("00") + z +
                      QStringLiteral("' ORDER BY Clave");
  const auto rs = recordsetOf(Cn()->ExecuteSQL(sql, 5, QVariant()));
  if (!rs) {
    oAppGlobal_->ShowMessage(QStringLiteral("Se ha producido un error seleccinando la rama del árbol"), 0,
                             QStringLiteral("Error"), IconError);
    return;
  }
  QStringList hermanos;
  while (rs->Read()) hermanos << rs->Field(QStringLiteral("Clave")).toString();
  const qsizetype actual = hermanos.indexOf(clave);
  const qsizetype vecino = Index == 0 ? actual - 1 : actual + 1;
  if (actual < 0 || vecino < 0 || vecino >= hermanos.size()) {
    oAppGlobal_->Signal(0);
    return;
  }
  const QString a = clave.left(2 * nivel);
  const QString b = hermanos.at(vecino).left(2 * nivel);
  const QString idsA = IdsDeRama(a);
  const QString idsB = IdsDeRama(b);
  const QString resto = QString::number(2 * (ClaveArbol::Niveles - nivel));
  const auto cn = Cn();
  cn->ExecuteSQL(QStringLiteral("UPDATE Arboles SET Clave=") + cn->SQLLiteral(b) +
                     QStringLiteral(" + RIGHT(Clave,") + resto + QStringLiteral(")") +
                     QStringLiteral(" WHERE ZolmarID IN(") + idsA + QStringLiteral(") ; ") +
                     QStringLiteral("UPDATE Arboles SET Clave=") + cn->SQLLiteral(a) +
                     QStringLiteral(" + RIGHT(Clave,") + resto + QStringLiteral(")") +
                     QStringLiteral(" WHERE ZolmarID IN(") + idsB + QStringLiteral(")"),
                 1, QVariant());
  // The browser's copy of the keys must follow, or the next move would start
  // from the old position.
  CtlFicha->Refresh();
  CargarArbol();
}

QString FrmArboles::IdsDeRama(const QString& prefijo) {
  const auto cn = Cn();
  const auto rs = recordsetOf(
      cn->ExecuteSQL(QStringLiteral("SELECT ZolmarID FROM Arboles ") + QStringLiteral(" WHERE Tipo=") +
                         QString::number(nTipoArbol_) + QStringLiteral(" AND Clave LIKE ") +
                         cn->SQLLiteral(prefijo + QStringLiteral("%")),
                     5, QVariant()));
  QStringList ids;
  while (rs && rs->Read()) ids << QString::number(rs->Field(QStringLiteral("ZolmarID")).toInt());
  return ids.join(QLatin1Char(','));
}

zolmar::ListWindow* FrmArboles::VentanaReferencias() const { return referencias_.data(); }

void FrmArboles::VerReferencias() {
  const QString id = QString::number(IdActual());
  if (Valor(QStringLiteral("SELECT TOP 1 ZolmarID FROM Arboles WHERE ID_Padre=") + id, 0).toInt() > 0) {
    Informar(QStringLiteral("Las referencias solo se pueden ver de los elmentos del último nivel del árbol"));
    return;
  }
  // Any tree but the customers' and suppliers' lists articles.
  const bool grupos = nTipoArbol_ == TipoArbolClientes || nTipoArbol_ == TipoArbolProveedores;
  const QString sql = ListaReferencias::Consulta(grupos ? nTipoArbol_ : TipoArbolArticulos, id);
  const auto rs = recordsetOf(Cn()->ExecuteSQL(sql, 5, QVariant()));
  if (!rs || rs->RecordCount() == 0) {
    Informar(QStringLiteral("No hay referencias"));
    return;
  }
  auto* lista = ListaReferencias::Crear(oAppGlobal_, QStringLiteral("FrmReferenciasArbol"), nTipoArbol_, *rs);
  if (referencias_) referencias_->close();
  referencias_ = lista;
  lista->ShowList(false);
}

}  // namespace arboles
