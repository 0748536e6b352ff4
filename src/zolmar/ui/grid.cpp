#include "zolmar/ui/grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "zolmar/ui/event_guard.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/mask_format.h"
#include "zolmar/ui/row_number_header.h"

namespace zolmar {

namespace {
constexpr int kColorRole = Qt::UserRole + 1;

// Marks writes by code so they raise no CellChange.
struct CodeScope {
  explicit CodeScope(int& depth) : depth_(depth) { ++depth_; }
  ~CodeScope() { --depth_; }
  int& depth_;
};
}  // namespace

Grid::Grid(QWidget* parent)
    : QTableWidget(parent),
      palette_{{10, QColor(255, 255, 225)}, {11, QColor(236, 236, 236)}, {12, QColor(200, 214, 236)}} {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setVerticalHeader(new RowNumberHeader(this));
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  connect(this, &QTableWidget::itemChanged, this, &Grid::onItemChanged);
}

qint32 Grid::AddColumn(const QString& caption, qint32 width, const QString& mask, qint32 kind) {
  CodeScope scope(codeDepth_);
  const int col = columnCount();
  setColumnCount(col + 1);
  setHorizontalHeaderItem(col, new QTableWidgetItem(caption));
  setColumnWidth(col, width);
  columns_.append({mask, kind, false});
  for (int r = 0; r < rowCount(); ++r) prepareRow(r);
  return col;
}

QString Grid::ColumnMask(qint32 col) const {
  return col >= 0 && col < columns_.size() ? columns_[col].mask : QString();
}

void Grid::setColumnLocked(qint32 col, bool locked) {
  if (col < 0 || col >= columns_.size()) return;
  CodeScope scope(codeDepth_);
  columns_[col].locked = locked;
  for (int r = 0; r < rowCount(); ++r) prepareRow(r);
}

void Grid::setRows(qint32 rows) {
  CodeScope scope(codeDepth_);
  const int before = rowCount();
  setRowCount(std::max(0, rows));
  for (int r = before; r < rowCount(); ++r) prepareRow(r);
}

qint32 Grid::AddRow() {
  setRows(rowCount() + 1);
  return rowCount() - 1;
}

void Grid::RemoveRow(qint32 row) {
  if (row >= 0 && row < rowCount()) removeRow(row);
}

void Grid::Clear() { setRows(0); }

void Grid::prepareRow(qint32 row) {
  for (int c = 0; c < columns_.size(); ++c) {
    QTableWidgetItem* it = item(row, c);
    if (!it) {
      it = new QTableWidgetItem();
      setItem(row, c, it);
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (columns_[c].kind == CheckColumn) {
      if (!columns_[c].locked) flags |= Qt::ItemIsUserCheckable;
      if (!it->data(Qt::CheckStateRole).isValid()) it->setCheckState(Qt::Unchecked);
    } else if (!columns_[c].locked) {
      flags |= Qt::ItemIsEditable;
    }
    it->setFlags(flags);
  }
}

QTableWidgetItem* Grid::cell(qint32 row, qint32 col) const {
  if (row < 0 || col < 0 || row >= rowCount() || col >= columns_.size()) return nullptr;
  return item(row, col);
}

QString Grid::TextMatrix(qint32 row, qint32 col) const {
  QTableWidgetItem* it = cell(row, col);
  return it ? it->text() : QString();
}

void Grid::setTextMatrix(qint32 row, qint32 col, const QString& text) { setValue(row, col, text); }

QVariant Grid::Value(qint32 row, qint32 col) const {
  QTableWidgetItem* it = cell(row, col);
  if (!it) return {};
  if (columns_[col].kind == CheckColumn) return it->checkState() == Qt::Checked;
  return it->data(Qt::UserRole);
}

void Grid::setValue(qint32 row, qint32 col, const QVariant& value) {
  QTableWidgetItem* it = cell(row, col);
  if (!it) return;
  CodeScope scope(codeDepth_);
  if (columns_[col].kind == CheckColumn) {
    it->setCheckState(value.toBool() ? Qt::Checked : Qt::Unchecked);
    return;
  }
  it->setData(Qt::UserRole, value);
  it->setText(MaskFormat::Format(value, columns_[col].mask));
}

bool Grid::Checked(qint32 row, qint32 col) const {
  QTableWidgetItem* it = cell(row, col);
  return it && it->checkState() == Qt::Checked;
}

void Grid::setChecked(qint32 row, qint32 col, bool on) { setValue(row, col, on); }

void Grid::setRow(qint32 row) {
  if (row >= 0 && row < rowCount()) setCurrentCell(row, std::max(0, currentColumn()));
}

bool Grid::editable(qint32 row, qint32 col) const {
  return isEnabled() && cell(row, col) && !columns_[col].locked;
}

bool Grid::TypeCell(qint32 row, qint32 col, const QString& text) {
  if (!editable(row, col) || columns_[col].kind != TextColumn) return false;
  setCurrentCell(row, col);
  item(row, col)->setText(text);  // as the cell editor commits it
  return true;
}

bool Grid::TickCell(qint32 row, qint32 col) {
  if (!editable(row, col) || columns_[col].kind != CheckColumn) return false;
  setCurrentCell(row, col);
  QTableWidgetItem* it = item(row, col);
  it->setCheckState(it->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  return true;
}

bool Grid::SelectCell(qint32 row, qint32 col) {
  if (!isEnabled() || !cell(row, col)) return false;
  setCurrentCell(row, col);
  return true;
}

void Grid::onItemChanged(QTableWidgetItem* it) {
  if (codeDepth_ > 0) return;
  const int col = it->column();
  if (col < 0 || col >= columns_.size()) return;
  if (columns_[col].kind == TextColumn) {
    CodeScope scope(codeDepth_);
    it->setData(Qt::UserRole, it->text());
  }
  emit CellChange(it->row(), col);
}

QColor Grid::PaletteColor(qint32 number) const { return palette_.value(number); }

void Grid::setPaletteColor(qint32 number, const QColor& colour) { palette_.insert(number, colour); }

qint32 Grid::CellColor(qint32 row, qint32 col) const {
  QTableWidgetItem* it = cell(row, col);
  return it ? it->data(kColorRole).toInt() : 0;
}

void Grid::setCellColor(qint32 row, qint32 col, qint32 number) {
  QTableWidgetItem* it = cell(row, col);
  if (!it || it->data(kColorRole).toInt() == number) return;
  CodeScope scope(codeDepth_);
  it->setData(kColorRole, number);
  const QColor colour = palette_.value(number);
  if (number == 0 || !colour.isValid())
    it->setData(Qt::BackgroundRole, QVariant());
  else
    it->setBackground(colour);
}

void Grid::setCellToolTip(qint32 row, qint32 col, const QString& text) {
  QTableWidgetItem* it = cell(row, col);
  if (!it || it->toolTip() == text) return;
  CodeScope scope(codeDepth_);
  it->setToolTip(text);
}

void Grid::setCellEditor(get* editor) {
  editor_ = editor;
  if (!editor) return;
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  editor->setParent(viewport());
  editor->setValidateOnFocusOut(false);
  editor->hide();
  editor->lineEdit()->installEventFilter(this);
}

bool Grid::EditorVisible() const { return editor_ && !editor_->isHidden(); }

void Grid::ShowEditor(qint32 row, qint32 col, const QString& text) {
  if (!editor_ || !cell(row, col)) return;
  if (currentRow() != row || currentColumn() != col) {
    HideEditor();
    setCurrentCell(row, col);
  }

  editor_->setText(text);
  placeEditor();
  editor_->show();
  editor_->raise();
  editor_->SetFocus();
}

void Grid::HideEditor() {
  if (!EditorVisible()) return;
  const bool hadFocus = editor_->lineEdit()->hasFocus();
  editor_->hide();
  if (hadFocus) setFocus(Qt::OtherFocusReason);
}

void Grid::placeEditor() {
  if (!editor_) return;
  const QRect r = visualRect(currentIndex());
  if (r.isValid()) editor_->setGeometry(r.adjusted(0, 0, -1, -1));
}

bool Grid::MoveTo(qint32 row, qint32 col) {
  if (!cell(row, col) || (row == currentRow() && col == currentColumn())) return false;
  if (!leaveAllowed() || !cell(row, col)) return false;
  setCurrentCell(row, col);
  return true;
}

// Asked before the cursor leaves the edited cell, while nothing has moved yet.
bool Grid::leaveAllowed() {
  if (!EditorVisible()) return true;
  bool cancel = false;
  EventGuard::Run(this, [&] { emit LeaveCell(currentRow(), currentColumn(), cancel); });
  if (cancel) {
    if (EditorVisible()) editor_->SetFocus();
    return false;
  }
  HideEditor();
  return true;
}

void Grid::BeginEdit(const QString& typed) {
  const qint32 row = currentRow();
  const qint32 col = currentColumn();
  if (!editor_ || !isEnabled() || !cell(row, col)) return;
  if (!EditorVisible()) {
    bool cancel = false;
    EventGuard::Run(this, [&] { emit StartEditing(row, col, cancel); });
    if (cancel || !EditorVisible()) return;
  }
  if (!typed.isEmpty()) editor_->Type(typed);
}

// The editor belongs to one cell: whatever moved the cursor away hides it.
void Grid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (current != previous) HideEditor();
  QTableWidget::currentChanged(current, previous);
}

void Grid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && at != currentIndex() && !leaveAllowed()) return;
  QTableWidget::mousePressEvent(event);
}

void Grid::keyPressEvent(QKeyEvent* event) {
  if (EditorVisible() && !leaveAllowed()) return;
  if (editor_) {
    const bool plain = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (event->key() == Qt::Key_Delete && plain) {
      EventGuard::Run(this, [&] { emit DeleteRequest(currentRow()); });
      return;
    }
    if ((event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        plain) {
      BeginEdit();
      return;
    }
    if (plain && !event->text().isEmpty() && event->text().at(0).isPrint()) {
      BeginEdit(event->text());
      return;
    }
  }
  QTableWidget::keyPressEvent(event);
}

void Grid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!editor_) {
    QTableWidget::mouseDoubleClickEvent(event);
    return;
  }
  // The press before it has usually made the cell current already.
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && (at == currentIndex() || MoveTo(at.row(), at.column()))) BeginEdit();
}

// Keys typed in the editor that move the cursor belong to the grid.
bool Grid::eventFilter(QObject* watched, QEvent* event) {
  if (editor_ && watched == editor_->lineEdit() && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) == 0) {
      switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
          EventGuard::Run(this, [&] { emit MoveOn(currentRow(), currentColumn()); });
          return true;
        case Qt::Key_Up:
          MoveTo(currentRow() - 1, currentColumn());
          return true;
        case Qt::Key_Down:
          MoveTo(currentRow() + 1, currentColumn());
          return true;
        default:
          break;
      }
    }
  }
  return QTableWidget::eventFilter(watched, event);
}

void Grid::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  if (EditorVisible()) placeEditor();
}

void Grid::scrollContentsBy(int dx, int dy) {
  QTableWidget::scrollContentsBy(dx, dy);
  if (EditorVisible()) placeEditor();
}

}  // namespace zolmar
