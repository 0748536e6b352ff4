#pragma once
// Handle to one node of a TreeView. It stays valid until the node is removed
// (Nodes().Clear()); a null handle answers defaults and ignores changes.

#include <QColor>
#include <QString>

class QTreeWidgetItem;

namespace zolmar {

class TreeView;

class TreeNode {
 public:
  TreeNode() = default;
  TreeNode(TreeView* tree, QTreeWidgetItem* item) : tree_(item ? tree : nullptr), item_(item) {}

  bool isNull() const { return item_ == nullptr; }
  explicit operator bool() const { return item_ != nullptr; }
  bool operator==(const TreeNode& other) const { return item_ == other.item_; }
  bool operator!=(const TreeNode& other) const { return item_ != other.item_; }

  QString Key() const;
  QString Text() const;
  // The texts from the top node down to this one, joined with "\\".
  QString FullPath() const;
  void setText(const QString& text);
  // The tree's current node.
  bool Selected() const;
  void setSelected(bool on);
  bool Checked() const;
  // Changed by code: raises no NodeCheck.
  void setChecked(bool on);
  bool Expanded() const;
  void setExpanded(bool on);

  qint32 Children() const;
  // First child (null when none), as the control's Child property.
  TreeNode Child() const;
  TreeNode ChildAt(qint32 index) const;
  TreeNode Next() const;
  // The sibling before this one (null for a first child or the first top node).
  TreeNode Previous() const;
  TreeNode Parent() const;
  TreeNode Root() const;

  // True when no collapsed ancestor hides the node.
  bool Visible() const;
  // Expands the ancestors and scrolls the node into view.
  void EnsureVisible();

  QColor BackColor() const;
  void setBackColor(const QColor& color);
  QColor ForeColor() const;
  void setForeColor(const QColor& color);

  // The deleted mark (the record's "BORRADO" state): the node reads
  // "<text> [BORRADO]" and its text is grey while it is not highlighted.
  // Text() stays the node's own text.
  bool MarkedDeleted() const;
  void setMarkedDeleted(bool on);
  // What the person reads on the node.
  QString DisplayText() const;
  // The highlight of a window's current node: the active title bar colours;
  // off, the plain colours (grey text for a node marked deleted).
  void setHighlighted(bool on);
  bool Highlighted() const;

  QTreeWidgetItem* item() const { return item_; }
  TreeView* tree() const { return tree_; }

 private:
  TreeView* tree_ = nullptr;
  QTreeWidgetItem* item_ = nullptr;
};

}  // namespace zolmar
