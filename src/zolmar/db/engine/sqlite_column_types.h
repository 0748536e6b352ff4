#pragma once
// The declared column types of an SQLite database (and of the databases
// attached to it).

#include "zolmar/db/engine/cached_column_types.h"

struct sqlite3;

namespace zolmar {

class SqliteColumnTypes : public CachedColumnTypes {
 public:
  explicit SqliteColumnTypes(sqlite3* db) : db_(db) {}

 private:
  // table may carry its database: "ZolmarInstalacion.IBIC".
  bool load(const QString& table, Columns* columns) const override;

  sqlite3* db_;
};

}  // namespace zolmar
