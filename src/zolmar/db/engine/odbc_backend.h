#pragma once
// The connection's SQL Server side: T-SQL goes to the server unchanged
// through unixODBC (FreeTDS in production). Other ODBC drivers work too;
// what differs (identity read-back, nested transactions, batches) is chosen
// from the DBMS name the driver reports.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace zolmar {

class OdbcBackend {
 public:
  // connectionString without the "odbc:" prefix. Null with *error on failure.
  static std::unique_ptr<OdbcBackend> connect(const QString& connectionString, QString* error);
  ~OdbcBackend();
  OdbcBackend(const OdbcBackend&) = delete;
  OdbcBackend& operator=(const OdbcBackend&) = delete;

  // Runs one statement or a " ; " batch; mode (as ExecuteSQL) applies to the
  // last statement. A batch of several statements is all or nothing.
  bool execute(const QString& sql, qint32 mode, const QVariant& def, const QVariantList& params,
               QVariant* result, QString* error);

  // Runs one SELECT and hands its rows to onRow as they are fetched, until
  // onRow returns false.
  bool readRows(const QString& sql, const std::function<bool(const QVector<QVariant>&)>& onRow,
                QString* error);

  // Named transactions: the first opens one, the others nest inside it.
  bool begin(const QString& name, QString* error);
  // Closes the named level and every level opened after it.
  bool commit(const QString& name, QString* error);
  bool rollback(const QString& name, QString* error);
  qsizetype depth() const { return levels_.size(); }

  QString dbmsName() const { return dbmsName_; }
  QString databaseName() const { return databaseName_; }
  bool isSqlServer() const { return sqlServer_; }
  QString connectionString() const { return connectionString_; }
  // The same connection string naming another database of the server.
  static QString withDatabase(const QString& connectionString, const QString& database);

 private:
  OdbcBackend() = default;
  bool runStatement(const QString& sql, qint32 mode, const QVariant& def, const QVariantList& params,
                    QVariant* result, QString* error);
  bool runBatch(const QStringList& statements, qint32 mode, const QVariant& def, QVariant* result,
                QString* error);
  QString identityQuery() const;
  bool run(const QString& sql, QString* error);
  bool setAutocommit(bool on, QString* error);
  bool endTransaction(bool commit, QString* error);
  static QString levelId(const QString& name);

  void* env_ = nullptr;  // SQLHENV
  void* dbc_ = nullptr;  // SQLHDBC
  QString connectionString_;
  QString dbmsName_;
  QString databaseName_;
  bool sqlServer_ = false;
  QStringList levels_;  // open transaction names, outermost first
};

}  // namespace zolmar
