// FrmMoverCategorias: a branch dragged onto another node is the move
// "Añadir como un nuevo nivel", from this window or from the editor's tree.

#include "picking/frm_mover_categorias.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

void FrmMoverCategorias::TreeArbol_NodeDrop(const zolmar::TreeNode& Origen, const zolmar::TreeNode& Destino,
                                            qint32 Posicion) {
  // Between two nodes there is no order to change here: the keys follow the names.
  if (Posicion != zolmar::TreeView::DropOnto) return;
  const QString origen = Origen.Key();
  const QString destino = Destino.Key();
  MoverSeleccion(0, TreeArbol[0]->Node(origen));
  MoverSeleccion(1, TreeArbol[1]->Node(destino));
  btnAccion[1]->Click();
}

bool FrmMoverCategorias::MoverRama(cTAZ_Arboles& oTAZ, qint32 nTipoArbol, qint32 nOrigen, qint32 nDestino) {
  FrmMoverCategorias frm;
  if (!frm.Preparar(oTAZ, nTipoArbol)) return false;
  frm.Load();
  frm.MoverSeleccion(0, frm.TreeArbol[0]->Node(ClaveDeId(nOrigen)));
  frm.MoverSeleccion(1, frm.TreeArbol[1]->Node(ClaveDeId(nDestino)));
  frm.btnAccion_Click(1);
  const bool hecho = frm.AccionRealizada();
  frm.Unload();
  return hecho;
}

}  // namespace arboles
