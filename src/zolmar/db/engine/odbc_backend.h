#pragma once
// The connection's SQL Server side: T-SQL goes to the server unchanged
// through unixODBC (FreeTDS in production). Other ODBC drivers work too;
// what differs (identity read-back, nested transactions, batches) is chosen
// from the DBMS name the driver reports.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

#include "zolmar/db/engine/backend.h"

namespace zolmar {

class OdbcBackend : public Backend {
 public:
  // connectionString without the "odbc:" prefix. Null with *error on failure.
  static std::unique_ptr<OdbcBackend> connect(const QString& connectionString, QString* error);
  ~OdbcBackend() override;
  OdbcBackend(const OdbcBackend&) = delete;
  OdbcBackend& operator=(const OdbcBackend&) = delete;

  // One statement or a " ; " batch, as written; fetch applies to the last
  // statement. A batch of several statements is all or nothing.
  bool run(const QString& sql, const QVector<QVariant>& params, Fetch fetch, StatementResult* out,
           QString* error) override;
  bool stream(const QString& sql, const QVector<QVariant>& params, const RowCallback& onRow,
              QString* error) override;
  bool adaptNative(QString* sql, QVector<QVariant>* params, QString* error) override;

  // Named transactions: the first opens one, the others nest inside it. Commit
  // and rollback close the named level and every level opened after it.
  bool begin(const QString& name, bool* outermost, QString* error) override;
  bool commit(const QString& name, bool outermost, QString* error) override;
  bool rollback(const QString& name, bool outermost, QString* error) override;
  QString databaseName() const override { return databaseName_; }
  QString locationOf(const QString& name, QString* error) const override;
  qsizetype depth() const { return levels_.size(); }

  QString dbmsName() const { return dbmsName_; }
  bool isSqlServer() const { return sqlServer_; }
  QString connectionString() const { return connectionString_; }
  // The same connection string naming another database of the server.
  static QString withDatabase(const QString& connectionString, const QString& database);

 private:
  OdbcBackend() = default;
  bool runStatement(const QString& sql, Fetch fetch, const QVector<QVariant>& params, StatementResult* out,
                    QString* error);
  bool runBatch(const QStringList& statements, Fetch fetch, StatementResult* out, QString* error);
  bool open(const QString& name, QString* error);
  bool close(const QString& name, bool commit, QString* error);
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
