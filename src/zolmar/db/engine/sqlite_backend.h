#pragma once
// The SQLite engine: a database file (or memory) whose statements come from
// the T-SQL translator; the other databases of its "server" are the .db
// files of its folder, attached when a statement names them.

#include <QHash>
#include <QString>
#include <array>
#include <memory>

#include "zolmar/db/engine/backend.h"

struct sqlite3;
struct sqlite3_stmt;

namespace zolmar {

class SqliteColumnTypes;

class SqliteBackend : public Backend {
 public:
  // ":memory:" (or "") or a database file, created when missing. Null with *error.
  static std::unique_ptr<SqliteBackend> open(const QString& pathOrMemory, QString* error);
  ~SqliteBackend() override;
  SqliteBackend(const SqliteBackend&) = delete;
  SqliteBackend& operator=(const SqliteBackend&) = delete;

  TSqlTranslator* translator() override { return translator_.get(); }
  void schemaChanged() override;
  bool useDatabases(const QStringList& names, QString* error) override;
  bool run(const QString& sql, const QVector<QVariant>& params, Fetch fetch, StatementResult* out,
           QString* error) override;
  bool stream(const QString& sql, const QVector<QVariant>& params, const RowCallback& onRow,
              QString* error) override;
  bool runReadOnly(const QString& sql, const QVector<QVariant>& params, StatementResult* out,
                   QString* error) override;
  bool begin(const QString& name, bool* outermost, QString* error) override;
  bool commit(const QString& name, bool outermost, QString* error) override;
  bool rollback(const QString& name, bool outermost, QString* error) override;
  QString databaseName() const override;
  QString locationOf(const QString& name, QString* error) const override;

  sqlite3* handle() const { return db_; }
  void setBusyTimeout(int milliseconds);
  // Folder whose <Name>.db files are the other databases; empty for memory.
  void setServerFolder(const QString& folder);
  QString serverFolder() const { return serverFolder_; }

 private:
  SqliteBackend() = default;
  static QString message(sqlite3* db, int rc);
  bool configure(const QString& path, QString* error);
  bool execSimple(const QString& sql, QString* error);
  sqlite3_stmt* prepared(const QString& sql, QString* error);
  sqlite3_stmt* remember(const QString& sql, sqlite3_stmt* stmt);
  void resetStatements();
  bool refreshMaster(QString* error);
  QString catalogName() const;

  sqlite3* db_ = nullptr;
  QString path_;
  QString serverFolder_;
  std::unique_ptr<TSqlTranslator> translator_;
  std::shared_ptr<SqliteColumnTypes> columnTypes_;
  struct RecentStatement {
    QString sql;
    sqlite3_stmt* stmt = nullptr;
  };
  QHash<QString, sqlite3_stmt*> statements_;
  std::array<RecentStatement, 4> recent_;  // the last statements run, found without hashing
  int nextRecent_ = 0;
  QHash<QString, bool> attached_;  // upper-case schema names
};

}  // namespace zolmar
