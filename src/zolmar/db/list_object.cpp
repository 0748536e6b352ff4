#include "zolmar/db/list_object.h"

#include <algorithm>

#include "zolmar/db/row_criterion.h"

namespace zolmar {

void ListObject::Init(qint32 base, qint32 columns, qint32 rowBase, qint32 rows) {
  base_ = base;
  columns_ = std::max(columns, 0);
  rowBase_ = rowBase;
  rows_.clear();
  for (qint32 i = 0; i < rows; ++i) rows_.push_back(QVariantList(columns_));
}

qint32 ListObject::AddRow(const QVariantList& values) {
  QVariantList row = values.mid(0, columns_);
  while (row.size() < columns_) row.push_back(QVariant());
  rows_.push_back(row);
  return rowBase_ + RowCount() - 1;
}

bool ListObject::locate(qint32 column, qint32 row, qsizetype* c, qsizetype* r) const {
  *c = column - base_;
  *r = row - rowBase_;
  return *c >= 0 && *c < columns_ && *r >= 0 && *r < rows_.size();
}

QVariant ListObject::Cell(qint32 column, qint32 row) const {
  qsizetype c = 0;
  qsizetype r = 0;
  return locate(column, row, &c, &r) ? rows_[r][c] : QVariant();
}

void ListObject::SetCell(qint32 column, qint32 row, const QVariant& value) {
  qsizetype c = 0;
  qsizetype r = 0;
  if (locate(column, row, &c, &r)) rows_[r][c] = value;
}

qint32 ListObject::Find(qint32 column, const QVariant& value) const {
  const qsizetype c = column - base_;
  if (c < 0 || c >= columns_) return rowBase_ - 1;
  const QString wanted = RowCriterion::key(value);
  for (qsizetype r = 0; r < rows_.size(); ++r)
    if (RowCriterion::key(rows_[r][c]) == wanted) return rowBase_ + static_cast<qint32>(r);
  return rowBase_ - 1;
}

void ListObject::RemoveRow(qint32 row) {
  const qsizetype r = row - rowBase_;
  if (r >= 0 && r < rows_.size()) rows_.remove(r);
}

void ListObject::Sort(qint32 column) {
  const qsizetype c = column - base_;
  if (c < 0 || c >= columns_) return;
  std::stable_sort(rows_.begin(), rows_.end(), [c](const QVariantList& a, const QVariantList& b) {
    const QVariant& x = a[c];
    const QVariant& y = b[c];
    // Plain text order, blanks included, so that keys padded with spaces sort first.
    if (x.typeId() == QMetaType::QString || y.typeId() == QMetaType::QString)
      return x.toString() < y.toString();
    return RowCriterion::compare(x, y) < 0;
  });
}

}  // namespace zolmar
