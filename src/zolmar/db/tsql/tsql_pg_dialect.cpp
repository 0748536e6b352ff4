#include "zolmar/db/tsql/tsql_pg_dialect.h"

#include <QHash>
#include <QSet>

namespace zolmar {

namespace {

QString quoted(const QString& name) {
  QString q = name;
  q.replace('"', QLatin1String("\"\""));
  return '"' + q + '"';
}

}  // namespace

// The schema's names were written unquoted, which the server folds to lower
// case (ASCII letters only); T-SQL names are case-insensitive.
QString TSqlPgDialect::name(const QString& name) const {
  QString folded = name;
  for (QChar& c : folded)
    if (c >= 'A' && c <= 'Z') c = QChar(c.unicode() + ('a' - 'A'));
  return quoted(folded);
}

QString TSqlPgDialect::alias(const QString& alias) const { return quoted(alias); }

QString TSqlPgDialect::param(int index) const { return QLatin1Char('$') + QString::number(index + 1); }

// Each database of the server is a schema; the server's list of databases is
// the list of those schemas.
QString TSqlPgDialect::table(const QString& database, const QString& table) const {
  if (database.compare(QLatin1String("Master"), Qt::CaseInsensitive) == 0 &&
      table.compare(QLatin1String("SysDatabases"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("tsql.sysdatabases");
  return quoted(database) + '.' + name(table);
}

QString TSqlPgDialect::collate(const QString& sql) const {
  return sql + QStringLiteral(" COLLATE tsql.es_ci_as");
}

// A computed text column carries the collation, so that an ORDER BY naming it
// (or a UNION of it) compares it in Spanish.
QString TSqlPgDialect::outputColumn(const QString& sql, TSqlType type, bool plain) const {
  if (type != TSqlType::Text || plain) return sql;
  // A value with nothing to tell its type (a literal of a UNION) is text.
  return collate(QStringLiteral("CAST(") + sql + QStringLiteral(" AS text)"));
}

// NULLs first, as SQL Server sorts them; the schema's indexes are built in
// that order so that they still serve the sort.
QString TSqlPgDialect::direction(bool descending) const {
  return descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST");
}

// The ICU collation does not ignore trailing blanks as SQL Server does: the
// literal side loses them (a column's own trailing blanks still count).
QString TSqlPgDialect::comparedLiteral(const QString& sql) const {
  return QStringLiteral("rtrim(") + sql + QStringLiteral(", ' ')");
}

QString TSqlPgDialect::like(const QString& text, const QString& pattern, const QString& escape,
                            bool ranged) const {
  QString sql = QStringLiteral("tsql.\"like\"(") + text + QStringLiteral(", ") + pattern;
  if (!escape.isEmpty()) sql += QStringLiteral(", ") + escape;
  sql += ')';
  if (ranged)
    sql += QStringLiteral(" AND ") + text + QStringLiteral(" >= tsql.like_low(") + pattern +
           QStringLiteral(") AND ") + text + QStringLiteral(" < tsql.like_high(") + pattern + ')';
  return sql;
}

QString TSqlPgDialect::add(const QString& a, const QString& b) const {
  return QStringLiteral("tsql.add(") + a + QStringLiteral(", ") + b + ')';
}

QString TSqlPgDialect::exclusiveOr(const QString& a, const QString& b) const {
  return '(' + a + QStringLiteral(" # ") + b + ')';
}

QString TSqlPgDialect::limitedMember(const QString& select) const { return '(' + select + ')'; }

// Lifted numbers arrive as bigint: the server's text functions take int.
const TSqlDialect::Function* TSqlPgDialect::function(const QString& name) const {
  static const QHash<QString, Function> map = {
      {"LEFT", {2, 2, "left(CAST(%1 AS text), (%2)::int)", 1}},
      {"RIGHT", {2, 2, "right(CAST(%1 AS text), (%2)::int)", 1}},
      {"SUBSTRING", {3, 3, "substring(CAST(%1 AS text), (%2)::int, (%3)::int)", 1}},
      {"ISNULL", {2, 2, "coalesce(%1, %2)", -1}},
      {"ISNUMERIC", {1, 1, "tsql.isnumeric(%1)", 2}},
      {"LEN", {1, 1, "length(rtrim(CAST(%1 AS text), ' '))", 2}},
      {"GETDATE", {0, 0, "LOCALTIMESTAMP(3)", 0}},
      {"UPPER", {1, 1, "upper(CAST(%1 AS text) COLLATE tsql.es_ci_as)", 1}},
      {"LOWER", {1, 1, "lower(CAST(%1 AS text) COLLATE tsql.es_ci_as)", 1}},
      {"LTRIM", {1, 1, "ltrim(CAST(%1 AS text), ' ')", 1}},
      {"RTRIM", {1, 1, "rtrim(CAST(%1 AS text), ' ')", 1}},
      {"SUBARBOLES", {1, 1, "subarboles((%1)::int)", 1}},
  };
  const auto it = map.constFind(name);
  return it == map.constEnd() ? shared(name) : &*it;
}

QString TSqlPgDialect::cast(const QString& value, const QString& type, qlonglong size, qlonglong scale,
                            bool star) const {
  const QString text = QStringLiteral("CAST(") + value + QStringLiteral(" AS text)");
  const QString n = QString::number(size < 0 ? 30 : size);
  if (type == QLatin1String("VARCHAR") || type == QLatin1String("NVARCHAR"))
    return star ? text : QStringLiteral("left(") + text + QStringLiteral(", ") + n + ')';
  // rpad, not char(n): the server drops a char's trailing blanks when it is joined.
  if (type == QLatin1String("CHAR") || type == QLatin1String("NCHAR"))
    return QStringLiteral("rpad(") + text + QStringLiteral(", ") + n + ')';
  // SQL Server cuts the decimals off; the server's own cast would round them.
  const QString whole = QStringLiteral("trunc(CAST(") + value + QStringLiteral(" AS numeric))");
  if (type == QLatin1String("BIGINT")) return QStringLiteral("CAST(") + whole + QStringLiteral(" AS bigint)");
  static const QSet<QString> integers = {"INT", "INTEGER", "SMALLINT", "TINYINT"};
  if (integers.contains(type)) return QStringLiteral("CAST(") + whole + QStringLiteral(" AS integer)");
  if (type == QLatin1String("FLOAT") || type == QLatin1String("REAL"))
    return QStringLiteral("CAST(") + value + QStringLiteral(" AS double precision)");
  if (type == QLatin1String("MONEY"))
    return QStringLiteral("CAST(") + value + QStringLiteral(" AS numeric(19, 4))");
  if (type == QLatin1String("DECIMAL") || type == QLatin1String("NUMERIC"))
    return QStringLiteral("CAST(") + value + QStringLiteral(" AS numeric(") +
           QString::number(size < 0 ? 18 : size) + QStringLiteral(", ") + QString::number(qMax(0LL, scale)) +
           QStringLiteral("))");
  return QString();
}

}  // namespace zolmar
