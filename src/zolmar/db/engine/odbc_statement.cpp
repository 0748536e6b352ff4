#ifdef ZOLMAR_HAVE_ODBC
#include "zolmar/db/engine/odbc_statement.h"

#include <QDateTime>
#include <limits>

namespace zolmar {

namespace {

constexpr SQLLEN kChunkChars = 2048;

bool succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

QVariant integerValue(SQLBIGINT v) {
  if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
    return QVariant(static_cast<qint32>(v));
  return QVariant(static_cast<qlonglong>(v));
}

}  // namespace

OdbcStatement::OdbcStatement(SQLHDBC dbc) { SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt_); }

OdbcStatement::~OdbcStatement() {
  if (stmt_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
}

QString OdbcStatement::fromWide(const SQLWCHAR* text, qsizetype length) {
  static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC wide characters are UTF-16");
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

std::vector<SQLWCHAR> OdbcStatement::toWide(const QString& text) {
  std::vector<SQLWCHAR> wide(text.size() + 1, 0);
  std::copy(text.utf16(), text.utf16() + text.size(), wide.begin());
  return wide;
}

QString OdbcStatement::diagnostic(SQLSMALLINT handleType, SQLHANDLE handle) {
  QStringList parts;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLWCHAR state[6] = {};
    SQLWCHAR message[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN rc =
        SQLGetDiagRecW(handleType, handle, record, state, &native, message, SQL_MAX_MESSAGE_LENGTH, &length);
    if (!succeeded(rc)) break;
    const qsizetype size = std::min<qsizetype>(length, SQL_MAX_MESSAGE_LENGTH - 1);
    parts << QStringLiteral("%1 (%2)").arg(fromWide(message, size).trimmed(), fromWide(state, 5));
  }
  return parts.isEmpty() ? QStringLiteral("Error de ODBC sin diagnóstico") : parts.join(QStringLiteral("; "));
}

QString OdbcStatement::fail(SQLRETURN rc) const {
  if (stmt_ == SQL_NULL_HSTMT) return QStringLiteral("No se pudo preparar la sentencia ODBC");
  if (rc == SQL_INVALID_HANDLE) return QStringLiteral("Manejador ODBC no válido");
  return diagnostic(SQL_HANDLE_STMT, stmt_);
}

bool OdbcStatement::bind(const QVariantList& params, QString* error) {
  const size_t count = static_cast<size_t>(params.size());
  texts_.clear();
  texts_.reserve(count);
  integers_.assign(count, 0);
  doubles_.assign(count, 0);
  timestamps_.assign(count, SQL_TIMESTAMP_STRUCT{});
  indicators_.assign(count, 0);
  for (size_t i = 0; i < count; ++i) {
    const QVariant& v = params[static_cast<qsizetype>(i)];
    const auto number = static_cast<SQLUSMALLINT>(i + 1);
    SQLRETURN rc;
    if (!v.isValid() || v.isNull()) {
      indicators_[i] = SQL_NULL_DATA;
      rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 1, 0, nullptr, 0,
                            &indicators_[i]);
    } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
      doubles_[i] = v.toDouble();
      rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 15, 0, &doubles_[i], 0,
                            nullptr);
    } else if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate) {
      // A timestamp, not text: the server's date format never reinterprets it.
      const QDateTime t = v.toDateTime();
      timestamps_[i] = {static_cast<SQLSMALLINT>(t.date().year()),
                        static_cast<SQLUSMALLINT>(t.date().month()),
                        static_cast<SQLUSMALLINT>(t.date().day()),
                        static_cast<SQLUSMALLINT>(t.time().hour()),
                        static_cast<SQLUSMALLINT>(t.time().minute()),
                        static_cast<SQLUSMALLINT>(t.time().second()),
                        0};
      rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, 19, 0,
                            &timestamps_[i], 0, nullptr);
    } else if (v.typeId() != QMetaType::QString && v.canConvert<qlonglong>() &&
               v.typeId() != QMetaType::QByteArray) {
      integers_[i] = v.toLongLong();
      rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 19, 0, &integers_[i],
                            0, nullptr);
    } else {
      const QString text = v.toString();
      texts_.push_back(toWide(text));
      indicators_[i] = static_cast<SQLLEN>(text.size() * sizeof(SQLWCHAR));
      const SQLULEN size = std::max<SQLULEN>(1, static_cast<SQLULEN>(text.size()));
      rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_WCHAR,
                            size > 4000 ? SQL_WLONGVARCHAR : SQL_WVARCHAR, size, 0, texts_.back().data(),
                            indicators_[i], &indicators_[i]);
    }
    if (!succeeded(rc)) {
      *error = fail(rc);
      return false;
    }
  }
  return true;
}

bool OdbcStatement::execute(const QString& sql, const QVariantList& params, QString* error) {
  if (stmt_ == SQL_NULL_HSTMT) {
    *error = fail(SQL_ERROR);
    return false;
  }
  if (!bind(params, error)) return false;
  std::vector<SQLWCHAR> text = toWide(sql);
  const SQLRETURN rc = SQLExecDirectW(stmt_, text.data(), static_cast<SQLINTEGER>(sql.size()));
  // SQL_NO_DATA: a searched UPDATE or DELETE that touched no row.
  if (!succeeded(rc) && rc != SQL_NO_DATA) {
    *error = fail(rc);
    return false;
  }
  return describe(error);
}

bool OdbcStatement::describe(QString* error) {
  columns_.clear();
  SQLSMALLINT count = 0;
  SQLRETURN rc = SQLNumResultCols(stmt_, &count);
  if (!succeeded(rc)) {
    *error = fail(rc);
    return false;
  }
  for (SQLUSMALLINT i = 1; i <= count; ++i) {
    SQLWCHAR name[256] = {};
    SQLSMALLINT nameLength = 0;
    SQLULEN size = 0;
    SQLSMALLINT nullable = 0;
    Column column;
    rc = SQLDescribeColW(stmt_, i, name, 255, &nameLength, &column.type, &size, &column.digits, &nullable);
    if (!succeeded(rc)) {
      *error = fail(rc);
      return false;
    }
    column.name = fromWide(name, std::min<qsizetype>(nameLength, 255));
    columns_ << column;
  }
  return true;
}

int OdbcStatement::columnCount() const { return static_cast<int>(columns_.size()); }

qint64 OdbcStatement::rowCount() const {
  SQLLEN count = -1;
  if (!succeeded(SQLRowCount(stmt_, &count))) return -1;
  return count;
}

QStringList OdbcStatement::columnNames() const {
  QStringList names;
  for (const Column& c : columns_) names << c.name;
  return names;
}

bool OdbcStatement::nextResult(QString* error) {
  const SQLRETURN rc = SQLMoreResults(stmt_);
  if (rc == SQL_NO_DATA) return false;
  if (!succeeded(rc)) {
    *error = fail(rc);
    return false;
  }
  return describe(error);
}

bool OdbcStatement::readRows(QVector<QVector<QVariant>>* rows, QString* error, qsizetype maxRows) {
  for (;;) {
    const bool keep = maxRows < 0 || rows->size() < maxRows;
    QVector<QVariant> row;
    if (!nextRow(keep ? &row : nullptr, error)) return error->isEmpty();
    if (keep) rows->push_back(std::move(row));
  }
}

bool OdbcStatement::nextRow(QVector<QVariant>* row, QString* error) {
  error->clear();
  const SQLRETURN rc = SQLFetch(stmt_);
  if (rc == SQL_NO_DATA) return false;
  if (!succeeded(rc)) {
    *error = fail(rc);
    return false;
  }
  if (!row) return true;
  row->clear();
  row->reserve(columns_.size());
  for (qsizetype i = 0; i < columns_.size(); ++i) {
    row->push_back(readValue(static_cast<SQLUSMALLINT>(i + 1), columns_[i], error));
    if (!error->isEmpty()) return false;
  }
  return true;
}

QVariant OdbcStatement::readValue(SQLUSMALLINT index, const Column& column, QString* error) {
  SQLLEN indicator = 0;
  SQLRETURN rc = SQL_SUCCESS;
  switch (column.type) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: {
      SQLBIGINT v = 0;
      rc = SQLGetData(stmt_, index, SQL_C_SBIGINT, &v, 0, &indicator);
      if (succeeded(rc)) return indicator == SQL_NULL_DATA ? QVariant() : integerValue(v);
      break;
    }
    case SQL_DECIMAL:
    case SQL_NUMERIC:
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: {
      SQLDOUBLE v = 0;
      rc = SQLGetData(stmt_, index, SQL_C_DOUBLE, &v, 0, &indicator);
      if (!succeeded(rc)) break;
      if (indicator == SQL_NULL_DATA) return QVariant();
      // Whole-number decimals (an identity read back as numeric) stay integers.
      const bool whole = (column.type == SQL_DECIMAL || column.type == SQL_NUMERIC) && column.digits == 0;
      return whole ? integerValue(static_cast<SQLBIGINT>(v)) : QVariant(v);
    }
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
      return readBinary(index, error);
    default:
      return readText(index, error);
  }
  *error = fail(rc);
  return QVariant();
}

QVariant OdbcStatement::readText(SQLUSMALLINT index, QString* error) {
  QString text;
  std::vector<SQLWCHAR> buffer(kChunkChars + 1);
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(stmt_, index, SQL_C_WCHAR, buffer.data(),
                                    static_cast<SQLLEN>(buffer.size() * sizeof(SQLWCHAR)), &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!succeeded(rc)) {
      *error = fail(rc);
      return QVariant();
    }
    if (indicator == SQL_NULL_DATA) return QVariant();
    // A part that did not fit fills the buffer less its terminator.
    const bool partial =
        indicator == SQL_NO_TOTAL || indicator / static_cast<SQLLEN>(sizeof(SQLWCHAR)) > kChunkChars;
    const qsizetype chars = partial ? kChunkChars : indicator / static_cast<SQLLEN>(sizeof(SQLWCHAR));
    text += fromWide(buffer.data(), chars);
    if (rc == SQL_SUCCESS || !partial) break;
  }
  return QVariant(text);
}

QVariant OdbcStatement::readBinary(SQLUSMALLINT index, QString* error) {
  QByteArray bytes;
  char buffer[4096];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(stmt_, index, SQL_C_BINARY, buffer, sizeof(buffer), &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!succeeded(rc)) {
      *error = fail(rc);
      return QVariant();
    }
    if (indicator == SQL_NULL_DATA) return QVariant();
    const bool partial = indicator == SQL_NO_TOTAL || indicator > static_cast<SQLLEN>(sizeof(buffer));
    bytes.append(buffer, partial ? static_cast<qsizetype>(sizeof(buffer)) : indicator);
    if (rc == SQL_SUCCESS || !partial) break;
  }
  return QVariant(bytes);
}

}  // namespace zolmar
#endif
