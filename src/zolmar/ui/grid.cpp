#include "zolmar/ui/grid.h"

#include <QHeaderView>

#include "zolmar/ui/mask_format.h"

namespace zolmar {

namespace {
// Marks writes by code so they raise no CellChange.
struct CodeScope {
  explicit CodeScope(int& depth) : depth_(depth) { ++depth_; }
  ~CodeScope() { --depth_; }
  int& depth_;
};
}  // namespace

Grid::Grid(QWidget* parent) : QTableWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
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

}  // namespace zolmar
