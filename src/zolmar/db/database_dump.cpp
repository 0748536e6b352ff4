#include "database_dump.h"

#include <sqlite3.h>

#include <QStringList>

#include "connection.h"
#include "host/host_types.h"
#include "host/i_recordset.h"

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

QString value(const QVariant& v) {
  if (v.isNull()) return QStringLiteral("NULL");
  if (v.typeId() == QMetaType::QString) return QLatin1Char('\'') + v.toString() + QLatin1Char('\'');
  return v.toString();
}

// A server's tables, every one of them with its ZolmarID.
QString dumpServer(Connection& cn) {
  QString out;
  const QVariant tables = cn.executeNative(
      QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema() "
                     "AND table_type = 'BASE TABLE' ORDER BY table_name"),
      4);
  const auto names = arboles::isSqlArray(tables) ? tables.value<arboles::SqlArray>() : arboles::SqlArray();
  for (qint32 t = 0; t < names.rows; ++t) {
    const QString table = names.at(0, t).toString();
    out += QStringLiteral("== %1\n").arg(table);
    const auto rows = arboles::recordsetOf(
        cn.executeNative(QStringLiteral("SELECT * FROM \"%1\" ORDER BY zolmarid").arg(table), 5));
    while (rows && rows->Read()) {
      QStringList row;
      for (qint32 c = 0; c < rows->FieldCount(); ++c) row << value(rows->Field(rows->FieldName(c)));
      out += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
  }
  return out;
}

}  // namespace

QString DatabaseDump::of(Connection& cn) {
  if (!cn.handle()) return dumpServer(cn);
  QString out;
  for (const QString& table : tableNames(cn.handle())) dumpTable(cn.handle(), table, &out);
  return out;
}

}  // namespace zolmar
