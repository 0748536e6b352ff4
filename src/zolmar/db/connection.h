#pragma once
// The host connection: T-SQL in, run by one engine (SQLite, SQL Server
// through ODBC, or PostgreSQL). What every engine shares is written here once: recording,
// fault injection, the statement modes, named transactions, the translation
// cache and the all-or-nothing batch.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

#include "host/i_connection.h"

struct sqlite3;

namespace zolmar {

class Backend;
class SqliteBackend;
class TSqlTranslator;
struct TSqlTranslation;

class Connection : public arboles::IConnection {
 public:
  // Receives every T-SQL text given to ExecuteSQL or ReadRows (as mode 5),
  // before it runs.
  using StatementRecorder = std::function<void(const QString& tsql, qint32 mode)>;
  // Asked before each statement given to ExecuteSQL or ReadRows runs (every
  // statement of a batch); true makes that statement fail as a real failure would.
  using StatementFault = std::function<bool()>;

  // ":memory:", a database file (created when missing), "odbc:<connection
  // string>" for SQL Server, whose T-SQL is sent unchanged, or
  // "postgresql://...?empresa=Name" for a PostgreSQL server. Null with *error
  // set on failure.
  static std::shared_ptr<Connection> open(const QString& pathOrMemory, QString* error);
  ~Connection() override;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  QVariant ExecuteSQL(const QString& sql, qint32 mode = 0, const QVariant& def = QVariant(),
                      bool flag = false) override;
  bool ReadRows(const QString& sql, const RowCallback& onRow) override;
  // Recorded as mode 5; on SQLite the statement must be one SQLite itself
  // calls read-only and runs with the connection in query_only; on a server
  // it runs inside a transaction that is always rolled back.
  arboles::RecordsetPtr QueryReadOnly(const QString& sql) override;
  bool HasError() const override { return hasError_; }
  QString LastError() const override { return lastError_; }

  void BeginTrans(const QString& name) override;
  void CommitTrans(const QString& name, qint32 flags = 0) override;
  void RollbackTrans(const QString& name) override;

  QString SQLLiteral(const QVariant& value, qint32 kind = 0) const override;
  QString BuildCondition(const QString& typed, const QString& column, qint32 kind) const override;
  QString NameSearchWhere(const QString& typed, const QString& column) const override;

  // SQLite SQL, untranslated (schema creation, host tables). Same modes and
  // error handling as ExecuteSQL; params bind to ?1, ?2, ...
  QVariant executeNative(const QString& sql, qint32 mode = 0, const QVariant& def = QVariant(),
                         const QVariantList& params = {});

  // Runs work in one write transaction (a savepoint inside an open one);
  // commits when it returns true, else leaves nothing of it.
  bool atomically(const std::function<bool()>& work, QString* error);

  // Opened with "odbc:": SQL goes to the server as it is, untranslated.
  bool isOdbc() const { return odbc_; }
  // Opened with "postgresql://": a PostgreSQL server, the company a schema of it.
  bool isPostgres() const { return postgres_; }
  // Opened with "odbc:" on a SQL Server (not another engine behind its driver).
  bool isSqlServer() const { return sqlServer_; }
  // On a server (SQL Server or PostgreSQL): no file of this machine holds it.
  bool isServer() const { return odbc_ || postgres_; }
  // Whether the text names a server rather than a file ("odbc:...", "postgresql://...").
  static bool namesServer(const QString& location);
  // What the connection names the database in messages: the connection
  // string shows no password.
  static QString displayName(const QString& pathOrOdbc);

  void setStatementRecorder(StatementRecorder recorder) { recorder_ = std::move(recorder); }
  void setStatementFault(StatementFault fault) { fault_ = std::move(fault); }
  void setBusyTimeout(int milliseconds);
  // Folder whose <Name>.db files are the other databases of this "server".
  // Defaults to the folder of the database file; empty for ":memory:".
  void setServerFolder(const QString& folder);
  QString serverFolder() const;
  QString path() const { return path_; }
  // Name of this database on its server: the file name without ".db".
  QString databaseName() const;
  // The name statements give this database ("Name..table"): databaseName(),
  // or "Empresa" for one that has no server (in memory).
  QString catalogName() const;
  // Another database of the same server ("Zolmar_Cons#1"), by its file.
  std::shared_ptr<Connection> openDatabase(const QString& name, QString* error) const;

  // The server's name for this session; empty on an engine without sessions.
  QString serverSession() const;
  // Whether a server session still runs (true when the server cannot tell).
  bool serverSessionAlive(const QString& session) const;

  qint32 transactionDepth() const { return static_cast<qint32>(transactions_.size()); }
  QStringList transactionNames() const { return transactions_; }
  // The SQLite database; null on another engine.
  sqlite3* handle() const;
  TSqlTranslator& translator();
  // Forget cached column types after the schema changed.
  void schemaChanged();

 private:
  Connection() = default;
  bool runSingle(const TSqlTranslation& t, const QVector<QVariant>& literals, const QString& original,
                 qint32 mode, const QVariant& def, QVariant* result);
  bool runBatch(const QVector<TSqlTranslation>& batch, const QString& original, qint32 mode,
                const QVariant& def, QVariant* result);
  bool injectedFault(QString* error) const;
  bool runOne(const QString& sql, const QVector<QVariant>& params, qint32 mode, const QVariant& def,
              QVariant* result, QString* error);
  void fail(const QString& message);
  void succeed();

  std::unique_ptr<Backend> backend_;
  SqliteBackend* sqlite_ = nullptr;  // backend_ when it is SQLite
  bool odbc_ = false;
  bool sqlServer_ = false;
  bool postgres_ = false;
  QString path_;
  QStringList transactions_;  // open transaction names, outermost first
  StatementRecorder recorder_;
  StatementFault fault_;
  bool hasError_ = false;
  QString lastError_;
};

}  // namespace zolmar
