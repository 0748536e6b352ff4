#pragma once
// The host list object: a grid of variants numbered from a base column and
// a base row, as the module's VB-style code addresses it.

#include <QVector>

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
  bool locate(qint32 column, qint32 row, qsizetype* c, qsizetype* r) const;

  qint32 base_ = 1;
  qint32 columns_ = 0;
  qint32 rowBase_ = 1;
  QVector<QVariantList> rows_;
};

}  // namespace zolmar
