#include "zolmar/db/engine/sqlite_row_view.h"

#include <sqlite3.h>

#include <limits>

#include "zolmar/db/engine/sqlite_values.h"

namespace zolmar {

SqliteRowView::SqliteRowView(sqlite3_stmt* stmt) : stmt_(stmt), columns_(sqlite3_column_count(stmt)) {}

// One call into SQLite per value: the column's value is read from the thread
// stepping the statement, while the row is current, which is all that an
// unprotected sqlite3_value asks for.
qint32 SqliteRowView::Int(qint32 column) const {
  sqlite3_value* value = sqlite3_column_value(stmt_, column);
  if (sqlite3_value_type(value) == SQLITE_INTEGER) {
    const sqlite3_int64 v = sqlite3_value_int64(value);
    if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
      return static_cast<qint32>(v);
  }
  // Anything else converts as the row set's QVariant would (text, reals, big numbers).
  return SqliteValues::column(stmt_, column).toInt();
}

QByteArrayView SqliteRowView::Utf8(qint32 column) const {
  sqlite3_value* value = sqlite3_column_value(stmt_, column);
  switch (sqlite3_value_type(value)) {
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
      return QByteArrayView(text, sqlite3_value_bytes(value));
    }
    case SQLITE_NULL:
      return QByteArrayView();
    default:
      held_.append(SqliteValues::column(stmt_, column).toString().toUtf8());
      return held_.constLast();
  }
}

}  // namespace zolmar
