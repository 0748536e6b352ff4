#include "database_dump.h"

#include <sqlite3.h>

#include <QStringList>

#include "connection.h"

namespace zolmar {

namespace {

QStringList tableNames(sqlite3* db) {
  QStringList names;
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' "
                     "ORDER BY name",
                     -1, &stmt, nullptr);
  while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
    names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
  sqlite3_finalize(stmt);
  return names;
}

QString value(sqlite3_stmt* stmt, int column) {
  switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
      return QStringLiteral("NULL");
    case SQLITE_INTEGER:
      return QString::number(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT:
      return QString::number(sqlite3_column_double(stmt, column), 'g', 17);
    default:
      return QLatin1Char('\'') +
             QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column))) +
             QLatin1Char('\'');
  }
}

void dumpTable(sqlite3* db, const QString& table, QString* out) {
  *out += QStringLiteral("== %1\n").arg(table);
  const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table).toUtf8();
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
    *out += QString::fromUtf8(sqlite3_errmsg(db)) + QLatin1Char('\n');
    sqlite3_finalize(stmt);
    return;
  }
  const int columns = sqlite3_column_count(stmt);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    QStringList row;
    row.reserve(columns);
    for (int c = 0; c < columns; ++c) row << value(stmt, c);
    *out += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  sqlite3_finalize(stmt);
}

}  // namespace

QString DatabaseDump::of(const Connection& cn) {
  QString out;
  for (const QString& table : tableNames(cn.handle())) dumpTable(cn.handle(), table, &out);
  return out;
}

}  // namespace zolmar
