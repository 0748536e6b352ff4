#include "zolmar/ui/list_window.h"

#include <QEventLoop>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/i_recordset.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/mask_format.h"

namespace zolmar {

ListWindow::ListWindow(QWidget* parent) : FrmBasico(parent) {
  auto* layout = new QVBoxLayout(this);
  search_ = new get(this);
  search_->setToolTipText(tr("Escriba parte del texto para filtrar la lista"));
  table_ = new QTableWidget(this);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  layout->addWidget(search_);
  layout->addWidget(table_, 1);
  resize(600, 400);
  connect(search_, &get::Change, this, &ListWindow::applyFilter);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { ChooseRow(row); });
}

void ListWindow::AddColumn(const QString& field, const QString& caption, qint32 width, const QString& mask) {
  columns_.append({field, mask});
  const int col = table_->columnCount();
  table_->setColumnCount(col + 1);
  table_->setHorizontalHeaderItem(col, new QTableWidgetItem(caption));
  table_->setColumnWidth(col, width);
}

void ListWindow::LoadRows(arboles::IRecordset& rs) {
  fields_.clear();
  for (int i = 0; i < rs.FieldCount(); ++i) fields_ << rs.FieldName(i);
  rows_.clear();
  while (rs.Read()) {
    QVariantList row;
    row.reserve(fields_.size());
    for (const QString& f : fields_) row << rs.Field(f);
    rows_.append(row);
  }
  applyFilter();
}

qint32 ListWindow::fieldIndex(const QString& field) const {
  for (int i = 0; i < fields_.size(); ++i) {
    if (fields_[i].compare(field, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

QString ListWindow::Cell(qint32 visibleRow, qint32 col) const {
  if (visibleRow < 0 || visibleRow >= visible_.size() || col < 0 || col >= columns_.size()) return {};
  return MaskFormat::Format(Value(visibleRow, columns_[col].field), columns_[col].mask);
}

QVariant ListWindow::Value(qint32 visibleRow, const QString& field) const {
  const int f = fieldIndex(field);
  if (visibleRow < 0 || visibleRow >= visible_.size() || f < 0) return {};
  return rows_[visible_[visibleRow]].value(f);
}

void ListWindow::Search(const QString& text) { search_->Type(text); }

void ListWindow::applyFilter() {
  const QString needle = search_->Text().trimmed();
  visible_.clear();
  for (int r = 0; r < rows_.size(); ++r) {
    bool match = needle.isEmpty();
    for (int c = 0; c < columns_.size() && !match; ++c) {
      const int f = fieldIndex(columns_[c].field);
      const QString shown = MaskFormat::Format(f < 0 ? QVariant() : rows_[r].value(f), columns_[c].mask);
      match = shown.contains(needle, Qt::CaseInsensitive);
    }
    if (match) visible_.append(r);
  }
  fillTable();
}

void ListWindow::fillTable() {
  table_->setUpdatesEnabled(false);
  table_->setRowCount(visible_.size());
  for (int r = 0; r < visible_.size(); ++r) {
    for (int c = 0; c < columns_.size(); ++c) {
      auto* item = new QTableWidgetItem(Cell(r, c));
      const QVariant v = Value(r, columns_[c].field);
      if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::Double ||
          v.typeId() == QMetaType::LongLong) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      table_->setItem(r, c, item);
    }
  }
  table_->setUpdatesEnabled(true);
}

bool ListWindow::SelectWhere(const QString& field, const QVariant& value) {
  const int f = fieldIndex(field);
  if (f < 0) return false;
  // Ids arrive as integers or as text depending on the backend: compare as shown.
  const QString wanted = value.toString().trimmed();
  for (int r = 0; r < visible_.size(); ++r) {
    if (rows_[visible_[r]].value(f).toString().trimmed() != wanted) continue;
    table_->setCurrentCell(r, 0);
    table_->selectRow(r);
    table_->scrollToItem(table_->item(r, 0), QAbstractItemView::PositionAtCenter);
    return true;
  }
  return false;
}

qint32 ListWindow::CurrentRow() const { return table_->currentRow(); }

void ListWindow::ShowList(bool modal) {
  chosen_ = -1;
  if (!modal) {
    Show();
    return;
  }
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  connect(this, &FrmBasico::Closed, &loop, &QEventLoop::quit);
  Show();
  if (!IsClosed()) loop.exec();
}

void ListWindow::ChooseRow(qint32 visibleRow) {
  if (visibleRow < 0 || visibleRow >= visible_.size()) return;
  chosen_ = visible_[visibleRow];
  emit RowChosen(chosen_);
  Unload();
}

void ListWindow::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  if (Shift != 0) return;
  if (KeyCode == KeyCodes::Return && table_->currentRow() >= 0) {
    KeyCode = 0;
    ChooseRow(table_->currentRow());
  } else if (KeyCode == KeyCodes::Escape) {
    KeyCode = 0;
    Unload();
  }
}

QVariant ListWindow::ChosenValue(const QString& field) const {
  const int f = fieldIndex(field);
  return chosen_ >= 0 && f >= 0 ? rows_[chosen_].value(f) : QVariant();
}

}  // namespace zolmar
