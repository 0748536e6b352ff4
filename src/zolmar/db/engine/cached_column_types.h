#pragma once
// Declared column types read from the database, for the translator's '+':
// each table's columns read once, on first use, until clear().

#include <QHash>
#include <QString>

#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

class CachedColumnTypes : public ColumnTypes {
 public:
  // "" when unknown.
  QString columnType(const QString& table, const QString& column) const override;
  void clear() { tables_.clear(); }

 protected:
  using Columns = QHash<QString, QString>;  // upper-case column -> upper-case declared type
  // False when the table has no columns (it may be created later).
  virtual bool load(const QString& table, Columns* columns) const = 0;

 private:
  mutable QHash<QString, Columns> tables_;  // upper-case table -> its columns
};

}  // namespace zolmar
