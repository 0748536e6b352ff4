#pragma once
// Tree view with keyed nodes, check boxes that change once per user action,
// and the control's events (node click, check, expand, collapse, keys, mouse).
//
// Check boxes: Qt never toggles them on its own. A left click whose press and
// release both land on a node's check box, or the space bar on the current
// node, toggles that node exactly once and raises NodeCheck; a click then
// raises MouseUp after NodeCheck. Checked changed by code raises nothing.
// Mouse coordinates are pixels of the tree's viewport.

#include <QEvent>
#include <QHash>
#include <QPoint>
#include <QTreeWidget>
#include <functional>

#include "zolmar/ui/tree_node.h"
#include "zolmar/ui/tree_nodes.h"

namespace zolmar {

class TreeView : public QTreeWidget {
  Q_OBJECT
 public:
  // Hit-test flags.
  enum HitFlag : qint32 {
    OnNowhere = 1,
    OnItemIcon = 2,
    OnItemLabel = 4,
    OnItemIndent = 8,
    OnItemButton = 16,
    OnItemRight = 32,
    OnItemStateIcon = 64,
    Above = 0x100,
    Below = 0x200,
    ToRight = 0x400,
    ToLeft = 0x800,
  };
  struct HitInfo {
    TreeNode node;
    qint32 flags = OnNowhere;
  };
  // Mouse buttons as the events report them.
  enum MouseButton : qint32 { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

  explicit TreeView(QWidget* parent = nullptr);

  TreeNodes& Nodes() { return nodes_; }
  const TreeNodes& Nodes() const { return nodes_; }
  TreeNode Node(const QString& key) const { return nodes_.Item(key); }

  bool Visible() const { return !isHidden(); }
  bool Enabled() const { return isEnabled(); }
  bool Checkboxes() const { return checkboxes_; }
  void setCheckboxes(bool on);
  // Labels the person may rename (F2 or a click on the selected node).
  bool LabelEdit() const { return labelEdit_; }
  void setLabelEdit(bool on);
  TreeNode SelectedItem() const;
  void setSelectedItem(const TreeNode& node);

  HitInfo HitTest(qint32 x, qint32 y) const;
  HitInfo HitTest(const QPoint& p) const { return HitTest(p.x(), p.y()); }
  // Centre points a person aims at (viewport pixels), after scrolling the node into view.
  QPoint CheckBoxPoint(const QString& key);
  QPoint LabelPoint(const QString& key);

  // Highlight colours: the active title bar and its text; plain nodes use the
  // window background and text.
  static QColor ActiveTitleBarColor();
  static QColor ActiveTitleBarTextColor();
  static QColor WindowBackgroundColor();
  static QColor WindowTextColor();
  // Nodes marked deleted: grey text and this suffix after their text.
  static QColor DeletedTextColor();
  static QString DeletedSuffix();  // " [BORRADO]"
  static constexpr int DeletedMarkRole = Qt::UserRole + 1;
  // How many records use a node, shown after its text ("  (12)") and never
  // stored in it; no number is shown for a node without one.
  static constexpr int CountRole = Qt::UserRole + 2;
  static QString CountSuffix(qint32 count);
  // Every node gets the count of its key; a key missing counts 0 when
  // showZero, else the node shows no number (counts off).
  void SetCounts(const QHash<QString, qint32>& byKey, bool showZero);

  // The person's actions. Each goes through the same handlers as the real
  // mouse and keyboard; False when the node is missing or the tree refuses.
  bool ClickNode(const QString& key, qint32 button = LeftButton);
  bool ClickCheckBox(const QString& key);
  void PressKey(qint32 keyAscii);
  bool CollapseNode(const QString& key);
  // Renames the node as a person typing newText would: BeforeLabelEdit, then
  // AfterLabelEdit; True when the new text was kept.
  bool EditLabel(const QString& key, const QString& newText);
  bool ExpandNode(const QString& key);

  // Branches dragged onto a node or between two (tree_view_drag.cpp). Off
  // until the window turns it on; the tree never moves a node itself: it
  // raises NodeDrop and the window decides, then fills the tree again.
  enum DropPosition : qint32 { DropOnto = 0, DropAbove = 1, DropBelow = 2 };
  static const QString kDragFormat;
  void setNodeDragDrop(bool on);
  bool NodeDragDrop() const { return dragDrop_; }
  // What a drag of the node carries (the same a person's drag starts with).
  QMimeData* DragData(const QString& key) const;
  // Where a person drops onto, above or below the node (viewport pixels).
  QPoint DropPoint(const QString& key, qint32 position);

 signals:
  void NodeClick(const zolmar::TreeNode& node);
  void NodeCheck(const zolmar::TreeNode& node);
  void Collapse(const zolmar::TreeNode& node);
  void Expand(const zolmar::TreeNode& node);
  // KeyAscii may be set to 0 to swallow the key.
  void KeyPress(qint32& KeyAscii);
  void MouseDown(qint32 button, qint32 shift, float x, float y);
  void MouseUp(qint32 button, qint32 shift, float x, float y);
  // Cancel refuses the edit; NewString may be changed before it is kept.
  void BeforeLabelEdit(const zolmar::TreeNode& node, bool& Cancel);
  void AfterLabelEdit(const zolmar::TreeNode& node, bool& Cancel, QString& NewString);
  // A node dragged from this tree (or another of its window) was dropped at position of target.
  void NodeDrop(const zolmar::TreeNode& source, const zolmar::TreeNode& target, qint32 position);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Every event reaches the window under the host's error handling.
  void Raise(const std::function<void()>& event);
  friend class TreeNodes;
  friend class TreeNode;
  void prepareItem(QTreeWidgetItem* item) const;
  QRect checkRect(QTreeWidgetItem* item) const;
  void toggleByUser(QTreeWidgetItem* item);
  friend class LabelDelegate;
  bool beginLabelEdit(QTreeWidgetItem* item);
  bool commitLabel(QTreeWidgetItem* item, QString text);
  void sendMouse(QEvent::Type type, const QPoint& p, Qt::MouseButton button);
  static qint32 buttonOf(Qt::MouseButton button);

  TreeNodes nodes_;
  bool checkboxes_ = false;
  bool labelEdit_ = false;
  QTreeWidgetItem* pressedItem_ = nullptr;
  qint32 pressedFlags_ = OnNowhere;
  bool dragDrop_ = false;
};

}  // namespace zolmar
