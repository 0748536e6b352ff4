#include "zolmar/db/list_object.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "zolmar/db/rows/row_criterion.h"

namespace zolmar {

void ListObject::Init(qint32 base, qint32 columns, qint32 rowBase, qint32 rows) {
  base_ = base;
  columns_ = std::max(columns, 0);
  rowBase_ = rowBase;
  rows_.clear();
  indexes_.clear();
  for (qint32 i = 0; i < rows; ++i) rows_.push_back(QVariantList(columns_));
}

qint32 ListObject::AddRow(const QVariantList& values) {
  QVariantList row = values.mid(0, columns_);
  while (row.size() < columns_) row.push_back(QVariant());
  for (auto it = indexes_.begin(); it != indexes_.end(); ++it)
    it.value()[RowCriterion::key(row[it.key()])].insert(rows_.size());
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
  if (!locate(column, row, &c, &r)) return;
  const auto index = indexes_.find(c);
  if (index != indexes_.end()) {
    const QString before = RowCriterion::key(rows_[r][c]);
    auto& rowsBefore = index.value()[before];
    rowsBefore.erase(r);
    if (rowsBefore.empty()) index.value().remove(before);
    index.value()[RowCriterion::key(value)].insert(r);
  }
  rows_[r][c] = value;
}

const ListObject::Index& ListObject::indexOf(qsizetype column) const {
  auto it = indexes_.find(column);
  if (it != indexes_.end()) return it.value();
  Index index;
  for (qsizetype r = 0; r < rows_.size(); ++r) index[RowCriterion::key(rows_[r][column])].insert(r);
  return indexes_.insert(column, std::move(index)).value();
}

qint32 ListObject::Find(qint32 column, const QVariant& value) const {
  const qsizetype c = column - base_;
  if (c < 0 || c >= columns_) return rowBase_ - 1;
  const Index& index = indexOf(c);
  const auto found = index.constFind(RowCriterion::key(value));
  if (found == index.constEnd() || found->empty()) return rowBase_ - 1;
  return rowBase_ + static_cast<qint32>(*found->begin());
}

// Rows below move up, so the indexes are built again on the next Find.
void ListObject::RemoveRow(qint32 row) {
  const qsizetype r = row - rowBase_;
  if (r < 0 || r >= rows_.size()) return;
  rows_.remove(r);
  indexes_.clear();
}

void ListObject::Sort(qint32 column) {
  const qsizetype c = column - base_;
  if (c < 0 || c >= columns_) return;
  indexes_.clear();
  // Each cell is read once, not once per comparison.
  const qsizetype n = rows_.size();
  QVector<QString> texts(n);
  QVector<bool> isText(n);
  for (qsizetype r = 0; r < n; ++r) {
    isText[r] = rows_[r][c].typeId() == QMetaType::QString;
    if (isText[r]) texts[r] = rows_[r][c].toString();
  }
  std::vector<qsizetype> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
    // Plain text order, blanks included, so that keys padded with spaces sort first.
    if (isText[a] || isText[b]) {
      return (isText[a] ? texts[a] : rows_[a][c].toString()) <
             (isText[b] ? texts[b] : rows_[b][c].toString());
    }
    return RowCriterion::compare(rows_[a][c], rows_[b][c]) < 0;
  });
  QVector<QVariantList> sorted;
  sorted.reserve(n);
  for (qsizetype r : order) sorted.push_back(std::move(rows_[r]));
  rows_ = std::move(sorted);
}

}  // namespace zolmar
