#pragma once
// The check box a person is acting on in a tree view. A check must change
// once per action of the person: a left press on a node's check box (hit test
// on the state icon) or the space bar on the selected node names the node,
// and only the NodeCheck that follows for that node is applied. A press
// released elsewhere toggles nothing and is forgotten on MouseUp.

#include <QString>

namespace zolmar {
class TreeNode;
class TreeView;
}  // namespace zolmar

namespace arboles {

class MarcaPendiente {
 public:
  void MouseDown(const zolmar::TreeView& tree, qint32 Button, float x, float y);
  void MouseUp() { clave_.clear(); }
  void KeyPress(const zolmar::TreeView& tree, qint32 KeyAscii);
  // True, once, when the node is the one the person acted on.
  bool Tomar(const zolmar::TreeNode& node);
  bool Pendiente() const { return !clave_.isEmpty(); }

 private:
  QString clave_;
};

}  // namespace arboles
