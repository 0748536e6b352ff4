#pragma once
// The host's list object (a small grid of variants).

#include <QVariant>

namespace arboles {

class IListObject {
 public:
  virtual ~IListObject() = default;
  virtual void Init(qint32 base, qint32 columns, qint32 rowBase, qint32 rows) = 0;
  // Returns the new row's number.
  virtual qint32 AddRow(const QVariantList& values = {}) = 0;
  virtual QVariant Cell(qint32 column, qint32 row) const = 0;
  virtual void SetCell(qint32 column, qint32 row, const QVariant& value) = 0;
  // Row of the first cell in the column equal to value; 0 (below the base) when none.
  virtual qint32 Find(qint32 column, const QVariant& value) const = 0;
  virtual void Sort(qint32 column) = 0;
  // Later rows move up one place.
  virtual void RemoveRow(qint32 row) = 0;
  virtual qint32 RowCount() const = 0;
};

}  // namespace arboles
