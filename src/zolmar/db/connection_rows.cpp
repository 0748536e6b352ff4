// Connection: reading a SELECT row by row (ReadRows), for reads too large to
// hold as a record set.

#include <sqlite3.h>

#include <memory>

#include "zolmar/db/connection.h"
#include "zolmar/db/engine/odbc_backend.h"
#include "zolmar/db/engine/sqlite_row_view.h"
#include "zolmar/db/engine/sqlite_values.h"
#include "zolmar/db/rows/variant_row_view.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

bool Connection::ReadRows(const QString& sql, const RowCallback& onRow) {
  // Recorded as the read-only record set it replaces.
  if (recorder_) recorder_(sql, 5);
  if (odbc_) [[unlikely]]
    return readRowsOdbc(sql, onRow);
  TSqlTranslation translation;
  if (const TSqlTranslation* hit = translator_->cachedTranslation(sql)) {
    translation = *hit;
    translation.literals = translator_->cachedLiterals();
  } else {
    const QVector<TSqlTranslation> batch = translator_->translateBatch(sql);
    if (batch.size() != 1) {
      fail(batch.isEmpty()
               ? QStringLiteral("No hay ninguna sentencia que ejecutar")
               : QStringLiteral("Una lectura fila a fila admite una sola sentencia [%1]").arg(sql));
      return false;
    }
    if (!batch.first().ok()) {
      fail(QStringLiteral("Sentencia no admitida: %1 [%2]").arg(batch.first().error, sql));
      return false;
    }
    translation = batch.first();
  }
  QString error;
  if ((!translation.databases.isEmpty() && !attachDatabases(translation.databases, &error)) ||
      injectedFault(&error) || !streamRows(translation.sql, translation.literals, onRow, &error)) {
    fail(error + " [" + sql + "]");
    return false;
  }
  succeed();
  return true;
}

bool Connection::readRowsOdbc(const QString& sql, const RowCallback& onRow) {
#ifdef ZOLMAR_HAVE_ODBC
  QString error;
  const bool ok = odbc_->readRows(
      sql, [&onRow](const QVector<QVariant>& values) { return onRow(VariantRowView(values)); }, &error);
  if (!ok) {
    fail(error + " [" + sql + "]");
    return false;
  }
  succeed();
  return true;
#else
  Q_UNUSED(onRow);
  fail(QStringLiteral("Esta versión no incluye el acceso por ODBC [%1]").arg(sql));
  return false;
#endif
}

// A statement of its own, not one of the cache: onRow may send other
// statements, even this same one, while the read goes on.
bool Connection::streamRows(const QString& sql, const QVector<QVariant>& params, const RowCallback& onRow,
                            QString* error) {
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* raw = nullptr;
  const int prepared =
      sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &raw, nullptr);
  const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
  if (prepared != SQLITE_OK || !raw) {
    *error = prepared == SQLITE_OK ? QStringLiteral("Sentencia vacía") : sqliteMessage(db_, prepared);
    return false;
  }
  for (qsizetype i = 0; i < params.size(); ++i) {
    if (SqliteValues::bind(raw, static_cast<int>(i + 1), params[i]) != SQLITE_OK) {
      *error = sqliteMessage(db_, SQLITE_ERROR);
      return false;
    }
  }
  SqliteRowView row(raw);
  int rc;
  while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
    row.nextRow();
    if (!onRow(row)) return true;
  }
  if (rc == SQLITE_DONE) return true;
  *error = sqliteMessage(db_, rc);
  return false;
}

}  // namespace zolmar
