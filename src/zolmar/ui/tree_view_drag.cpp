// TreeView: branches dragged and dropped inside one tree.

#include <QDropEvent>
#include <QMimeData>

#include "zolmar/ui/tree_view.h"

namespace zolmar {

const QString TreeView::kDragFormat = QStringLiteral("application/x-zolmar-tree-node");

namespace {

// The tree the drag started in, then the node's key: only trees of the same
// window take each other's nodes (the organisation window's two trees).
QByteArray dragPayload(const TreeView* tree, const QString& key) {
  return QByteArray::number(reinterpret_cast<quintptr>(tree)) + '\n' + key.toUtf8();
}

}  // namespace

void TreeView::setNodeDragDrop(bool on) {
  dragDrop_ = on;
  setDragEnabled(on);
  setAcceptDrops(on);
  viewport()->setAcceptDrops(on);
  setDropIndicatorShown(on);
  setDragDropMode(on ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
  setDefaultDropAction(Qt::MoveAction);
}

QStringList TreeView::mimeTypes() const { return {kDragFormat}; }

QMimeData* TreeView::mimeData(const QList<QTreeWidgetItem*>& items) const {
  if (items.isEmpty()) return nullptr;
  return DragData(TreeNode(const_cast<TreeView*>(this), items.first()).Key());
}

QMimeData* TreeView::DragData(const QString& key) const {
  auto* data = new QMimeData;
  data->setData(kDragFormat, dragPayload(this, key));
  return data;
}

QPoint TreeView::DropPoint(const QString& key, qint32 position) {
  QTreeWidgetItem* item = Node(key).item();
  if (!item) return {};
  scrollToItem(item);
  const QRect r = visualItemRect(item);
  if (position == DropAbove) return {r.center().x(), r.top()};
  if (position == DropBelow) return {r.center().x(), r.bottom()};
  return r.center();
}

void TreeView::dropEvent(QDropEvent* event) {
  const QList<QByteArray> payload = event->mimeData()->data(kDragFormat).split('\n');
  const QPoint at = event->position().toPoint();
  QTreeWidgetItem* target = itemAt(at);
  TreeNode source;
  if (payload.size() == 2)
    for (TreeView* tree : window()->findChildren<TreeView*>())
      if (payload[0] == QByteArray::number(reinterpret_cast<quintptr>(tree)))
        source = tree->Node(QString::fromUtf8(payload[1]));
  if (!dragDrop_ || !isEnabled() || !source || !target) {
    event->ignore();
    return;
  }
  // The edges of a row are the gaps between siblings; its middle is the node.
  const QRect r = visualItemRect(target);
  const int edge = qMax(2, r.height() / 4);
  const qint32 position = at.y() < r.top() + edge      ? DropAbove
                          : at.y() > r.bottom() - edge ? DropBelow
                                                       : DropOnto;
  // Accepted as a copy: Qt must not move nor remove the dragged row itself.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  const TreeNode onto(this, target);
  Raise([&] { emit NodeDrop(source, onto, position); });
}

}  // namespace zolmar
