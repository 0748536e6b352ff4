#include "zolmar/db/tsql/tsql_dialect.h"

#include "zolmar/db/tsql/tsql_pg_dialect.h"
#include "zolmar/db/tsql/tsql_sqlite_dialect.h"

namespace zolmar {

const TSqlDialect& TSqlDialect::sqlite() {
  static const TSqlSqliteDialect dialect;
  return dialect;
}

const TSqlDialect& TSqlDialect::postgres() {
  static const TSqlPgDialect dialect;
  return dialect;
}

}  // namespace zolmar
