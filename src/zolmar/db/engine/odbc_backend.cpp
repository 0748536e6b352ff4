#ifdef ZOLMAR_HAVE_ODBC
#include "zolmar/db/engine/odbc_backend.h"

#include <QRegularExpression>

#include "zolmar/db/engine/odbc_batch.h"
#include "zolmar/db/engine/odbc_statement.h"
#include "zolmar/db/rows/variant_row_view.h"

namespace zolmar {

namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 15;
constexpr qsizetype kMaxLevelIdLength = 32;  // SQL Server's limit for transaction names

bool succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

QString infoText(SQLHDBC dbc, SQLUSMALLINT what) {
  SQLWCHAR buffer[256] = {};
  SQLSMALLINT length = 0;
  if (!succeeded(SQLGetInfoW(dbc, what, buffer, sizeof(buffer), &length))) return QString();
  return OdbcStatement::fromWide(buffer, std::min<qsizetype>(length / sizeof(SQLWCHAR), 255));
}

}  // namespace

std::unique_ptr<OdbcBackend> OdbcBackend::connect(const QString& connectionString, QString* error) {
  std::unique_ptr<OdbcBackend> backend(new OdbcBackend());
  backend->connectionString_ = connectionString;
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
    *error = QStringLiteral("No se pudo iniciar ODBC");
    return nullptr;
  }
  backend->env_ = env;
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  if (!succeeded(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
    *error = OdbcStatement::diagnostic(SQL_HANDLE_ENV, env);
    return nullptr;
  }
  backend->dbc_ = dbc;
  SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
  std::vector<SQLWCHAR> text = OdbcStatement::toWide(connectionString);
  SQLWCHAR completed[1024] = {};
  SQLSMALLINT completedLength = 0;
  const SQLRETURN rc = SQLDriverConnectW(dbc, nullptr, text.data(), SQL_NTS, completed, 1024,
                                         &completedLength, SQL_DRIVER_NOPROMPT);
  if (!succeeded(rc)) {
    *error = QStringLiteral("No se puede conectar por ODBC: %1")
                 .arg(OdbcStatement::diagnostic(SQL_HANDLE_DBC, dbc));
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    backend->dbc_ = nullptr;
    return nullptr;
  }
  backend->dbmsName_ = infoText(dbc, SQL_DBMS_NAME);
  backend->databaseName_ = infoText(dbc, SQL_DATABASE_NAME);
  backend->sqlServer_ = backend->dbmsName_.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive);
  return backend;
}

OdbcBackend::~OdbcBackend() {
  auto dbc = static_cast<SQLHDBC>(dbc_);
  if (dbc) {
    // Whatever was left open is not committed.
    if (!levels_.isEmpty()) {
      QString ignored;
      close(levels_.first(), false, &ignored);
    }
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  }
  if (env_) SQLFreeHandle(SQL_HANDLE_ENV, static_cast<SQLHENV>(env_));
}

QString OdbcBackend::withDatabase(const QString& connectionString, const QString& database) {
  static const QRegularExpression key(QStringLiteral("(^|;)\\s*DATABASE\\s*=[^;]*"),
                                      QRegularExpression::CaseInsensitiveOption);
  QString text = connectionString;
  const QString value = QStringLiteral("DATABASE={%1}").arg(database);
  const QRegularExpressionMatch m = key.match(text);
  if (!m.hasMatch()) return text + (text.endsWith(';') || text.isEmpty() ? "" : ";") + value;
  return text.replace(m.capturedStart(), m.capturedLength(), m.captured(1) + value);
}

QString OdbcBackend::identityQuery() const {
  if (dbmsName_.contains(QLatin1String("SQLite"), Qt::CaseInsensitive))
    return QStringLiteral("SELECT last_insert_rowid()");
  return QStringLiteral("SELECT @@IDENTITY");
}

QString OdbcBackend::locationOf(const QString& name, QString*) const {
  return QStringLiteral("odbc:") + withDatabase(connectionString_, name);
}

bool OdbcBackend::adaptNative(QString* sql, QVector<QVariant>* params, QString* error) {
  QString text;
  QVariantList ordered;
  if (!OdbcBatch::positional(*sql, *params, &text, &ordered)) {
    *error = QStringLiteral("Faltan valores para la sentencia");
    return false;
  }
  *sql = text;
  *params = ordered;
  return true;
}

bool OdbcBackend::run(const QString& sql, const QVector<QVariant>& params, Fetch fetch, StatementResult* out,
                      QString* error) {
  const QStringList statements = OdbcBatch::split(sql);
  if (statements.isEmpty()) {
    *error = QStringLiteral("No hay ninguna sentencia que ejecutar");
    return false;
  }
  if (statements.size() == 1) return runStatement(statements.first(), fetch, params, out, error);
  // A batch is all or nothing, as a person reading " ; " expects.
  static const QString batchLevel = QStringLiteral("zolmar_batch");
  if (!open(batchLevel, error)) return false;
  if (runBatch(statements, fetch, out, error)) return close(batchLevel, true, error);
  QString ignored;
  close(batchLevel, false, &ignored);
  return false;
}

bool OdbcBackend::stream(const QString& sql, const QVector<QVariant>& params, const RowCallback& onRow,
                         QString* error) {
  if (OdbcBatch::split(sql).size() != 1) {
    *error = QStringLiteral("Una lectura fila a fila admite una sola sentencia");
    return false;
  }
  OdbcStatement st(static_cast<SQLHDBC>(dbc_));
  error->clear();
  if (!st.execute(sql, params, error)) return false;
  while (st.columnCount() == 0) {
    if (!st.nextResult(error)) return error->isEmpty();
  }
  QVector<QVariant> values;
  while (st.nextRow(&values, error)) {
    if (!onRow(VariantRowView(values))) return true;
  }
  return error->isEmpty();
}

bool OdbcBackend::runBatch(const QStringList& statements, Fetch fetch, StatementResult* out, QString* error) {
  // The server takes the batch whole, as the text was written for it.
  if (sqlServer_) return runStatement(statements.join(QStringLiteral(" ; ")), fetch, {}, out, error);
  for (qsizetype i = 0; i < statements.size(); ++i) {
    const bool last = i == statements.size() - 1;
    StatementResult ignored;
    if (!runStatement(statements[i], last ? fetch : Fetch::Nothing, {}, last ? out : &ignored, error))
      return false;
  }
  return true;
}

bool OdbcBackend::runStatement(const QString& sql, Fetch fetch, const QVector<QVariant>& params,
                               StatementResult* out, QString* error) {
  const bool identity = fetch == Fetch::NewId;
  OdbcStatement st(static_cast<SQLHDBC>(dbc_));
  // SCOPE_IDENTITY belongs to the batch: it is asked in the same one.
  const QString text =
      identity && sqlServer_ ? sql + QStringLiteral(" ; SELECT CAST(SCOPE_IDENTITY() AS INT)") : sql;
  error->clear();
  if (!st.execute(text, params, error)) return false;
  QVector<QVector<QVariant>> rows;
  QStringList names;
  qint64 changed = 0;
  do {
    if (st.columnCount() > 0) {
      rows.clear();
      if (!st.readRows(&rows, error, fetch == Fetch::FirstValue || identity ? 1 : -1)) return false;
      names = st.columnNames();
    } else if (const qint64 n = st.rowCount(); n >= 0) {
      changed = n;
    }
  } while (st.nextResult(error));
  if (!error->isEmpty()) return false;

  const QVariant first = rows.isEmpty() || rows.first().isEmpty() ? QVariant() : rows.first().first();
  out->changed = changed;
  if (identity && !sqlServer_) {
    StatementResult id;
    if (changed > 0 && !runStatement(identityQuery(), Fetch::FirstValue, {}, &id, error)) return false;
    if (changed > 0) out->newId = id.first;
  } else if (identity) {
    out->newId = first;
  } else if (fetch == Fetch::FirstValue) {
    out->first = first;
  } else if (fetch == Fetch::AllRows) {
    out->names = names;
    out->rows = std::move(rows);
  }
  return true;
}

bool OdbcBackend::run(const QString& sql, QString* error) {
  OdbcStatement st(static_cast<SQLHDBC>(dbc_));
  return st.execute(sql, {}, error);
}

bool OdbcBackend::setAutocommit(bool on, QString* error) {
  const auto value =
      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF));
  auto dbc = static_cast<SQLHDBC>(dbc_);
  if (succeeded(SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, value, 0))) return true;
  *error = OdbcStatement::diagnostic(SQL_HANDLE_DBC, dbc);
  return false;
}

bool OdbcBackend::endTransaction(bool commit, QString* error) {
  auto dbc = static_cast<SQLHDBC>(dbc_);
  if (!succeeded(SQLEndTran(SQL_HANDLE_DBC, dbc, commit ? SQL_COMMIT : SQL_ROLLBACK))) {
    *error = OdbcStatement::diagnostic(SQL_HANDLE_DBC, dbc);
    return false;
  }
  return setAutocommit(true, error);
}

QString OdbcBackend::levelId(const QString& name) {
  QString id;
  for (QChar c : name) id += (c.unicode() < 128 && (c.isLetterOrNumber() || c == '_')) ? c : QChar('_');
  if (id.isEmpty() || id[0].isDigit()) id.prepend(QStringLiteral("T_"));
  return id.left(kMaxLevelIdLength);
}

bool OdbcBackend::begin(const QString& name, bool* outermost, QString* error) {
  *outermost = levels_.isEmpty();
  return open(name, error);
}

bool OdbcBackend::commit(const QString& name, bool, QString* error) { return close(name, true, error); }

bool OdbcBackend::rollback(const QString& name, bool, QString* error) { return close(name, false, error); }

bool OdbcBackend::open(const QString& name, QString* error) {
  const QString id = levelId(name);
  bool ok;
  if (sqlServer_)
    ok = run((levels_.isEmpty() ? QStringLiteral("BEGIN TRAN ") : QStringLiteral("SAVE TRAN ")) + id, error);
  else
    ok = levels_.isEmpty() ? setAutocommit(false, error) : run("SAVEPOINT " + id, error);
  if (ok) levels_ << name;
  return ok;
}

bool OdbcBackend::close(const QString& name, bool commit, QString* error) {
  const qsizetype at = levels_.lastIndexOf(name);
  if (at < 0) {
    *error = QStringLiteral("No hay ninguna transacción abierta con el nombre %1").arg(name);
    return false;
  }
  const QString id = levelId(name);
  bool ok = true;
  if (commit && at == 0)
    ok = sqlServer_ ? run(QStringLiteral("COMMIT TRAN"), error) : endTransaction(true, error);
  else if (commit && !sqlServer_)  // a SQL Server save point needs no release
    ok = run("RELEASE " + id, error);
  else if (!commit && at == 0)
    ok = sqlServer_ ? run(QStringLiteral("ROLLBACK TRAN"), error) : endTransaction(false, error);
  else if (!commit)
    ok = sqlServer_ ? run("ROLLBACK TRAN " + id, error)
                    : run("ROLLBACK TO " + id, error) && run("RELEASE " + id, error);
  if (ok) levels_.resize(at);
  return ok;
}

}  // namespace zolmar
#endif
