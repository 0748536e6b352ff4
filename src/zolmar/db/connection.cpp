#include "zolmar/db/connection.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "zolmar/db/engine/odbc_backend.h"
#include "zolmar/db/engine/odbc_batch.h"
#include "zolmar/db/engine/sql_functions.h"
#include "zolmar/db/engine/sqlite_column_types.h"
#include "zolmar/db/engine/sqlite_values.h"
#include "zolmar/db/rows/row_set.h"
#include "zolmar/db/server_folder.h"
#include "zolmar/db/sql_text.h"
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

bool producesRows(qint32 mode) { return mode == 2 || mode == 4 || mode == 5 || mode == 6 || mode == 7; }

}  // namespace

QString Connection::sqliteMessage(sqlite3* db, int rc) {
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
    return QStringLiteral("La base de datos está bloqueada por otro proceso; reintente más tarde");
  return QString::fromUtf8(sqlite3_errmsg(db));
}

std::shared_ptr<Connection> Connection::open(const QString& pathOrMemory, QString* error) {
  QString ignored;
  QString& err = error ? *error : ignored;
  if (pathOrMemory.startsWith(QStringLiteral("odbc:"), Qt::CaseInsensitive))
    return openOdbc(pathOrMemory.mid(5), &err);
  std::shared_ptr<Connection> cn(new Connection());
  cn->path_ = pathOrMemory;
  const bool memory = pathOrMemory == QLatin1String(":memory:") || pathOrMemory.isEmpty();
  if (!memory) cn->serverFolder_ = QFileInfo(pathOrMemory).absolutePath();
  const QByteArray file = (memory ? QStringLiteral(":memory:") : pathOrMemory).toUtf8();
  const int rc =
      sqlite3_open_v2(file.constData(), &cn->db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    err = QStringLiteral("No se puede abrir la base de datos %1: %2")
              .arg(pathOrMemory, cn->db_ ? QString::fromUtf8(sqlite3_errmsg(cn->db_)) : QString());
    return nullptr;
  }
  if (!cn->configure(&err)) return nullptr;
  return cn;
}

std::shared_ptr<Connection> Connection::openOdbc(const QString& connectionString, QString* error) {
#ifdef ZOLMAR_HAVE_ODBC
  std::shared_ptr<Connection> cn(new Connection());
  cn->path_ = QStringLiteral("odbc:") + connectionString;
  cn->odbc_ = OdbcBackend::connect(connectionString, error);
  if (!cn->odbc_) return nullptr;
  return cn;
#else
  Q_UNUSED(connectionString);
  *error = QStringLiteral("Esta versión no incluye el acceso por ODBC: use un archivo de base de datos");
  return nullptr;
#endif
}

QString Connection::displayName(const QString& pathOrOdbc) {
  static const QRegularExpression password(QStringLiteral("(PWD|PASSWORD)\\s*=\\s*(\\{[^}]*\\}|[^;]*)"),
                                           QRegularExpression::CaseInsensitiveOption);
  QString text = pathOrOdbc;
  return text.replace(password, QStringLiteral("\\1=***"));
}

QVariant Connection::executeOdbc(const QString& sql, qint32 mode, const QVariant& def,
                                 const QVariantList& params) {
  QVariant result = def;
  QString error;
  if (!odbc_->execute(sql, mode, def, params, &result, &error)) {
    fail(error + " [" + sql + "]");
    return def;
  }
  succeed();
  return result;
}

bool Connection::configure(QString* error) {
  sqlite3_extended_result_codes(db_, 0);
  sqlite3_busy_timeout(db_, kDefaultBusyTimeoutMs);
  QString detail;
  if (!execSimple(QStringLiteral("PRAGMA journal_mode=WAL"), &detail)) {
    *error = QStringLiteral("El archivo %1 no es una base de datos (%2)").arg(path_, detail);
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

Connection::~Connection() {
  recent_ = {};
  for (sqlite3_stmt* stmt : std::as_const(statements_)) sqlite3_finalize(stmt);
  statements_.clear();
  if (db_) {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
  }
}

void Connection::setServerFolder(const QString& folder) {
  serverFolder_ = folder;
  if (translator_) translator_->setCurrentDatabase(catalogName());
}

void Connection::setBusyTimeout(int milliseconds) {
  if (db_) sqlite3_busy_timeout(db_, milliseconds);
}

QString Connection::databaseName() const {
  if (odbc_) return odbc_->databaseName();
  if (serverFolder_.isEmpty() || path_ == QLatin1String(":memory:")) return QString();
  return QFileInfo(path_).completeBaseName();
}

QString Connection::catalogName() const {
  const QString name = databaseName();
  return name.isEmpty() ? QStringLiteral("Empresa") : name;
}

std::shared_ptr<Connection> Connection::openDatabase(const QString& name, QString* error) const {
  if (odbc_) return open("odbc:" + OdbcBackend::withDatabase(odbc_->connectionString(), name), error);
  const QString file = ServerFolder(serverFolder_).fileOf(name);
  if (file.isEmpty()) {
    if (error) *error = QStringLiteral("La base de datos %1 no existe en el servidor").arg(name);
    return nullptr;
  }
  return open(file, error);
}

void Connection::schemaChanged() {
  if (columnTypes_) columnTypes_->clear();
}

void Connection::fail(const QString& message) {
  hasError_ = true;
  lastError_ = message;
}

void Connection::succeed() {
  hasError_ = false;
  lastError_.clear();
}

bool Connection::execSimple(const QString& sql, QString* error) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    // A busy database gets the host's own words, as single statements do.
    const bool busy = rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
    *error = message && !busy ? QString::fromUtf8(message) : sqliteMessage(db_, rc);
    sqlite3_free(message);
    return false;
  }
  return true;
}

sqlite3_stmt* Connection::prepared(const QString& sql, QString* error) {
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
    *error = rc == SQLITE_OK ? QStringLiteral("Sentencia vacía") : sqliteMessage(db_, rc);
    sqlite3_finalize(stmt);
    return nullptr;
  }
  statements_.insert(sql, stmt);
  return remember(sql, stmt);
}

sqlite3_stmt* Connection::remember(const QString& sql, sqlite3_stmt* stmt) {
  RecentStatement& slot = recent_[nextRecent_];
  nextRecent_ = (nextRecent_ + 1) % static_cast<int>(recent_.size());
  slot.sql = sql;  // holding the text keeps its data from being reused by another string
  slot.stmt = stmt;
  return stmt;
}

QVariant Connection::ExecuteSQL(const QString& sql, qint32 mode, const QVariant& def, bool) {
  if (recorder_) recorder_(sql, mode);
  if (odbc_) [[unlikely]]
    return executeOdbc(sql, mode, def, {});
  // A statement of a shape already translated: no batch, no copies.
  if (const TSqlTranslation* hit = translator_->cachedTranslation(sql)) {
    QVariant result = def;
    if (!runSingle(*hit, translator_->cachedLiterals(), sql, mode, def, &result)) return def;
    succeed();
    return result;
  }
  const QVector<TSqlTranslation> batch = translator_->translateBatch(sql);
  if (batch.isEmpty()) {
    fail(QStringLiteral("No hay ninguna sentencia que ejecutar"));
    return def;
  }
  // Nothing runs unless every statement of the batch was understood.
  for (const TSqlTranslation& t : batch) {
    if (!t.ok()) {
      fail(QStringLiteral("Sentencia no admitida: %1 [%2]").arg(t.error, sql));
      return def;
    }
  }
  QVariant result = def;
  if (!runBatch(batch, sql, mode, def, &result)) return def;
  succeed();
  return result;
}

bool Connection::runSingle(const TSqlTranslation& t, const QVector<QVariant>& literals,
                           const QString& original, qint32 mode, const QVariant& def, QVariant* result) {
  QString error;
  if ((!t.databases.isEmpty() && !attachDatabases(t.databases, &error)) || injectedFault(&error) ||
      !runOne(t.sql, literals, true, mode, def, result, &error)) {
    fail(error + " [" + original + "]");
    return false;
  }
  return true;
}

bool Connection::runBatch(const QVector<TSqlTranslation>& batch, const QString& original, qint32 mode,
                          const QVariant& def, QVariant* result) {
  QString error;
  for (const TSqlTranslation& t : batch) {
    if (!t.databases.isEmpty() && !attachDatabases(t.databases, &error)) {
      fail(error + " [" + original + "]");
      return false;
    }
  }
  // A batch is all or nothing, as a person reading " ; " expects.
  const bool guarded = batch.size() > 1;
  const bool outermost = sqlite3_get_autocommit(db_) != 0;
  if (guarded &&
      !execSimple(outermost ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT zolmar_batch"),
                  &error)) {
    fail(error + " [" + original + "]");
    return false;
  }
  for (qsizetype i = 0; i < batch.size(); ++i) {
    const bool last = i == batch.size() - 1;
    if (injectedFault(&error) || !runOne(batch[i].sql, batch[i].literals, last, mode, def, result, &error)) {
      if (guarded) {
        QString ignored;
        execSimple(outermost ? QStringLiteral("ROLLBACK")
                             : QStringLiteral("ROLLBACK TO zolmar_batch; RELEASE zolmar_batch"),
                   &ignored);
      }
      fail(error + " [" + original + "]");
      return false;
    }
  }
  if (guarded &&
      !execSimple(outermost ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE zolmar_batch"), &error)) {
    fail(error + " [" + original + "]");
    return false;
  }
  return true;
}

bool Connection::injectedFault(QString* error) const {
  if (!fault_ || !fault_()) [[likely]]
    return false;
  *error = QStringLiteral("Fallo provocado en la sentencia");
  return true;
}

bool Connection::runOne(const QString& sql, const QVector<QVariant>& params, bool last, qint32 mode,
                        const QVariant& def, QVariant* result, QString* error) {
  sqlite3_stmt* stmt = prepared(sql, error);
  if (!stmt) return false;
  if (sqlite3_stmt_busy(stmt)) sqlite3_reset(stmt);
  if (params.size() < sqlite3_bind_parameter_count(stmt)) sqlite3_clear_bindings(stmt);
  for (qsizetype i = 0; i < params.size(); ++i) {
    if (SqliteValues::bind(stmt, static_cast<int>(i + 1), params[i]) != SQLITE_OK) {
      *error = sqliteMessage(db_, SQLITE_ERROR);
      return false;
    }
  }
  const qint32 effective = last ? mode : 0;
  const sqlite3_int64 changesBefore = sqlite3_total_changes64(db_);
  int rc = SQLITE_DONE;
  if (effective == 2) {
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
      QVariant v = SqliteValues::column(stmt, 0);
      if (v.isNull())
        *result = def;
      else
        *result = std::move(v);
      rc = SQLITE_DONE;
    } else if (rc == SQLITE_DONE) {
      *result = def;
    }
  } else if (producesRows(effective)) {
    QVector<QVector<QVariant>> rows;
    rc = SqliteValues::readRows(stmt, &rows);
    if (rc == SQLITE_DONE) {
      if (effective == 4) {
        *result = rows.isEmpty() ? def : QVariant::fromValue(RowSet::toSqlArray(rows));
      } else {
        auto rs = std::make_shared<RowSet>(SqliteValues::columnNames(stmt), std::move(rows), effective == 7);
        *result = QVariant::fromValue<arboles::RecordsetPtr>(rs);
      }
    }
  } else {
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc == SQLITE_DONE && last) {
      const auto changed = static_cast<qint32>(sqlite3_total_changes64(db_) - changesBefore);
      if (effective == 9)
        *result = changed > 0 ? QVariant(static_cast<qlonglong>(sqlite3_last_insert_rowid(db_))) : def;
      else
        *result = QVariant(changed);
    }
  }
  if (rc != SQLITE_DONE) *error = sqliteMessage(db_, rc);
  sqlite3_reset(stmt);
  return rc == SQLITE_DONE;
}

QVariant Connection::executeNative(const QString& sql, qint32 mode, const QVariant& def,
                                   const QVariantList& params) {
  if (odbc_) {
    // The host's own statements number their values (?1); ODBC counts them (?).
    QString text;
    QVariantList ordered;
    if (!OdbcBatch::positional(sql, params, &text, &ordered)) {
      fail(QStringLiteral("Faltan valores para la sentencia [%1]").arg(sql));
      return def;
    }
    return executeOdbc(text, mode, def, ordered);
  }
  QString error;
  QVariant result = def;
  const QVector<QVariant> values(params.begin(), params.end());
  if (!runOne(sql, values, true, mode, def, &result, &error)) {
    fail(error + " [" + sql + "]");
    return def;
  }
  const QString head = sql.trimmed().left(6).toUpper();
  if (head == QLatin1String("CREATE") || head.startsWith(QLatin1String("ALTER")) || head.startsWith("DROP"))
    schemaChanged();
  succeed();
  return result;
}

bool Connection::atomically(const std::function<bool()>& work, QString* error) {
  if (odbc_) {
    static const QString level = QStringLiteral("zolmar_atomic");
    if (!odbc_->begin(level, error)) return false;
    if (work() && odbc_->commit(level, error)) return true;
    QString ignored;
    odbc_->rollback(level, &ignored);
    return false;
  }
  const bool outermost = sqlite3_get_autocommit(db_) != 0;
  if (!execSimple(outermost ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT zolmar_atomic"),
                  error))
    return false;
  if (work()) {
    if (execSimple(outermost ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE zolmar_atomic"), error))
      return true;
  }
  QString ignored;
  for (sqlite3_stmt* stmt : std::as_const(statements_)) sqlite3_reset(stmt);
  execSimple(outermost ? QStringLiteral("ROLLBACK")
                       : QStringLiteral("ROLLBACK TO zolmar_atomic; RELEASE zolmar_atomic"),
             &ignored);
  return false;
}

bool Connection::attachDatabases(const QStringList& names, QString* error) {
  for (const QString& name : names) {
    const QString key = name.toUpper();
    if (key == QLatin1String("MAIN")) continue;
    if (key == QLatin1String("MASTER")) {
      if (!refreshMaster(error)) return false;
      continue;
    }
    if (attached_.contains(key)) continue;
    const QString file = ServerFolder(serverFolder_).fileOf(name);
    if (file.isEmpty()) {
      *error = QStringLiteral("La base de datos %1 no existe en el servidor").arg(name);
      return false;
    }
    if (!execSimple("ATTACH DATABASE " + SqlText::literal(file) + " AS " + quoteIdentifier(name), error))
      return false;
    attached_.insert(key, true);
  }
  return true;
}

bool Connection::refreshMaster(QString* error) {
  if (!attached_.contains(QStringLiteral("MASTER"))) {
    if (!execSimple(QStringLiteral("ATTACH DATABASE ':memory:' AS Master; "
                                   "CREATE TABLE Master.SysDatabases (Name TEXT COLLATE ES_CI_AS)"),
                    error))
      return false;
    attached_.insert(QStringLiteral("MASTER"), true);
  }
  QString script = QStringLiteral("DELETE FROM Master.SysDatabases;");
  for (const QString& name : ServerFolder(serverFolder_).databases())
    script += " INSERT INTO Master.SysDatabases (Name) VALUES (" + SqlText::literal(name) + ");";
  return execSimple(script, error);
}

void Connection::BeginTrans(const QString& name) {
  QString error;
  if (odbc_) {
    if (!odbc_->begin(name, &error))
      return fail(QStringLiteral("No se pudo iniciar la transacción %1: %2").arg(name, error));
    transactions_ << name;
    return succeed();
  }
  const bool outermost = sqlite3_get_autocommit(db_) != 0;
  if (!execSimple(outermost ? QStringLiteral("BEGIN IMMEDIATE") : "SAVEPOINT " + quoteIdentifier(name),
                  &error)) {
    fail(QStringLiteral("No se pudo iniciar la transacción %1: %2").arg(name, error));
    return;
  }
  if (outermost) transactions_.clear();
  transactions_ << name;
  succeed();
}

void Connection::CommitTrans(const QString& name, qint32) {
  const qsizetype at = transactions_.lastIndexOf(name);
  if (at < 0) {
    fail(QStringLiteral("No hay ninguna transacción abierta con el nombre %1").arg(name));
    return;
  }
  QString error;
  if (odbc_ && !odbc_->commit(name, &error)) {
    fail(QStringLiteral("No se pudo confirmar la transacción %1: %2").arg(name, error));
    return;
  }
  if (!odbc_ &&
      !execSimple(at == 0 ? QStringLiteral("COMMIT") : "RELEASE " + quoteIdentifier(name), &error)) {
    fail(QStringLiteral("No se pudo confirmar la transacción %1: %2").arg(name, error));
    return;
  }
  transactions_.resize(at);
  succeed();
}

void Connection::RollbackTrans(const QString& name) {
  const qsizetype at = transactions_.lastIndexOf(name);
  if (at < 0) {
    fail(QStringLiteral("No hay ninguna transacción abierta con el nombre %1").arg(name));
    return;
  }
  QString error;
  if (odbc_) {
    if (!odbc_->rollback(name, &error))
      return fail(QStringLiteral("No se pudo deshacer la transacción %1: %2").arg(name, error));
    transactions_.resize(at);
    return succeed();
  }
  const QString id = quoteIdentifier(name);
  const QString sql = at == 0 ? QStringLiteral("ROLLBACK") : "ROLLBACK TO " + id + "; RELEASE " + id;
  // Reset cached statements first: an unfinished reader would make the rollback fail.
  for (sqlite3_stmt* stmt : std::as_const(statements_)) sqlite3_reset(stmt);
  if (!execSimple(sql, &error)) {
    fail(QStringLiteral("No se pudo deshacer la transacción %1: %2").arg(name, error));
    return;
  }
  transactions_.resize(at);
  succeed();
}

QString Connection::SQLLiteral(const QVariant& value, qint32) const { return SqlText::literal(value); }

QString Connection::BuildCondition(const QString& typed, const QString& column, qint32 kind) const {
  return SqlText::condition(typed, column, kind);
}

QString Connection::NameSearchWhere(const QString& typed, const QString& column) const {
  const QString search = SqlText::nameSearch(typed, column);
  return search.isEmpty() ? QString() : "WHERE " + search;
}

}  // namespace zolmar
