// The T-SQL functions and conversions, written as the dialect maps them.

#include "zolmar/db/tsql/tsql_emitter.h"

namespace zolmar {

TSqlEmitter::Typed TSqlEmitter::function(const TSqlExpr& e, const Scope& scope) {
  if (e.op == QLatin1String("CAST")) return cast(e, scope);
  const TSqlDialect::Function* m = dialect.function(e.op);
  if (!m) refuse(QStringLiteral("Función no admitida '%1'").arg(e.op));
  if (e.star) {
    if (e.op != QLatin1String("COUNT")) refuse(QStringLiteral("Uso de '*' no admitido en '%1'").arg(e.op));
    return {QStringLiteral("count(*)"), Type::Number};
  }
  const int n = int(e.args.size());
  if (n < m->minArgs || n > m->maxArgs)
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
  QString sql = QString::fromLatin1(m->pattern);
  if (sql.contains('*')) {
    sql.replace('*', args.join(QStringLiteral(", ")));
  } else {
    for (int i = n - 1; i >= 0; --i) sql.replace(QLatin1Char('%') + QString::number(i + 1), args[i]);
  }
  const Type type = m->resultType == 1    ? Type::Text
                    : m->resultType == 2  ? Type::Number
                    : m->resultType == -1 ? first
                                          : Type::Unknown;
  return {sql, type};
}

// The sizes are written into the text, so the statement is emitted again for
// each set of literal values.
TSqlEmitter::Typed TSqlEmitter::cast(const TSqlExpr& e, const Scope& scope) {
  const Typed value = expr(*e.args[0], scope);
  auto size = [&](size_t i) {
    if (i >= e.args.size()) return -1LL;
    inlined = true;
    return literals[e.args[i]->param].toLongLong();
  };
  const QString sql = dialect.cast(value.sql, e.name, size(1), size(2), e.star);
  if (sql.isEmpty()) refuse(QStringLiteral("Tipo no admitido en CAST o CONVERT '%1'").arg(e.name));
  return {sql, e.name.contains(QLatin1String("CHAR")) ? Type::Text : Type::Number};
}

}  // namespace zolmar
