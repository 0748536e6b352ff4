#pragma once
// Moving values between QVariant and SQLite statements, and reading results
// in the shapes ExecuteSQL gives them.

#include <QString>
#include <QVariant>
#include <QVector>

struct sqlite3_stmt;

namespace zolmar {

class SqliteValues {
 public:
  // Binds a value to the 1-based parameter index. SQLITE_OK or an error code.
  static int bind(sqlite3_stmt* stmt, int index, const QVariant& value);
  static QVariant column(sqlite3_stmt* stmt, int index);
  static QStringList columnNames(sqlite3_stmt* stmt);

  // Steps the statement to the end, collecting the rows (all of them when
  // maxRows < 0). Returns the final SQLite code (SQLITE_DONE when all went well).
  static int readRows(sqlite3_stmt* stmt, QVector<QVector<QVariant>>* rows, qsizetype maxRows = -1);
};

}  // namespace zolmar
