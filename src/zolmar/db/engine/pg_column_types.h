#pragma once
// The declared column types of a PostgreSQL schema, read from the server's
// catalogue (tables found through the search path).

#include "zolmar/db/engine/cached_column_types.h"

struct pg_conn;

namespace zolmar {

class PgColumnTypes : public CachedColumnTypes {
 public:
  explicit PgColumnTypes(pg_conn* conn) : conn_(conn) {}

 private:
  bool load(const QString& table, Columns* columns) const override;

  pg_conn* conn_;
};

}  // namespace zolmar
