#pragma once
// Column types read from the schema of an open SQLite handle (main and attached
// databases), remembered per table.

#include <QHash>

#include "zolmar/db/tsql_translator.h"

struct sqlite3;

namespace zolmar {

class TSqlSchemaTypes : public ColumnTypes {
 public:
  explicit TSqlSchemaTypes(sqlite3* db) : db(db) {}

  QString columnType(const QString& table, const QString& column) const override;

  // Forget what was read (after the schema changed).
  void clear() { tables.clear(); }

 private:
  sqlite3* db;
  mutable QHash<QString, QHash<QString, QString>> tables;  // lower-case table -> lower-case column -> type
};

}  // namespace zolmar
