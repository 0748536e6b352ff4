#include "zolmar/db/tsql_schema_types.h"

#include <sqlite3.h>

namespace zolmar {

QString TSqlSchemaTypes::columnType(const QString& table, const QString& column) const {
  const QString key = table.toLower();
  auto it = tables.constFind(key);
  if (it == tables.constEnd()) {
    QHash<QString, QString> columns;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name, type FROM pragma_table_info(?)", -1, &st, nullptr) ==
        SQLITE_OK) {
      const QByteArray name = table.toUtf8();
      sqlite3_bind_text(st, 1, name.constData(), name.size(), SQLITE_TRANSIENT);
      while (sqlite3_step(st) == SQLITE_ROW) {
        const QString col = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        columns.insert(col.toLower(),
                       QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))));
      }
    }
    sqlite3_finalize(st);
    it = tables.insert(key, columns);
  }
  return it->value(column.toLower());
}

}  // namespace zolmar
