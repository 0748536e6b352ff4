#pragma once
// Declared column types read from the database, for the translator's '+'.

#include <QHash>
#include <QString>

#include "zolmar/db/tsql/tsql_translator.h"

struct sqlite3;

namespace zolmar {

class SqliteColumnTypes : public ColumnTypes {
 public:
  explicit SqliteColumnTypes(sqlite3* db) : db_(db) {}
  // table may carry its database: "ZolmarInstalacion.IBIC". "" when unknown.
  QString columnType(const QString& table, const QString& column) const override;
  void clear() { tables_.clear(); }

 private:
  using Columns = QHash<QString, QString>;  // upper-case column -> declared type
  bool load(const QString& table, Columns* columns) const;

  sqlite3* db_;
  mutable QHash<QString, Columns> tables_;  // upper-case table -> its columns
};

}  // namespace zolmar
