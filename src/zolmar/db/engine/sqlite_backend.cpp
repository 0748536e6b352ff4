#include "zolmar/db/engine/sqlite_backend.h"

#include <sqlite3.h>

#include <QFileInfo>

#include "zolmar/db/engine/server_folder.h"
#include "zolmar/db/engine/sql_functions.h"
#include "zolmar/db/engine/sqlite_column_types.h"
#include "zolmar/db/engine/sqlite_row_view.h"
#include "zolmar/db/engine/sqlite_values.h"
#include "zolmar/db/tsql/read_only_check.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

namespace {

constexpr int kDefaultBusyTimeoutMs = 5000;
constexpr qsizetype kMaxCachedStatements = 1000;

QString quoteIdentifier(const QString& name) {
  QString inner = name;
  inner.replace('"', QStringLiteral("\"\""));
  return "\"" + inner + "\"";
}

QString literal(const QString& text) {
  QString inner = text;
  inner.replace('\'', QStringLiteral("''"));
  return "'" + inner + "'";
}

}  // namespace

QString SqliteBackend::message(sqlite3* db, int rc) {
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
    return QStringLiteral("La base de datos está bloqueada por otro proceso; reintente más tarde");
  return QString::fromUtf8(sqlite3_errmsg(db));
}

std::unique_ptr<SqliteBackend> SqliteBackend::open(const QString& pathOrMemory, QString* error) {
  std::unique_ptr<SqliteBackend> backend(new SqliteBackend());
  backend->path_ = pathOrMemory;
  const bool memory = pathOrMemory == QLatin1String(":memory:") || pathOrMemory.isEmpty();
  if (!memory) backend->serverFolder_ = QFileInfo(pathOrMemory).absolutePath();
  const QByteArray file = (memory ? QStringLiteral(":memory:") : pathOrMemory).toUtf8();
  const int rc =
      // One thread uses a connection: SQLite need not lock it around every call.
      sqlite3_open_v2(file.constData(), &backend->db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    *error =
        QStringLiteral("No se puede abrir la base de datos %1: %2")
            .arg(pathOrMemory, backend->db_ ? QString::fromUtf8(sqlite3_errmsg(backend->db_)) : QString());
    return nullptr;
  }
  if (!backend->configure(pathOrMemory, error)) return nullptr;
  return backend;
}

bool SqliteBackend::configure(const QString& path, QString* error) {
  sqlite3_extended_result_codes(db_, 0);
  sqlite3_busy_timeout(db_, kDefaultBusyTimeoutMs);
  QString detail;
  if (!execSimple(QStringLiteral("PRAGMA journal_mode=WAL"), &detail)) {
    *error = QStringLiteral("El archivo %1 no es una base de datos (%2)").arg(path, detail);
    return false;
  }
  if (!execSimple(QStringLiteral("PRAGMA synchronous=NORMAL"), &detail) ||
      !execSimple(QStringLiteral("PRAGMA foreign_keys=OFF"), &detail)) {
    *error = detail;
    return false;
  }
  if (!registerSqlFunctions(db_, &detail)) {
    *error = QStringLiteral("No se pudieron registrar las funciones SQL: %1").arg(detail);
    return false;
  }
  columnTypes_ = std::make_shared<SqliteColumnTypes>(db_);
  translator_ = std::make_unique<TSqlTranslator>(columnTypes_);
  // "Empresa..comentarios" names this very database: no second attachment.
  translator_->setCurrentDatabase(catalogName());
  return true;
}

SqliteBackend::~SqliteBackend() {
  recent_ = {};
  for (sqlite3_stmt* stmt : std::as_const(statements_)) sqlite3_finalize(stmt);
  statements_.clear();
  if (db_) {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
  }
}

void SqliteBackend::setServerFolder(const QString& folder) {
  serverFolder_ = folder;
  if (translator_) translator_->setCurrentDatabase(catalogName());
}

void SqliteBackend::setBusyTimeout(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

QString SqliteBackend::databaseName() const {
  if (serverFolder_.isEmpty() || path_ == QLatin1String(":memory:")) return QString();
  return QFileInfo(path_).completeBaseName();
}

QString SqliteBackend::catalogName() const {
  const QString name = databaseName();
  return name.isEmpty() ? QStringLiteral("Empresa") : name;
}

QString SqliteBackend::locationOf(const QString& name, QString* error) const {
  const QString file = ServerFolder(serverFolder_).fileOf(name);
  if (file.isEmpty() && error)
    *error = QStringLiteral("La base de datos %1 no existe en el servidor").arg(name);
  return file;
}

void SqliteBackend::schemaChanged() {
  if (columnTypes_) columnTypes_->clear();
}

bool SqliteBackend::execSimple(const QString& sql, QString* error) {
  char* text = nullptr;
  const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &text);
  if (rc != SQLITE_OK) {
    // A busy database gets the host's own words, as single statements do.
    const bool busy = rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
    *error = text && !busy ? QString::fromUtf8(text) : message(db_, rc);
    sqlite3_free(text);
    return false;
  }
  return true;
}

sqlite3_stmt* SqliteBackend::prepared(const QString& sql, QString* error) {
  // A loop sends the same cached translation again: its text is the very same
  // string, recognised by its data without hashing it.
  for (const RecentStatement& r : recent_) {
    if (r.stmt && r.sql.constData() == sql.constData() && r.sql.size() == sql.size()) return r.stmt;
  }
  if (sqlite3_stmt* cached = statements_.value(sql)) return remember(sql, cached);
  if (statements_.size() >= kMaxCachedStatements) {
    recent_ = {};
    for (sqlite3_stmt* stmt : std::as_const(statements_)) sqlite3_finalize(stmt);
    statements_.clear();
  }
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v3(db_, text.constData(), static_cast<int>(text.size()),
                                    SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  if (rc != SQLITE_OK || !stmt) {
    *error = rc == SQLITE_OK ? QStringLiteral("Sentencia vacía") : message(db_, rc);
    sqlite3_finalize(stmt);
    return nullptr;
  }
  statements_.insert(sql, stmt);
  return remember(sql, stmt);
}

sqlite3_stmt* SqliteBackend::remember(const QString& sql, sqlite3_stmt* stmt) {
  RecentStatement& slot = recent_[nextRecent_];
  nextRecent_ = (nextRecent_ + 1) % static_cast<int>(recent_.size());
  slot.sql = sql;  // holding the text keeps its data from being reused by another string
  slot.stmt = stmt;
  return stmt;
}

void SqliteBackend::resetStatements() {
  for (sqlite3_stmt* stmt : std::as_const(statements_)) sqlite3_reset(stmt);
}

bool SqliteBackend::run(const QString& sql, const QVector<QVariant>& params, Fetch fetch,
                        StatementResult* out, QString* error) {
  sqlite3_stmt* stmt = prepared(sql, error);
  if (!stmt) return false;
  if (sqlite3_stmt_busy(stmt)) sqlite3_reset(stmt);
  const int count = sqlite3_bind_parameter_count(stmt);
  if (params.size() < count) sqlite3_clear_bindings(stmt);
  // Values written into the text (ORDER BY positions, CAST sizes) have no place to bind to.
  const qsizetype places = std::min<qsizetype>(params.size(), count);
  for (qsizetype i = 0; i < places; ++i) {
    if (SqliteValues::bind(stmt, static_cast<int>(i + 1), params[i]) != SQLITE_OK) {
      *error = message(db_, SQLITE_ERROR);
      return false;
    }
  }
  int rc = SQLITE_DONE;
  if (fetch == Fetch::FirstValue) {
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
      out->first = SqliteValues::column(stmt, 0);
      rc = SQLITE_DONE;
    }
  } else if (fetch == Fetch::AllRows) {
    rc = SqliteValues::readRows(stmt, &out->rows);
    if (rc == SQLITE_DONE) out->names = SqliteValues::columnNames(stmt);
  } else {
    const sqlite3_int64 changesBefore = sqlite3_total_changes64(db_);
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc == SQLITE_DONE) {
      out->changed = sqlite3_total_changes64(db_) - changesBefore;
      if (fetch == Fetch::NewId && out->changed > 0)
        out->newId = QVariant(static_cast<qlonglong>(sqlite3_last_insert_rowid(db_)));
    }
  }
  if (rc != SQLITE_DONE) *error = message(db_, rc);
  sqlite3_reset(stmt);
  return rc == SQLITE_DONE;
}

// A statement of its own, not one of the cache: onRow may send other
// statements, even this same one, while the read goes on.
// SQLite's own verdict on what the statement does, and nothing after it; and
// even a write nobody foresaw fails while query_only is on.
bool SqliteBackend::runReadOnly(const QString& sql, const QVector<QVariant>& params, StatementResult* out,
                                QString* error) {
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* probe = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &probe, &tail);
  QByteArray rest(tail ? tail : "");
  const bool reads =
      rc == SQLITE_OK && probe && sqlite3_stmt_readonly(probe) && rest.replace(';', ' ').trimmed().isEmpty();
  sqlite3_finalize(probe);
  if (rc != SQLITE_OK) {
    *error = message(db_, rc);
    return false;
  }
  if (!reads) {
    *error = ReadOnlyCheck::message(QStringLiteral("la sentencia escribe en la base de datos"));
    return false;
  }
  if (!execSimple(QStringLiteral("PRAGMA query_only=1"), error)) return false;
  const bool ok = run(sql, params, Fetch::AllRows, out, error);
  QString restored;
  if (!execSimple(QStringLiteral("PRAGMA query_only=0"), &restored) && ok) {
    *error = restored;
    return false;
  }
  return ok;
}

bool SqliteBackend::stream(const QString& sql, const QVector<QVariant>& params, const RowCallback& onRow,
                           QString* error) {
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* raw = nullptr;
  const int prepared =
      sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &raw, nullptr);
  const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
  if (prepared != SQLITE_OK || !raw) {
    *error = prepared == SQLITE_OK ? QStringLiteral("Sentencia vacía") : message(db_, prepared);
    return false;
  }
  const qsizetype places = std::min<qsizetype>(params.size(), sqlite3_bind_parameter_count(raw));
  for (qsizetype i = 0; i < places; ++i) {
    if (SqliteValues::bind(raw, static_cast<int>(i + 1), params[i]) != SQLITE_OK) {
      *error = message(db_, SQLITE_ERROR);
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
  *error = message(db_, rc);
  return false;
}

bool SqliteBackend::begin(const QString& name, bool* outermost, QString* error) {
  *outermost = sqlite3_get_autocommit(db_) != 0;
  return execSimple(*outermost ? QStringLiteral("BEGIN IMMEDIATE") : "SAVEPOINT " + quoteIdentifier(name),
                    error);
}

bool SqliteBackend::commit(const QString& name, bool outermost, QString* error) {
  return execSimple(outermost ? QStringLiteral("COMMIT") : "RELEASE " + quoteIdentifier(name), error);
}

bool SqliteBackend::rollback(const QString& name, bool outermost, QString* error) {
  const QString id = quoteIdentifier(name);
  // Reset cached statements first: an unfinished reader would make the rollback fail.
  resetStatements();
  return execSimple(outermost ? QStringLiteral("ROLLBACK") : "ROLLBACK TO " + id + "; RELEASE " + id, error);
}

bool SqliteBackend::useDatabases(const QStringList& names, QString* error) {
  for (const QString& name : names) {
    const QString key = name.toUpper();
    if (key == QLatin1String("MAIN")) continue;
    if (key == QLatin1String("MASTER")) {
      if (!refreshMaster(error)) return false;
      continue;
    }
    if (attached_.contains(key)) continue;
    const QString file = locationOf(name, error);
    if (file.isEmpty()) return false;
    if (!execSimple("ATTACH DATABASE " + literal(file) + " AS " + quoteIdentifier(name), error)) return false;
    attached_.insert(key, true);
  }
  return true;
}

bool SqliteBackend::refreshMaster(QString* error) {
  if (!attached_.contains(QStringLiteral("MASTER"))) {
    if (!execSimple(QStringLiteral("ATTACH DATABASE ':memory:' AS Master; "
                                   "CREATE TABLE Master.SysDatabases (Name TEXT COLLATE ES_CI_AS)"),
                    error))
      return false;
    attached_.insert(QStringLiteral("MASTER"), true);
  }
  QString script = QStringLiteral("DELETE FROM Master.SysDatabases;");
  for (const QString& name : ServerFolder(serverFolder_).databases())
    script += " INSERT INTO Master.SysDatabases (Name) VALUES (" + literal(name) + ");";
  return execSimple(script, error);
}

}  // namespace zolmar
