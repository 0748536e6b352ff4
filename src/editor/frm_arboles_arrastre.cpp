// FrmArboles: a branch dragged onto another node moves under it as the
// organisation window moves it; dropped between two siblings it moves up or
// down, one position at a time, as the arrow buttons move it.

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_ficha_db.h"
#include "picking/frm_mover_categorias.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

qint32 idDeClave(const QString& clave) { return clave.mid(clave.indexOf(QLatin1Char('=')) + 1).toInt(); }

qint32 posicionEntreHermanos(zolmar::TreeNode nodo) {
  qint32 n = 0;
  while ((nodo = nodo.Previous())) ++n;
  return n;
}

}  // namespace

void FrmArboles::TreeArbol_NodeDrop(const zolmar::TreeNode& source, const zolmar::TreeNode& target,
                                    qint32 position) {
  if (!CtlFicha || CtlFicha->Mode() != zolmar::CtlFicha::Browsing || source.Key() == target.Key()) return;
  if (position == zolmar::TreeView::DropOnto)
    MoverRama(idDeClave(source.Key()), idDeClave(target.Key()));
  else
    MoverEntreHermanos(source, target, position);
}

void FrmArboles::MoverRama(qint32 nOrigen, qint32 nDestino) {
  if (!FrmMoverCategorias::MoverRama(*oTAZ_Arboles_, nTipoArbol_, nOrigen, nDestino)) return;
  CtlFicha->Refresh();
  ficha_->SeekID(nOrigen);
  CtlFicha->ShowCurrent();
  CargarArbol();
  CtlFicha_RecordChanged();
}

void FrmArboles::MoverEntreHermanos(const zolmar::TreeNode& source, const zolmar::TreeNode& target,
                                    qint32 position) {
  // Only a gap among the branch's own siblings is a place in its order.
  if (source.Parent().Key() != target.Parent().Key()) {
    oAppGlobal_->Signal(0);
    return;
  }
  const qint32 desde = posicionEntreHermanos(source);
  const qint32 junto = posicionEntreHermanos(target);
  qint32 hasta = position == zolmar::TreeView::DropAbove ? junto : junto + 1;
  if (hasta > desde) --hasta;  // the branch leaves its own place first
  SeleccionarNodo(source.Key());
  for (qint32 paso = desde; paso != hasta; paso += hasta > desde ? 1 : -1)
    MoverPosicion(hasta > desde ? 1 : 0);
}

}  // namespace arboles
