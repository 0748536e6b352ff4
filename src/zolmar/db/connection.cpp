#include "zolmar/db/connection.h"

#include <QRegularExpression>

#include "zolmar/db/engine/backend.h"
#include "zolmar/db/engine/odbc_backend.h"
#include "zolmar/db/engine/pg_backend.h"
#include "zolmar/db/engine/sqlite_backend.h"
#include "zolmar/db/rows/row_set.h"
#include "zolmar/db/sql_text.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

namespace {

Backend::Fetch fetchOf(qint32 mode) {
  switch (mode) {
    case 2:
      return Backend::Fetch::FirstValue;
    case 4:
    case 5:
    case 6:
    case 7:
      return Backend::Fetch::AllRows;
    case 9:
      return Backend::Fetch::NewId;
    default:
      return Backend::Fetch::Nothing;
  }
}

// What ExecuteSQL returns in each mode, from what the statement gave back.
QVariant resultOf(qint32 mode, StatementResult& r, const QVariant& def) {
  switch (mode) {
    case 2:
      return r.first.isValid() ? std::move(r.first) : def;  // an SQL NULL comes as an invalid value
    case 4:
      return r.rows.isEmpty() ? def : QVariant::fromValue(RowSet::toSqlArray(r.rows));
    case 5:
    case 6:
    case 7:
      return QVariant::fromValue<arboles::RecordsetPtr>(
          std::make_shared<RowSet>(r.names, std::move(r.rows), mode == 7));
    case 9:
      return r.newId.isNull() ? def : r.newId;
    default:
      return QVariant(static_cast<qint32>(r.changed));
  }
}

const QString kBatchLevel = QStringLiteral("zolmar_batch");
const QString kAtomicLevel = QStringLiteral("zolmar_atomic");

}  // namespace

bool Connection::namesServer(const QString& location) {
  return location.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive) || PgBackend::names(location);
}

std::shared_ptr<Connection> Connection::open(const QString& pathOrMemory, QString* error) {
  QString ignored;
  QString& err = error ? *error : ignored;
  std::shared_ptr<Connection> cn(new Connection());
  cn->path_ = pathOrMemory;
  if (pathOrMemory.startsWith(QStringLiteral("odbc:"), Qt::CaseInsensitive)) {
#ifdef ZOLMAR_HAVE_ODBC
    auto odbc = OdbcBackend::connect(pathOrMemory.mid(5), &err);
    cn->sqlServer_ = odbc && odbc->isSqlServer();
    cn->backend_ = std::move(odbc);
    cn->odbc_ = true;
#else
    err = QStringLiteral("Esta versión no incluye el acceso por ODBC: use un archivo de base de datos");
    return nullptr;
#endif
  } else if (PgBackend::names(pathOrMemory)) {
#ifdef ZOLMAR_HAVE_PG
    cn->backend_ = PgBackend::connect(pathOrMemory, &err);
    cn->postgres_ = true;
#else
    err = QStringLiteral("Esta versión no incluye el acceso a PostgreSQL: use un archivo de base de datos");
    return nullptr;
#endif
  } else {
    auto sqlite = SqliteBackend::open(pathOrMemory, &err);
    cn->sqlite_ = sqlite.get();
    cn->backend_ = std::move(sqlite);
  }
  if (!cn->backend_) return nullptr;
  return cn;
}

Connection::~Connection() = default;

QString Connection::displayName(const QString& pathOrOdbc) {
  static const QRegularExpression password(QStringLiteral("(PWD|PASSWORD)\\s*=\\s*(\\{[^}]*\\}|[^;]*)"),
                                           QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression userPassword(QStringLiteral("^(postgres(ql)?://[^:/@?]*):[^@/?]*@"),
                                               QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression queryPassword(QStringLiteral("([?&]password=)[^&]*"),
                                                QRegularExpression::CaseInsensitiveOption);
  QString text = pathOrOdbc;
  if (PgBackend::names(text))
    return text.replace(userPassword, QStringLiteral("\\1:***@"))
        .replace(queryPassword, QStringLiteral("\\1***"));
  return text.replace(password, QStringLiteral("\\1=***"));
}

void Connection::setServerFolder(const QString& folder) {
  if (sqlite_) sqlite_->setServerFolder(folder);
}

QString Connection::serverFolder() const { return sqlite_ ? sqlite_->serverFolder() : QString(); }

void Connection::setBusyTimeout(int milliseconds) {
  if (sqlite_) sqlite_->setBusyTimeout(milliseconds);
}

sqlite3* Connection::handle() const { return sqlite_ ? sqlite_->handle() : nullptr; }

QString Connection::serverSession() const { return backend_->serverSession(); }

bool Connection::serverSessionAlive(const QString& session) const {
  return backend_->serverSessionAlive(session);
}

TSqlTranslator& Connection::translator() { return *backend_->translator(); }

QString Connection::databaseName() const { return backend_->databaseName(); }

QString Connection::catalogName() const {
  const QString name = databaseName();
  return name.isEmpty() ? QStringLiteral("Empresa") : name;
}

std::shared_ptr<Connection> Connection::openDatabase(const QString& name, QString* error) const {
  const QString location = backend_->locationOf(name, error);
  if (location.isEmpty()) return nullptr;
  return open(location, error);
}

void Connection::schemaChanged() { backend_->schemaChanged(); }

void Connection::fail(const QString& message) {
  hasError_ = true;
  lastError_ = message;
}

void Connection::succeed() {
  hasError_ = false;
  lastError_.clear();
}

QVariant Connection::ExecuteSQL(const QString& sql, qint32 mode, const QVariant& def, bool) {
  if (recorder_) recorder_(sql, mode);
  TSqlTranslator* translator = backend_->translator();
  QVariant result;  // every successful path sets it; the others return def
  if (!translator) [[unlikely]] {
    // The engine takes the T-SQL as written, a batch as one text.
    if (!runSingle(TSqlTranslation{sql, {}, {}, false, {}}, {}, sql, mode, def, &result)) return def;
    succeed();
    return result;
  }
  // A statement of a shape already translated: no batch, no copies.
  if (const TSqlTranslation* hit = translator->cachedTranslation(sql)) {
    if (!runSingle(*hit, translator->cachedLiterals(), sql, mode, def, &result)) return def;
    succeed();
    return result;
  }
  const QVector<TSqlTranslation> batch = translator->translateBatch(sql);
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
  if (!runBatch(batch, sql, mode, def, &result)) return def;
  succeed();
  return result;
}

bool Connection::runSingle(const TSqlTranslation& t, const QVector<QVariant>& literals,
                           const QString& original, qint32 mode, const QVariant& def, QVariant* result) {
  QString error;
  if ((!t.databases.isEmpty() && !backend_->useDatabases(t.databases, &error)) || injectedFault(&error) ||
      !runOne(t.sql, literals, mode, def, result, &error)) {
    fail(error + " [" + original + "]");
    return false;
  }
  return true;
}

bool Connection::runBatch(const QVector<TSqlTranslation>& batch, const QString& original, qint32 mode,
                          const QVariant& def, QVariant* result) {
  QString error;
  for (const TSqlTranslation& t : batch) {
    if (!t.databases.isEmpty() && !backend_->useDatabases(t.databases, &error)) {
      fail(error + " [" + original + "]");
      return false;
    }
  }
  // A batch is all or nothing, as a person reading " ; " expects.
  const bool guarded = batch.size() > 1;
  bool outermost = false;
  if (guarded && !backend_->begin(kBatchLevel, &outermost, &error)) {
    fail(error + " [" + original + "]");
    return false;
  }
  for (qsizetype i = 0; i < batch.size(); ++i) {
    const bool last = i == batch.size() - 1;
    QVariant ignored;
    if (injectedFault(&error) ||
        !runOne(batch[i].sql, batch[i].literals, last ? mode : 0, def, last ? result : &ignored, &error)) {
      if (guarded) {
        QString ignoredError;
        backend_->rollback(kBatchLevel, outermost, &ignoredError);
      }
      fail(error + " [" + original + "]");
      return false;
    }
  }
  if (guarded && !backend_->commit(kBatchLevel, outermost, &error)) {
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

bool Connection::runOne(const QString& sql, const QVector<QVariant>& params, qint32 mode, const QVariant& def,
                        QVariant* result, QString* error) {
  StatementResult r;
  if (!backend_->run(sql, params, fetchOf(mode), &r, error)) return false;
  *result = resultOf(mode, r, def);
  return true;
}

QVariant Connection::executeNative(const QString& sql, qint32 mode, const QVariant& def,
                                   const QVariantList& params) {
  QString text = sql;
  QVector<QVariant> values(params.begin(), params.end());
  QString error;
  QVariant result = def;
  if (!backend_->adaptNative(&text, &values, &error) || !runOne(text, values, mode, def, &result, &error)) {
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
  bool outermost = false;
  if (!backend_->begin(kAtomicLevel, &outermost, error)) return false;
  if (work() && backend_->commit(kAtomicLevel, outermost, error)) return true;
  QString ignored;
  backend_->rollback(kAtomicLevel, outermost, &ignored);
  return false;
}

void Connection::BeginTrans(const QString& name) {
  QString error;
  bool outermost = false;
  if (!backend_->begin(name, &outermost, &error))
    return fail(QStringLiteral("No se pudo iniciar la transacción %1: %2").arg(name, error));
  if (outermost) transactions_.clear();
  transactions_ << name;
  succeed();
}

void Connection::CommitTrans(const QString& name, qint32) {
  const qsizetype at = transactions_.lastIndexOf(name);
  if (at < 0) return fail(QStringLiteral("No hay ninguna transacción abierta con el nombre %1").arg(name));
  QString error;
  if (!backend_->commit(name, at == 0, &error))
    return fail(QStringLiteral("No se pudo confirmar la transacción %1: %2").arg(name, error));
  transactions_.resize(at);
  succeed();
}

void Connection::RollbackTrans(const QString& name) {
  const qsizetype at = transactions_.lastIndexOf(name);
  if (at < 0) return fail(QStringLiteral("No hay ninguna transacción abierta con el nombre %1").arg(name));
  QString error;
  if (!backend_->rollback(name, at == 0, &error))
    return fail(QStringLiteral("No se pudo deshacer la transacción %1: %2").arg(name, error));
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
