#include "zolmar/ui/tree_node.h"

#include <QTreeWidgetItem>

#include "zolmar/ui/tree_view.h"

namespace zolmar {

QString TreeNode::Key() const { return item_ ? item_->data(0, Qt::UserRole).toString() : QString(); }

QString TreeNode::Text() const { return item_ ? item_->text(0) : QString(); }

void TreeNode::setText(const QString& text) {
  if (item_) item_->setText(0, text);
}

bool TreeNode::Selected() const { return item_ && tree_->currentItem() == item_; }

void TreeNode::setSelected(bool on) {
  if (!item_) return;
  if (on) {
    tree_->setCurrentItem(item_);
  } else if (tree_->currentItem() == item_) {
    tree_->setCurrentItem(nullptr);
  }
}

bool TreeNode::Checked() const { return item_ && item_->data(0, Qt::CheckStateRole).toInt() == Qt::Checked; }

void TreeNode::setChecked(bool on) {
  if (item_) item_->setData(0, Qt::CheckStateRole, on ? Qt::Checked : Qt::Unchecked);
}

bool TreeNode::Expanded() const { return item_ && item_->isExpanded(); }

void TreeNode::setExpanded(bool on) {
  if (item_) item_->setExpanded(on);
}

qint32 TreeNode::Children() const { return item_ ? item_->childCount() : 0; }

TreeNode TreeNode::Child() const { return ChildAt(0); }

TreeNode TreeNode::ChildAt(qint32 index) const {
  if (!item_ || index < 0 || index >= item_->childCount()) return {};
  return TreeNode(tree_, item_->child(index));
}

TreeNode TreeNode::Next() const {
  if (!item_) return {};
  QTreeWidgetItem* parent = item_->parent();
  if (parent) {
    const int i = parent->indexOfChild(item_);
    return i + 1 < parent->childCount() ? TreeNode(tree_, parent->child(i + 1)) : TreeNode();
  }
  const int i = tree_->indexOfTopLevelItem(item_);
  return i + 1 < tree_->topLevelItemCount() ? TreeNode(tree_, tree_->topLevelItem(i + 1)) : TreeNode();
}

TreeNode TreeNode::Previous() const {
  if (!item_) return {};
  QTreeWidgetItem* parent = item_->parent();
  if (parent) {
    const int i = parent->indexOfChild(item_);
    return i > 0 ? TreeNode(tree_, parent->child(i - 1)) : TreeNode();
  }
  const int i = tree_->indexOfTopLevelItem(item_);
  return i > 0 ? TreeNode(tree_, tree_->topLevelItem(i - 1)) : TreeNode();
}

TreeNode TreeNode::Parent() const { return item_ ? TreeNode(tree_, item_->parent()) : TreeNode(); }

TreeNode TreeNode::Root() const {
  QTreeWidgetItem* top = item_;
  while (top && top->parent()) top = top->parent();
  return TreeNode(tree_, top);
}

bool TreeNode::Visible() const {
  if (!item_ || item_->isHidden()) return false;
  for (QTreeWidgetItem* p = item_->parent(); p; p = p->parent()) {
    if (!p->isExpanded() || p->isHidden()) return false;
  }
  return true;
}

void TreeNode::EnsureVisible() {
  if (!item_) return;
  for (QTreeWidgetItem* p = item_->parent(); p; p = p->parent()) p->setExpanded(true);
  tree_->scrollToItem(item_);
}

QColor TreeNode::BackColor() const {
  if (!item_) return {};
  const QBrush b = item_->background(0);
  return b.style() == Qt::NoBrush ? TreeView::WindowBackgroundColor() : b.color();
}

void TreeNode::setBackColor(const QColor& color) {
  if (item_) item_->setBackground(0, color);
}

QColor TreeNode::ForeColor() const {
  if (!item_) return {};
  const QBrush b = item_->foreground(0);
  return b.style() == Qt::NoBrush ? TreeView::WindowTextColor() : b.color();
}

void TreeNode::setForeColor(const QColor& color) {
  if (item_) item_->setForeground(0, color);
}

QString TreeNode::FullPath() const {
  QString path = Text();
  for (TreeNode p = Parent(); p; p = p.Parent()) path = p.Text() + QLatin1Char('\\') + path;
  return path;
}

bool TreeNode::MarkedDeleted() const { return item_ && item_->data(0, TreeView::DeletedMarkRole).toBool(); }

void TreeNode::setMarkedDeleted(bool on) {
  if (!item_ || MarkedDeleted() == on) return;
  const bool highlighted = Highlighted();
  item_->setData(0, TreeView::DeletedMarkRole, on ? QVariant(true) : QVariant());
  if (!highlighted) setHighlighted(false);
}

QString TreeNode::DisplayText() const {
  QString text = MarkedDeleted() ? Text() + TreeView::DeletedSuffix() : Text();
  if (item_ && item_->data(0, TreeView::CountRole).isValid())
    text += TreeView::CountSuffix(item_->data(0, TreeView::CountRole).toInt());
  return text;
}

void TreeNode::setHighlighted(bool on) {
  if (!item_) return;
  setBackColor(on ? TreeView::ActiveTitleBarColor() : TreeView::WindowBackgroundColor());
  setForeColor(on                ? TreeView::ActiveTitleBarTextColor()
               : MarkedDeleted() ? TreeView::DeletedTextColor()
                                 : TreeView::WindowTextColor());
}

bool TreeNode::Highlighted() const {
  return item_ && item_->background(0).style() != Qt::NoBrush &&
         item_->background(0).color() == TreeView::ActiveTitleBarColor();
}

}  // namespace zolmar
