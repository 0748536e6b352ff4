#include "zolmar/db/engine/pg_backend.h"

#include <QUrl>
#include <QUrlQuery>

namespace zolmar {

namespace {
const QString kSchemaKey = QStringLiteral("empresa");
PgBackend::StatementTrace statementTrace;
}  // namespace

void PgBackend::setStatementTrace(StatementTrace trace) { statementTrace = std::move(trace); }

bool PgBackend::names(const QString& location) {
  return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
         location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString PgBackend::withSchema(const QString& location, const QString& schema) {
  QUrl url(location);
  QUrlQuery query(url);
  query.removeAllQueryItems(kSchemaKey);
  query.addQueryItem(kSchemaKey, QString::fromUtf8(QUrl::toPercentEncoding(schema)));
  url.setQuery(query);
  return url.toString();
}

}  // namespace zolmar

#ifdef ZOLMAR_HAVE_PG
#include <libpq-fe.h>

#include <QDateTime>
#include <QRegularExpression>

#include "zolmar/db/engine/pg_column_types.h"
#include "zolmar/db/rows/variant_row_view.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

namespace {

constexpr int kFetchPage = 500;

// Type oids of the values read back as numbers, booleans and dates.
enum : Oid {
  kBool = 16,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kFloat4 = 700,
  kFloat8 = 701,
  kNumeric = 1700,
  kTimestamp = 1114
};

QVariant valueOf(const PGresult* r, int row, int column) {
  if (PQgetisnull(r, row, column)) return QVariant();
  const char* text = PQgetvalue(r, row, column);
  switch (PQftype(r, column)) {
    case kBool:
      return QVariant(text[0] == 't');
    case kInt2:
    case kInt4:
      return QVariant(QByteArray(text).toInt());
    case kInt8:
      return QVariant(QByteArray(text).toLongLong());
    case kFloat4:
    case kFloat8:
    case kNumeric:
      return QVariant(QByteArray(text).toDouble());
    case kTimestamp:
      return QVariant(QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs));
    default:
      return QVariant(QString::fromUtf8(text));
  }
}

QByteArray textOf(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Bool:
      return v.toBool() ? "1" : "0";
    case QMetaType::QDateTime:
      return v.toDateTime().toString(Qt::ISODateWithMs).toUtf8();
    case QMetaType::QDate:
      return v.toDate().toString(Qt::ISODate).toUtf8();
    default:
      return v.toString().toUtf8();
  }
}

// A number written in a statement is a bigint or a decimal, as on SQL Server;
// anything else takes the type the statement gives it.
Oid typeOf(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::LongLong:
      return kInt8;
    case QMetaType::Double:
      return kNumeric;
    default:
      return 0;
  }
}

QString quoted(const QString& identifier) {
  QString inner = identifier;
  return "\"" + inner.replace('"', QStringLiteral("\"\"")) + "\"";
}

QString messageOf(const pg_conn* conn) { return QString::fromUtf8(PQerrorMessage(conn)).trimmed(); }

}  // namespace

// A statement's result, cleared when it goes.
struct PgBackend::Result {
  PGresult* r = nullptr;
  ~Result() { PQclear(r); }
};

std::unique_ptr<PgBackend> PgBackend::connect(const QString& location, QString* error) {
  std::unique_ptr<PgBackend> backend(new PgBackend());
  backend->location_ = location;
  QUrl url(location);
  QUrlQuery query(url);
  backend->schema_ = query.queryItemValue(kSchemaKey, QUrl::FullyDecoded);
  if (backend->schema_.isEmpty()) backend->schema_ = QStringLiteral("Empresa");
  // libpq knows no "empresa" parameter: the rest goes to it as it is.
  query.removeAllQueryItems(kSchemaKey);
  url.setQuery(query);
  backend->conn_ = PQconnectdb(url.toString(QUrl::FullyEncoded).toUtf8().constData());
  if (PQstatus(backend->conn_) != CONNECTION_OK) {
    *error =
        QStringLiteral("No se puede conectar con el servidor PostgreSQL: %1").arg(messageOf(backend->conn_));
    return nullptr;
  }
  // The server's notices ("already exists, skipping") are no news for the person.
  PQsetNoticeProcessor(
      backend->conn_, [](void*, const char*) {}, nullptr);
  if (!backend->command("SET client_encoding TO 'UTF8'", error) ||
      !backend->command("SET search_path TO " + quoted(backend->schema_), error))
    return nullptr;
  backend->columnTypes_ = std::make_shared<PgColumnTypes>(backend->conn_);
  backend->translator_ = std::make_unique<TSqlTranslator>(backend->columnTypes_, TSqlDialect::postgres());
  // "Empresa..comentarios" names this very schema.
  backend->translator_->setCurrentDatabase(backend->schema_);
  return backend;
}

PgBackend::~PgBackend() { PQfinish(conn_); }

void PgBackend::schemaChanged() { columnTypes_->clear(); }

QString PgBackend::locationOf(const QString& name, QString* error) const {
  Result r;
  QString ignored;
  if (!exec(QStringLiteral("SELECT nspname FROM pg_namespace WHERE lower(nspname) = lower($1)"), {name}, &r,
            error ? error : &ignored))
    return QString();
  if (PQntuples(r.r) == 0) {
    if (error) *error = QStringLiteral("La base de datos %1 no existe en el servidor").arg(name);
    return QString();
  }
  // The schema as the server spells it: a database name is matched without regard to case.
  return withSchema(location_, QString::fromUtf8(PQgetvalue(r.r, 0, 0)));
}

// ?1, ?2 outside quotes become $1, $2.
bool PgBackend::adaptNative(QString* sql, QVector<QVariant>*, QString*) {
  QString out;
  out.reserve(sql->size());
  QChar quote;
  for (qsizetype i = 0; i < sql->size(); ++i) {
    const QChar c = sql->at(i);
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '?' && i + 1 < sql->size() && sql->at(i + 1).isDigit()) {
      out += '$';
      continue;
    }
    out += c;
  }
  *sql = out;
  return true;
}

bool PgBackend::exec(const QString& sql, const QVector<QVariant>& params, Result* result,
                     QString* error) const {
  std::vector<QByteArray> texts;
  std::vector<const char*> values;
  std::vector<Oid> types;
  texts.reserve(params.size());
  for (const QVariant& v : params) {
    texts.push_back(textOf(v));
    values.push_back(v.isNull() ? nullptr : texts.back().constData());
    types.push_back(typeOf(v));
  }
  const QByteArray text = sql.toUtf8();
  if (statementTrace) {
    std::vector<std::optional<QByteArray>> traced;
    for (size_t i = 0; i < texts.size(); ++i)
      traced.push_back(values[i] ? std::optional<QByteArray>(texts[i]) : std::nullopt);
    statementTrace(text, traced, std::vector<unsigned>(types.begin(), types.end()));
  }
  result->r = PQexecParams(conn_, text.constData(), static_cast<int>(values.size()), types.data(),
                           values.data(), nullptr, nullptr, 0);
  const ExecStatusType status = PQresultStatus(result->r);
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return true;
  *error = result->r ? QString::fromUtf8(PQresultErrorMessage(result->r)).trimmed() : messageOf(conn_);
  return false;
}

bool PgBackend::command(const QString& sql, QString* error) const {
  Result r;
  return exec(sql, {}, &r, error);
}

bool PgBackend::run(const QString& sql, const QVector<QVariant>& params, Fetch fetch, StatementResult* out,
                    QString* error) {
  // The new id comes back with the row the INSERT wrote.
  static const QRegularExpression insert(QStringLiteral("^\\s*INSERT\\s"),
                                         QRegularExpression::CaseInsensitiveOption);
  const bool returning = fetch == Fetch::NewId && insert.match(sql).hasMatch();
  Result r;
  if (!exec(returning ? sql + QStringLiteral(" RETURNING ZolmarID") : sql, params, &r, error)) return false;
  out->changed = QByteArray(PQcmdTuples(r.r)).toLongLong();
  const int rows = PQntuples(r.r);
  if (returning || fetch == Fetch::FirstValue) {
    QVariant first = rows > 0 && PQnfields(r.r) > 0 ? valueOf(r.r, 0, 0) : QVariant();
    (returning ? out->newId : out->first) = std::move(first);
  } else if (fetch == Fetch::AllRows) {
    const int columns = PQnfields(r.r);
    for (int c = 0; c < columns; ++c) out->names << QString::fromUtf8(PQfname(r.r, c));
    out->rows.reserve(rows);
    for (int i = 0; i < rows; ++i) {
      QVector<QVariant> row(columns);
      for (int c = 0; c < columns; ++c) row[c] = valueOf(r.r, i, c);
      out->rows << std::move(row);
    }
  }
  return true;
}

// A cursor read page by page: between pages onRow may run other statements on
// this same connection, which a plain query in progress would not allow.
bool PgBackend::stream(const QString& sql, const QVector<QVariant>& params, const RowCallback& onRow,
                       QString* error) {
  const QString cursor = QStringLiteral("zolmar_lectura_%1").arg(++cursors_);
  struct Closing {
    PgBackend* backend;
    QString cursor;
    ~Closing() {
      QString ignored;
      backend->command("CLOSE " + cursor, &ignored);
      --backend->cursors_;
    }
  };
  {
    Result declared;
    if (!exec("DECLARE " + cursor + " NO SCROLL CURSOR WITH HOLD FOR " + sql, params, &declared, error)) {
      --cursors_;
      return false;
    }
  }
  const Closing closing{this, cursor};
  const QString fetch = QStringLiteral("FETCH %1 FROM ").arg(kFetchPage) + cursor;
  for (;;) {
    Result page;
    if (!exec(fetch, {}, &page, error)) return false;
    const int rows = PQntuples(page.r);
    const int columns = PQnfields(page.r);
    QVector<QVariant> values(columns);
    for (int i = 0; i < rows; ++i) {
      for (int c = 0; c < columns; ++c) values[c] = valueOf(page.r, i, c);
      if (!onRow(VariantRowView(values))) return true;
    }
    if (rows < kFetchPage) return true;
  }
}

// A server process and the time it started: a pid the server reuses later
// names another session.
QString PgBackend::serverSession() {
  Result r;
  QString error;
  if (!exec(QStringLiteral("SELECT pid::text || '/' || extract(epoch FROM backend_start)::text "
                           "FROM pg_stat_activity WHERE pid = pg_backend_pid()"),
            {}, &r, &error) ||
      PQntuples(r.r) == 0)
    return QString();
  return QString::fromLatin1(PQgetvalue(r.r, 0, 0));
}

// Inside a transaction the server keeps showing what it read first: the
// snapshot is cleared so a session that ended meanwhile is seen gone. A
// session of another role whose start the server does not show is alive.
bool PgBackend::serverSessionAlive(const QString& session) {
  Result cleared, r;
  QString error;
  if (!exec(QStringLiteral("SELECT pg_stat_clear_snapshot()"), {}, &cleared, &error) ||
      !exec(QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE pid = $1::int AND "
                           "(backend_start IS NULL OR extract(epoch FROM backend_start)::text = $2)"),
            {session.section(QLatin1Char('/'), 0, 0), session.section(QLatin1Char('/'), 1)}, &r, &error))
    return true;
  return QByteArray(PQgetvalue(r.r, 0, 0)).toLongLong() > 0;
}

bool PgBackend::begin(const QString& name, bool* outermost, QString* error) {
  *outermost = PQtransactionStatus(conn_) == PQTRANS_IDLE;
  return command(*outermost ? QStringLiteral("BEGIN") : "SAVEPOINT " + quoted(name), error);
}

bool PgBackend::commit(const QString& name, bool outermost, QString* error) {
  // After a failed statement the server would take COMMIT as ROLLBACK without a word.
  if (outermost && PQtransactionStatus(conn_) == PQTRANS_INERROR) {
    command(QStringLiteral("ROLLBACK"), error);
    *error = QStringLiteral("Una sentencia de la transacción falló: se ha deshecho");
    return false;
  }
  return command(outermost ? QStringLiteral("COMMIT") : "RELEASE SAVEPOINT " + quoted(name), error);
}

bool PgBackend::rollback(const QString& name, bool outermost, QString* error) {
  if (outermost) return command(QStringLiteral("ROLLBACK"), error);
  return command("ROLLBACK TO SAVEPOINT " + quoted(name), error) &&
         command("RELEASE SAVEPOINT " + quoted(name), error);
}

}  // namespace zolmar
#endif
