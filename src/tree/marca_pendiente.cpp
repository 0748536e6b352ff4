#include "tree/marca_pendiente.h"

#include <QtMath>

#include "zolmar/ui/tree_view.h"

namespace arboles {

void MarcaPendiente::MouseDown(const zolmar::TreeView& tree, qint32 Button, float x, float y) {
  clave_.clear();
  if (Button != zolmar::TreeView::LeftButton) return;
  const zolmar::TreeView::HitInfo hit = tree.HitTest(qRound(x), qRound(y));
  if ((hit.flags & zolmar::TreeView::OnItemStateIcon) && hit.node) clave_ = hit.node.Key();
}

void MarcaPendiente::KeyPress(const zolmar::TreeView& tree, qint32 KeyAscii) {
  if (KeyAscii != 32) return;
  const zolmar::TreeNode actual = tree.SelectedItem();
  clave_ = actual ? actual.Key() : QString();
}

bool MarcaPendiente::Tomar(const zolmar::TreeNode& node) {
  if (clave_.isEmpty() || !node || node.Key() != clave_) return false;
  clave_.clear();
  return true;
}

}  // namespace arboles
