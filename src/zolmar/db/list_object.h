#pragma once
// The host list object: a grid of variants numbered from a base column and
// a base row, as the module's VB-style code addresses it. Find keeps a hash
// index per column, built on first use and kept up to date by SetCell, so a
// Find inside a loop over the rows does not make the loop quadratic.

#include <QHash>
#include <QVector>
#include <set>

#include "host/i_list_object.h"

namespace zolmar {

class ListObject : public arboles::IListObject {
 public:
  void Init(qint32 base, qint32 columns, qint32 rowBase, qint32 rows) override;
  qint32 AddRow(const QVariantList& values = {}) override;
  QVariant Cell(qint32 column, qint32 row) const override;
  void SetCell(qint32 column, qint32 row, const QVariant& value) override;
  qint32 Find(qint32 column, const QVariant& value) const override;
  void Sort(qint32 column) override;
  void RemoveRow(qint32 row) override;
  qint32 RowCount() const override { return static_cast<qint32>(rows_.size()); }

 private:
  using Index = QHash<QString, std::set<qsizetype>>;  // key -> rows
  bool locate(qint32 column, qint32 row, qsizetype* c, qsizetype* r) const;
  const Index& indexOf(qsizetype column) const;

  qint32 base_ = 1;
  qint32 columns_ = 0;
  qint32 rowBase_ = 1;
  QVector<QVariantList> rows_;
  mutable QHash<qsizetype, Index> indexes_;
};

}  // namespace zolmar
