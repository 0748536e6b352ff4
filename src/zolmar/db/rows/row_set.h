#pragma once
// A record set held in memory: the rows of one query, read forwards or by
// position, searched with criteria (equality through a hash index per
// column, built on first use) and, in mode 7, written in memory.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <array>
#include <utility>

#include "host/host_types.h"
#include "host/i_recordset.h"
#include "zolmar/db/rows/row_criterion.h"

namespace zolmar {

class RowSet : public arboles::IRecordset {
 public:
  using Row = QVector<QVariant>;
  RowSet(QStringList columns, QVector<Row> rows, bool writable);

  bool Read() override;
  qint32 RecordCount() const override { return static_cast<qint32>(rows_.size()); }
  qint32 Position() const override { return position_; }
  void SetPosition(qint32 position) override;
  bool MoveNext() override;
  bool Eof() const override { return rows_.isEmpty() || position_ > RecordCount(); }

  qint32 FieldCount() const override { return static_cast<qint32>(columns_.size()); }
  QString FieldName(qint32 index) const override { return columns_.value(index); }
  QVariant Field(const QString& name) const override;
  void SetField(const QString& name, const QVariant& value) override;
  bool AddRow(const QVariantList& values) override;

  qint32 Find(const QString& criterion, qint32 start = 0) override;
  void Sort(const QString& order) override;
  qint32 RemoveWhere(const QString& criterion) override;
  QString QuoteCriterion(const QString& value) const override { return RowCriterion::quote(value); }

  // -1 when there is no such column.
  int columnIndex(const QString& name) const;
  // 0-based row and column.
  const QVariant& value(qsizetype row, int column) const { return rows_[row][column]; }
  void setValue(qsizetype row, int column, const QVariant& value);
  void appendRow(Row row);
  void removeRow(qsizetype row);
  bool isWritable() const { return writable_; }
  // Error of the last criterion that could not be parsed.
  QString lastError() const { return lastError_; }

  static arboles::SqlArray toSqlArray(const QVector<Row>& rows);

 private:
  using Index = QHash<QString, QVector<qsizetype>>;  // key -> rows, ascending
  bool rowMatches(qsizetype row, const QVector<RowCriterion::Term>& terms, const QVector<int>& cols) const;
  bool resolve(const QVector<RowCriterion::Term>& terms, QVector<int>* cols);
  const Index& indexOf(int column);
  void invalidateIndexes() { indexes_.clear(); }
  bool current(qsizetype* row) const;

  QStringList columns_;
  QHash<QString, int> columnIndex_;         // upper-case name -> column
  mutable QHash<QString, int> exactIndex_;  // names as callers spell them, found without folding
  // The names asked for last, recognised by their data (a literal's never
  // moves, and holding the string keeps its data from being reused) without
  // hashing them: a loop asks for the same few names row after row.
  mutable std::array<std::pair<QString, int>, 8> recent_;
  mutable size_t nextRecent_ = 0;
  QVector<Row> rows_;
  bool writable_;
  qint32 position_ = 0;
  QHash<int, Index> indexes_;
  QString lastError_;
};

}  // namespace zolmar
