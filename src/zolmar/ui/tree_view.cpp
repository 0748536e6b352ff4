#include "zolmar/ui/tree_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>

#include "zolmar/ui/event_guard.h"
#include "zolmar/ui/key_codes.h"

namespace zolmar {

// Commits a typed label through AfterLabelEdit instead of writing it straight
// into the item.
class LabelDelegate : public QStyledItemDelegate {
 public:
  explicit LabelDelegate(TreeView* tree) : QStyledItemDelegate(tree), tree_(tree) {}
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line) tree_->commitLabel(tree_->itemFromIndex(index), line->text());
  }

 protected:
  // The deleted mark is shown, never stored in the node's text (nor edited).
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.data(TreeView::DeletedMarkRole).toBool()) option->text += TreeView::DeletedSuffix();
    const QVariant count = index.data(TreeView::CountRole);
    if (count.isValid()) option->text += TreeView::CountSuffix(count.toInt());
  }

 private:
  TreeView* tree_;
};

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent), nodes_(this) {
  setColumnCount(1);
  header()->hide();
  setSortingEnabled(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new LabelDelegate(this));
  connect(this, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* item) { Raise([&] { emit Expand(TreeNode(this, item)); }); });
  connect(this, &QTreeWidget::itemCollapsed, this,
          [this](QTreeWidgetItem* item) { Raise([&] { emit Collapse(TreeNode(this, item)); }); });
}

void TreeView::prepareItem(QTreeWidgetItem* item) const {
  // Not user-checkable: the check is toggled here, once per action, never by Qt.
  item->setFlags(labelEdit_ ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                            : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  if (checkboxes_) item->setData(0, Qt::CheckStateRole, Qt::Unchecked);
}

void TreeView::setCheckboxes(bool on) {
  if (checkboxes_ == on) return;
  checkboxes_ = on;
  QTreeWidgetItemIterator it(this);
  for (; *it; ++it) {
    (*it)->setData(0, Qt::CheckStateRole, on ? QVariant(Qt::Unchecked) : QVariant());
  }
}

void TreeView::setLabelEdit(bool on) {
  if (labelEdit_ == on) return;
  labelEdit_ = on;
  setEditTriggers(on ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                     : QAbstractItemView::NoEditTriggers);
  QTreeWidgetItemIterator it(this);
  for (; *it; ++it)
    (*it)->setFlags(on ? (*it)->flags() | Qt::ItemIsEditable : (*it)->flags() & ~Qt::ItemIsEditable);
}

bool TreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool starts = labelEdit_ && trigger != QAbstractItemView::NoEditTriggers &&
                      (editTriggers() & trigger) && state() != QAbstractItemView::EditingState;
  if (starts && !beginLabelEdit(itemFromIndex(index))) return false;
  return QTreeWidget::edit(index, trigger, event);
}

bool TreeView::beginLabelEdit(QTreeWidgetItem* item) {
  if (!item || !labelEdit_ || !isEnabled()) return false;
  bool cancel = false;
  emit BeforeLabelEdit(TreeNode(this, item), cancel);
  return !cancel;
}

bool TreeView::commitLabel(QTreeWidgetItem* item, QString text) {
  if (!item) return false;
  bool cancel = false;
  emit AfterLabelEdit(TreeNode(this, item), cancel, text);
  if (!cancel) item->setText(0, text);
  return !cancel;
}

bool TreeView::EditLabel(const QString& key, const QString& newText) {
  TreeNode node = Node(key);
  if (!node) return false;
  setCurrentItem(node.item());
  return beginLabelEdit(node.item()) && commitLabel(node.item(), newText);
}

TreeNode TreeView::SelectedItem() const { return TreeNode(const_cast<TreeView*>(this), currentItem()); }

void TreeView::setSelectedItem(const TreeNode& node) { setCurrentItem(node.item()); }

QColor TreeView::ActiveTitleBarColor() {
  return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

QColor TreeView::ActiveTitleBarTextColor() {
  return QApplication::palette().color(QPalette::Active, QPalette::HighlightedText);
}

QColor TreeView::WindowBackgroundColor() {
  return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

QColor TreeView::WindowTextColor() { return QApplication::palette().color(QPalette::Active, QPalette::Text); }

QColor TreeView::DeletedTextColor() {
  const QColor grey = QApplication::palette().color(QPalette::Disabled, QPalette::Text);
  return grey == WindowTextColor() ? QColor(Qt::gray) : grey;
}

QString TreeView::DeletedSuffix() { return QStringLiteral(" [BORRADO]"); }

QString TreeView::CountSuffix(qint32 count) { return QStringLiteral("  (") + QString::number(count) + ")"; }

void TreeView::SetCounts(const QHash<QString, qint32>& byKey, bool showZero) {
  for (QTreeWidgetItemIterator it(this); *it; ++it) {
    const auto found = byKey.constFind(TreeNode(this, *it).Key());
    const QVariant count = found != byKey.constEnd() ? QVariant(found.value())
                           : showZero                ? QVariant(0)
                                                     : QVariant();
    (*it)->setData(0, CountRole, count);
  }
}

QRect TreeView::checkRect(QTreeWidgetItem* item) const {
  if (!checkboxes_) return {};
  QStyleOptionViewItem opt;
  const_cast<TreeView*>(this)->initViewItemOption(&opt);
  opt.rect = visualItemRect(item);
  opt.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  opt.text = TreeNode(const_cast<TreeView*>(this), item).DisplayText();
  opt.checkState = Qt::CheckState(item->data(0, Qt::CheckStateRole).toInt());
  return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, this);
}

TreeView::HitInfo TreeView::HitTest(qint32 x, qint32 y) const {
  const QRect area = viewport()->rect();
  qint32 outside = 0;
  if (y < 0) outside |= Above;
  if (y >= area.height()) outside |= Below;
  if (x < 0) outside |= ToLeft;
  if (x >= area.width()) outside |= ToRight;
  if (outside) return {TreeNode(), outside};
  QTreeWidgetItem* item = itemAt(x, y);
  if (!item) return {TreeNode(), OnNowhere};
  HitInfo hit{TreeNode(const_cast<TreeView*>(this), item), OnItemLabel};
  const QRect rect = visualItemRect(item);
  if (x < rect.left()) {
    const bool onButton = item->childCount() > 0 && x >= rect.left() - indentation();
    hit.flags = onButton ? OnItemButton : OnItemIndent;
  } else if (checkRect(item).contains(x, y)) {
    hit.flags = OnItemStateIcon;
  } else {
    const QRect box = checkRect(item);
    const int textStart = box.isValid() ? box.right() + 4 : rect.left();
    const int textEnd =
        textStart +
        fontMetrics().horizontalAdvance(TreeNode(const_cast<TreeView*>(this), item).DisplayText()) + 8;
    if (x > textEnd) hit.flags = OnItemRight;
  }
  return hit;
}

QPoint TreeView::CheckBoxPoint(const QString& key) {
  TreeNode node = Node(key);
  if (!node) return {-1, -1};
  node.EnsureVisible();
  return checkRect(node.item()).center();
}

QPoint TreeView::LabelPoint(const QString& key) {
  TreeNode node = Node(key);
  if (!node) return {-1, -1};
  node.EnsureVisible();
  const QRect rect = visualItemRect(node.item());
  const QRect box = checkRect(node.item());
  const int left = box.isValid() ? box.right() + 6 : rect.left() + 4;
  return {left, rect.center().y()};
}

qint32 TreeView::buttonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return LeftButton;
    case Qt::RightButton:
      return RightButton;
    case Qt::MiddleButton:
      return MiddleButton;
    default:
      return 0;
  }
}

void TreeView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const HitInfo hit = HitTest(p);
  pressedItem_ = hit.node.item();
  pressedFlags_ = hit.flags;
  Raise([&] {
    emit MouseDown(buttonOf(event->button()), KeyCodes::ShiftFromQt(event->modifiers()), p.x(), p.y());
  });
  if (hit.flags == OnItemStateIcon) {
    event->accept();  // a check-box press neither selects nor toggles yet
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

void TreeView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const HitInfo hit = HitTest(p);
  const bool sameItem = pressedItem_ && hit.node.item() == pressedItem_;
  const bool left = event->button() == Qt::LeftButton;
  if (pressedFlags_ == OnItemStateIcon) {
    event->accept();
    if (left && sameItem && hit.flags == OnItemStateIcon) toggleByUser(pressedItem_);
  } else {
    QTreeWidget::mouseReleaseEvent(event);
    if (sameItem && (hit.flags & (OnItemLabel | OnItemIcon | OnItemRight))) {
      Raise([&] { emit NodeClick(TreeNode(this, pressedItem_)); });
    }
  }
  pressedItem_ = nullptr;
  pressedFlags_ = OnNowhere;
  Raise([&] {
    emit MouseUp(buttonOf(event->button()), KeyCodes::ShiftFromQt(event->modifiers()), p.x(), p.y());
  });
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a press like any other.
  const HitInfo hit = HitTest(event->position().toPoint());
  if (hit.flags == OnItemStateIcon) {
    mousePressEvent(event);
    return;
  }
  Raise([&] {
    emit MouseDown(buttonOf(event->button()), KeyCodes::ShiftFromQt(event->modifiers()),
                   event->position().x(), event->position().y());
  });
  pressedItem_ = hit.node.item();
  pressedFlags_ = hit.flags;
  QTreeWidget::mouseDoubleClickEvent(event);
}

void TreeView::keyPressEvent(QKeyEvent* event) {
  qint32 ascii = KeyCodes::AsciiOf(event);
  if (ascii != 0) {
    Raise([&] { emit KeyPress(ascii); });
    if (ascii == 0) return;
  }
  if (event->key() == Qt::Key_Space) {
    if (checkboxes_ && currentItem()) toggleByUser(currentItem());
    return;
  }
  QTreeWidgetItem* before = currentItem();
  QTreeWidget::keyPressEvent(event);
  if (currentItem() && currentItem() != before) Raise([&] { emit NodeClick(TreeNode(this, currentItem())); });
}

void TreeView::Raise(const std::function<void()>& event) { EventGuard::Run(this, event); }

void TreeView::toggleByUser(QTreeWidgetItem* item) {
  if (!checkboxes_ || !isEnabled()) return;
  TreeNode node(this, item);
  node.setChecked(!node.Checked());
  Raise([&] { emit NodeCheck(node); });
}

void TreeView::sendMouse(QEvent::Type type, const QPoint& p, Qt::MouseButton button) {
  const QPointF local(p);
  const QPointF global(viewport()->mapToGlobal(p));
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
  QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
  QApplication::sendEvent(viewport(), &event);
}

bool TreeView::ClickNode(const QString& key, qint32 button) {
  if (!Node(key) || !isEnabled()) return false;
  const QPoint p = LabelPoint(key);
  const Qt::MouseButton b = button == RightButton ? Qt::RightButton : Qt::LeftButton;
  sendMouse(QEvent::MouseButtonPress, p, b);
  sendMouse(QEvent::MouseButtonRelease, p, b);
  return true;
}

bool TreeView::ClickCheckBox(const QString& key) {
  if (!Node(key) || !isEnabled() || !checkboxes_) return false;
  const QPoint p = CheckBoxPoint(key);
  sendMouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, p, Qt::LeftButton);
  return true;
}

void TreeView::PressKey(qint32 keyAscii) {
  const QString text = keyAscii > 0 ? QString(QChar(keyAscii)) : QString();
  const int key = keyAscii == ' ' ? Qt::Key_Space : keyAscii == 13 ? Qt::Key_Return : keyAscii;
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(this, &event);
}

bool TreeView::CollapseNode(const QString& key) {
  TreeNode node = Node(key);
  if (!node || !isEnabled()) return false;
  node.setExpanded(false);
  return true;
}

bool TreeView::ExpandNode(const QString& key) {
  TreeNode node = Node(key);
  if (!node || !isEnabled()) return false;
  node.setExpanded(true);
  return true;
}

}  // namespace zolmar
