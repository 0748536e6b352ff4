// Connection: the query a person types (QueryReadOnly). It may read anything
// the program reads and write nothing, whatever it says.

#include <sqlite3.h>

#include "zolmar/db/connection.h"
#include "zolmar/db/odbc_backend.h"
#include "zolmar/db/read_only_check.h"
#include "zolmar/db/tsql_translator.h"

namespace zolmar {

arboles::RecordsetPtr Connection::QueryReadOnly(const QString& sql) {
  if (recorder_) recorder_(sql, 5);
  const QString refused = ReadOnlyCheck::refusal(sql);
  if (!refused.isEmpty()) {
    fail(refused);
    return nullptr;
  }
  QVariant result;
  QString error;
  const bool ok = !injectedFault(&error) && (odbc_ ? queryReadOnlyOdbc(sql, &result, &error)
                                                   : queryReadOnlySqlite(sql, &result, &error));
  auto rows = arboles::recordsetOf(result);
  if (!ok || !rows) {
    fail(error + " [" + sql + "]");
    return nullptr;
  }
  succeed();
  return rows;
}

bool Connection::queryReadOnlySqlite(const QString& sql, QVariant* result, QString* error) {
  const QVector<TSqlTranslation> batch = translator_->translateBatch(sql);
  if (batch.size() != 1 || !batch.front().ok()) {
    *error = ReadOnlyCheck::message(
        QStringLiteral("no se puede traducir (%1)").arg(batch.isEmpty() ? QString() : batch.front().error));
    return false;
  }
  const TSqlTranslation& t = batch.front();
  // The other databases it names are attached before the connection turns read-only.
  if (!t.databases.isEmpty() && !attachDatabases(t.databases, error)) return false;
  // SQLite's own verdict on what the translation does, and nothing after it.
  const QByteArray text = t.sql.toUtf8();
  sqlite3_stmt* probe = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &probe, &tail);
  QByteArray rest(tail ? tail : "");
  const bool reads =
      rc == SQLITE_OK && probe && sqlite3_stmt_readonly(probe) && rest.replace(';', ' ').trimmed().isEmpty();
  sqlite3_finalize(probe);
  if (rc != SQLITE_OK) {
    *error = sqliteMessage(db_, rc);
    return false;
  }
  if (!reads) {
    *error = ReadOnlyCheck::message(QStringLiteral("la sentencia escribe en la base de datos"));
    return false;
  }
  // Even a write nobody foresaw fails while query_only is on.
  if (!execSimple(QStringLiteral("PRAGMA query_only=1"), error)) return false;
  const bool ok = runOne(t.sql, t.literals, true, 5, QVariant(), result, error);
  QString restored;
  if (!execSimple(QStringLiteral("PRAGMA query_only=0"), &restored) && ok) {
    *error = restored;
    return false;
  }
  return ok;
}

bool Connection::queryReadOnlyOdbc(const QString& sql, QVariant* result, QString* error) {
  // The server has no read-only switch for one statement: whatever it might
  // change is undone by a transaction that is never committed.
  static const QString level = QStringLiteral("zolmar_solo_lectura");
  if (!odbc_->begin(level, error)) return false;
  const bool ok = odbc_->execute(sql, 5, QVariant(), {}, result, error);
  QString undone;
  if (!odbc_->rollback(level, &undone) && ok) {
    *error = undone;
    return false;
  }
  return ok;
}

}  // namespace zolmar
