#include "zolmar/db/tsql/tsql_dialect.h"

#include <QHash>

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

const TSqlDialect::Function* TSqlDialect::shared(const QString& name) {
  static const QHash<QString, Function> map = {
      {"COALESCE", {1, 99, "coalesce(*)", -1}}, {"ABS", {1, 1, "abs(%1)", 2}}, {"MAX", {1, 1, "max(%1)", -1}},
      {"MIN", {1, 1, "min(%1)", -1}},           {"SUM", {1, 1, "sum(%1)", 2}}, {"AVG", {1, 1, "avg(%1)", 2}},
      {"COUNT", {1, 1, "count(%1)", 2}},
  };
  const auto it = map.constFind(name);
  return it == map.constEnd() ? nullptr : &*it;
}

}  // namespace zolmar
