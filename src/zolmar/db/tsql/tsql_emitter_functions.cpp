// The T-SQL functions the translator knows and their SQLite counterparts.

#include <QHash>
#include <QSet>

#include "zolmar/db/tsql/tsql_emitter.h"

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
  if (e.op == QLatin1String("CAST")) return cast(e, scope);
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

// The sizes are written into the text, so the statement is emitted again for
// each set of literal values.
TSqlEmitter::Typed TSqlEmitter::cast(const TSqlExpr& e, const Scope& scope) {
  const Typed value = expr(*e.args[0], scope);
  auto size = [&](size_t i, qlonglong otherwise) {
    if (i >= e.args.size()) return QString::number(otherwise);
    inlined = true;
    return QString::number(literals[e.args[i]->param].toLongLong());
  };
  const QString& type = e.name;
  const QString text = QStringLiteral("CAST(") + value.sql + QStringLiteral(" AS TEXT)");
  const bool varying = type == QLatin1String("VARCHAR") || type == QLatin1String("NVARCHAR");
  if (varying && e.star) return {text, Type::Text};
  if (varying)
    return {QStringLiteral("substr(") + text + QStringLiteral(", 1, ") + size(1, 30) + ')', Type::Text};
  if (type == QLatin1String("CHAR") || type == QLatin1String("NCHAR")) {
    const QString n = size(1, 30);
    return {QStringLiteral("substr(printf('%-*s', ") + n + QStringLiteral(", ") + text +
                QStringLiteral("), 1, ") + n + ')',
            Type::Text};
  }
  static const QSet<QString> integers = {"INT", "INTEGER", "BIGINT", "SMALLINT", "TINYINT"};
  if (integers.contains(type))
    return {QStringLiteral("CAST(") + value.sql + QStringLiteral(" AS INTEGER)"), Type::Number};
  if (type == QLatin1String("FLOAT") || type == QLatin1String("REAL"))
    return {QStringLiteral("CAST(") + value.sql + QStringLiteral(" AS REAL)"), Type::Number};
  if (type == QLatin1String("DECIMAL") || type == QLatin1String("NUMERIC") ||
      type == QLatin1String("MONEY")) {
    const QString scale = type == QLatin1String("MONEY") ? QStringLiteral("4") : size(2, 0);
    return {QStringLiteral("round(CAST(") + value.sql + QStringLiteral(" AS REAL), ") + scale + ')',
            Type::Number};
  }
  refuse(QStringLiteral("Tipo no admitido en CAST o CONVERT '%1'").arg(type));
}

}  // namespace zolmar
