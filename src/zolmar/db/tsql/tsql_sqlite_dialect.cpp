#include "zolmar/db/tsql/tsql_sqlite_dialect.h"

#include <QHash>
#include <QSet>

namespace zolmar {

QString TSqlSqliteDialect::name(const QString& name) const {
  QString q = name;
  q.replace('"', QLatin1String("\"\""));
  return '"' + q + '"';
}

QString TSqlSqliteDialect::param(int index) const { return QLatin1Char('?') + QString::number(index + 1); }

QString TSqlSqliteDialect::table(const QString& database, const QString& table) const {
  return name(database) + '.' + name(table);
}

// SQLite compares with a column's declared collation; anything else would be
// compared byte by byte.
QString TSqlSqliteDialect::collate(const QString& sql) const {
  return sql + QStringLiteral(" COLLATE ES_CI_AS");
}

QString TSqlSqliteDialect::orderByOutput(const QString& name, TSqlType type, bool plain) const {
  return type == TSqlType::Text && !plain ? collate(name) : name;
}

QString TSqlSqliteDialect::direction(bool descending) const {
  return descending ? QStringLiteral(" DESC") : QString();
}

QString TSqlSqliteDialect::like(const QString& text, const QString& pattern, const QString& escape,
                                bool ranged) const {
  QString sql = QStringLiteral("tsql_like(") + text + QStringLiteral(", ") + pattern;
  if (!escape.isEmpty()) sql += QStringLiteral(", ") + escape;
  sql += ')';
  // Every match sorts within the range of the pattern's literal head.
  if (ranged) {
    const QString column = collate(text);
    sql += QStringLiteral(" AND ") + column + QStringLiteral(" >= tsql_like_low(") + pattern +
           QStringLiteral(") AND ") + column + QStringLiteral(" < tsql_like_high(") + pattern + ')';
  }
  return sql;
}

QString TSqlSqliteDialect::add(const QString& a, const QString& b) const {
  return QStringLiteral("tsql_add(") + a + QStringLiteral(", ") + b + ')';
}

QString TSqlSqliteDialect::exclusiveOr(const QString& a, const QString& b) const {
  return QStringLiteral("((") + a + '|' + b + QStringLiteral(") - (") + a + '&' + b + QStringLiteral("))");
}

// SQLite limits a compound as a whole: a TOP of one member needs its own query.
QString TSqlSqliteDialect::limitedMember(const QString& select) const {
  return QStringLiteral("SELECT * FROM (") + select + ')';
}

const TSqlDialect::Function* TSqlSqliteDialect::function(const QString& name) const {
  static const QHash<QString, Function> map = {
      {"LEFT", {2, 2, "substr(%1, 1, %2)", 1}},
      {"RIGHT", {2, 2, "tsql_right(%1, %2)", 1}},
      {"SUBSTRING", {3, 3, "tsql_substring(%1, %2, %3)", 1}},
      {"ISNULL", {2, 2, "ifnull(%1, %2)", -1}},
      {"ISNUMERIC", {1, 1, "tsql_isnumeric(%1)", 2}},
      {"LEN", {1, 1, "length(rtrim(%1, ' '))", 2}},
      {"GETDATE", {0, 0, "strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')", 1}},
      {"UPPER", {1, 1, "tsql_upper(%1)", 1}},
      {"LOWER", {1, 1, "tsql_lower(%1)", 1}},
      {"LTRIM", {1, 1, "ltrim(%1, ' ')", 1}},
      {"RTRIM", {1, 1, "rtrim(%1, ' ')", 1}},
      {"SUBARBOLES", {1, 1, "SubArboles(%1)", 1}},
  };
  const auto it = map.constFind(name);
  return it == map.constEnd() ? shared(name) : &*it;
}

QString TSqlSqliteDialect::cast(const QString& value, const QString& type, qlonglong size, qlonglong scale,
                                bool star) const {
  const QString text = QStringLiteral("CAST(") + value + QStringLiteral(" AS TEXT)");
  const QString n = QString::number(size < 0 ? 30 : size);
  if (type == QLatin1String("VARCHAR") || type == QLatin1String("NVARCHAR"))
    return star ? text : QStringLiteral("substr(") + text + QStringLiteral(", 1, ") + n + ')';
  if (type == QLatin1String("CHAR") || type == QLatin1String("NCHAR"))
    return QStringLiteral("substr(printf('%-*s', ") + n + QStringLiteral(", ") + text +
           QStringLiteral("), 1, ") + n + ')';
  static const QSet<QString> integers = {"INT", "INTEGER", "BIGINT", "SMALLINT", "TINYINT"};
  if (integers.contains(type)) return QStringLiteral("CAST(") + value + QStringLiteral(" AS INTEGER)");
  if (type == QLatin1String("FLOAT") || type == QLatin1String("REAL"))
    return QStringLiteral("CAST(") + value + QStringLiteral(" AS REAL)");
  if (type == QLatin1String("DECIMAL") || type == QLatin1String("NUMERIC") ||
      type == QLatin1String("MONEY")) {
    const QString places =
        type == QLatin1String("MONEY") ? QStringLiteral("4") : QString::number(qMax(0LL, scale));
    return QStringLiteral("round(CAST(") + value + QStringLiteral(" AS REAL), ") + places + ')';
  }
  return QString();
}

}  // namespace zolmar
