#include "zolmar/db/engine/sqlite_column_types.h"

#include <sqlite3.h>

namespace zolmar {

bool SqliteColumnTypes::load(const QString& table, Columns* columns) const {
  QString schema;
  QString name = table;
  const qsizetype dot = table.lastIndexOf('.');
  if (dot > 0) {
    schema = table.left(dot);
    name = table.mid(dot + 1);
  }
  const QString sql =
      "SELECT name, type FROM pragma_table_info(?1" + QString(schema.isEmpty() ? "" : ", ?2") + ")";
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return false;
  }
  const QByteArray nameUtf8 = name.toUtf8();
  const QByteArray schemaUtf8 = schema.toUtf8();
  sqlite3_bind_text(stmt, 1, nameUtf8.constData(), -1, SQLITE_STATIC);
  if (!schema.isEmpty()) sqlite3_bind_text(stmt, 2, schemaUtf8.constData(), -1, SQLITE_STATIC);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    const QString col = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
    columns->insert(col.toUpper(), type.toUpper());
  }
  sqlite3_finalize(stmt);
  return !columns->isEmpty();
}

}  // namespace zolmar
