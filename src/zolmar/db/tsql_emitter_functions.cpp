// The T-SQL functions the translator knows and their SQLite counterparts.

#include <QHash>

#include "zolmar/db/tsql_emitter.h"

namespace zolmar {

namespace {

struct FunctionMapping {
  int minArgs;
  int maxArgs;
  const char* pattern;  // %1.. the arguments; "*" variadic
  int resultType;       // 0 unknown, 1 text, 2 number, -1 type of the first argument
};

const QHash<QString, FunctionMapping>& functionMappings() {
  static const QHash<QString, FunctionMapping> map = {
      {"LEFT", {2, 2, "substr(%1, 1, %2)", 1}},
      {"RIGHT", {2, 2, "tsql_right(%1, %2)", 1}},
      {"SUBSTRING", {3, 3, "tsql_substring(%1, %2, %3)", 1}},
      {"ISNULL", {2, 2, "ifnull(%1, %2)", -1}},
      {"COALESCE", {1, 99, "coalesce(*)", -1}},
      {"ISNUMERIC", {1, 1, "tsql_isnumeric(%1)", 2}},
      {"LEN", {1, 1, "length(rtrim(%1, ' '))", 2}},
      {"GETDATE", {0, 0, "strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')", 1}},
      {"UPPER", {1, 1, "tsql_upper(%1)", 1}},
      {"LOWER", {1, 1, "tsql_lower(%1)", 1}},
      {"LTRIM", {1, 1, "ltrim(%1, ' ')", 1}},
      {"RTRIM", {1, 1, "rtrim(%1, ' ')", 1}},
      {"ABS", {1, 1, "abs(%1)", 2}},
      {"MAX", {1, 1, "max(%1)", -1}},
      {"MIN", {1, 1, "min(%1)", -1}},
      {"SUM", {1, 1, "sum(%1)", 2}},
      {"AVG", {1, 1, "avg(%1)", 2}},
      {"COUNT", {1, 1, "count(%1)", 2}},
      {"SUBARBOLES", {1, 1, "SubArboles(%1)", 1}},
  };
  return map;
}

}  // namespace

TSqlEmitter::Typed TSqlEmitter::function(const TSqlExpr& e, const Scope& scope) {
  const auto it = functionMappings().constFind(e.op);
  if (it == functionMappings().constEnd()) refuse(QStringLiteral("Función no admitida '%1'").arg(e.op));
  const FunctionMapping& m = *it;
  if (e.star) {
    if (e.op != QLatin1String("COUNT")) refuse(QStringLiteral("Uso de '*' no admitido en '%1'").arg(e.op));
    return {QStringLiteral("count(*)"), Type::Number};
  }
  const int n = int(e.args.size());
  if (n < m.minArgs || n > m.maxArgs)
    refuse(QStringLiteral("Número de argumentos incorrecto en '%1'").arg(e.op));
  const bool aggregate = e.op == "COUNT" || e.op == "MAX" || e.op == "MIN" || e.op == "SUM" || e.op == "AVG";
  if (e.distinct && !aggregate) refuse(QStringLiteral("DISTINCT no admitido en '%1'").arg(e.op));
  QStringList args;
  Type first = Type::Unknown;
  for (int i = 0; i < n; ++i) {
    const Typed t = expr(*e.args[i], scope);
    if (i == 0) first = t.type;
    args << t.sql;
  }
  if (e.distinct) args[0] = QStringLiteral("DISTINCT ") + args[0];
  QString sql = QString::fromLatin1(m.pattern);
  if (sql.contains('*')) {
    sql.replace('*', args.join(QStringLiteral(", ")));
  } else {
    for (int i = n - 1; i >= 0; --i) sql.replace(QLatin1Char('%') + QString::number(i + 1), args[i]);
  }
  const Type type = m.resultType == 1    ? Type::Text
                    : m.resultType == 2  ? Type::Number
                    : m.resultType == -1 ? first
                                         : Type::Unknown;
  return {sql, type};
}

}  // namespace zolmar
