#pragma once
// One ODBC statement handle: runs text with bound values and reads its
// results as QVariants, text always as wide characters so accents and ñ
// arrive intact whatever the driver's narrow encoding.

#include <sql.h>
#include <sqlext.h>

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

namespace zolmar {

class OdbcStatement {
 public:
  explicit OdbcStatement(SQLHDBC dbc);
  ~OdbcStatement();
  OdbcStatement(const OdbcStatement&) = delete;
  OdbcStatement& operator=(const OdbcStatement&) = delete;

  // False with *error set (the driver's diagnostic text) on failure.
  bool execute(const QString& sql, const QVariantList& params, QString* error);
  // Columns of the current result; 0 for a statement that returns no rows.
  int columnCount() const;
  // Rows changed by the current result, -1 when the driver does not know.
  qint64 rowCount() const;
  QStringList columnNames() const;
  // Every row of the current result (at most maxRows kept when >= 0).
  bool readRows(QVector<QVector<QVariant>>* rows, QString* error, qsizetype maxRows = -1);
  // Fetches the next row into *row (only moves past it when row is null);
  // false at the end, or on error with *error set.
  bool nextRow(QVector<QVariant>* row, QString* error);
  // Moves to the next result of a batch; false at the end or on error (*error set).
  bool nextResult(QString* error);

  // The diagnostic records of a handle, joined.
  static QString diagnostic(SQLSMALLINT handleType, SQLHANDLE handle);
  static QString fromWide(const SQLWCHAR* text, qsizetype length);
  static std::vector<SQLWCHAR> toWide(const QString& text);

 private:
  struct Column {
    QString name;
    SQLSMALLINT type = 0;
    SQLSMALLINT digits = 0;
  };
  bool describe(QString* error);
  bool bind(const QVariantList& params, QString* error);
  QVariant readValue(SQLUSMALLINT index, const Column& column, QString* error);
  QVariant readText(SQLUSMALLINT index, QString* error);
  QVariant readBinary(SQLUSMALLINT index, QString* error);
  QString fail(SQLRETURN rc) const;

  SQLHSTMT stmt_ = SQL_NULL_HSTMT;
  QVector<Column> columns_;
  // Bound values must outlive SQLExecDirect.
  std::vector<std::vector<SQLWCHAR>> texts_;
  std::vector<SQLBIGINT> integers_;
  std::vector<SQLDOUBLE> doubles_;
  std::vector<SQL_TIMESTAMP_STRUCT> timestamps_;
  std::vector<SQLLEN> indicators_;
};

}  // namespace zolmar
