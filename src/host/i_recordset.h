#pragma once
// A record set returned by ExecuteSQL (modes 5, 6, 7).

#include <QString>
#include <QVariant>

namespace arboles {

class IRecordset {
 public:
  virtual ~IRecordset() = default;

  // Moves to the next row; False once past the last one. A fresh record set
  // stands before its first row.
  virtual bool Read() = 0;
  virtual qint32 RecordCount() const = 0;
  // 1-based position of the current row; 0 before the first row,
  // RecordCount() + 1 past the last.
  virtual qint32 Position() const = 0;
  virtual void SetPosition(qint32 position) = 0;
  // Moves one row on; False when that leaves the last row behind.
  virtual bool MoveNext() = 0;
  virtual bool Eof() const = 0;

  virtual qint32 FieldCount() const = 0;
  virtual QString FieldName(qint32 index) const = 0;
  // Case-insensitive field names, as the database gives them.
  virtual QVariant Field(const QString& name) const = 0;
  // Mode 7 record sets only: changes the row in memory.
  virtual void SetField(const QString& name, const QVariant& value) = 0;
  // Writable record sets only: appends a row (values in field order) and
  // makes it current. False when the set is read-only or the values do not
  // match its fields.
  virtual bool AddRow(const QVariantList& values) = 0;

  // Criterion: "col=value", "col<>value", "col>value", "col LIKE 'x*'", joined
  // with AND; text values quoted with QuoteCriterion. Searches from row
  // start+1 (start 0: from the first row); makes the found row current and
  // returns its position, or 0 when nothing matches.
  virtual qint32 Find(const QString& criterion, qint32 start = 0) = 0;
  // "col [ASC|DESC], ..."
  virtual void Sort(const QString& order) = 0;
  // Removes the rows matching the criterion; returns how many went.
  virtual qint32 RemoveWhere(const QString& criterion) = 0;
  // Quotes a text value for a criterion so that an apostrophe is data.
  virtual QString QuoteCriterion(const QString& value) const = 0;
};

}  // namespace arboles
