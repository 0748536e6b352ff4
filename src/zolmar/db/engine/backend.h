#pragma once
// What the connection asks of a database engine: run one statement, stream
// the rows of one, nest transactions, name the server's other databases.
// Recording, fault injection, the statement modes, named transactions and the
// translation cache are the connection's, written once above the engines.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

#include "host/i_row_view.h"

namespace zolmar {

class TSqlTranslator;

// What one statement gave back.
struct StatementResult {
  QVariant first;                   // the first value of the first row (Fetch::FirstValue)
  QStringList names;                // the columns of the rows read
  QVector<QVector<QVariant>> rows;  // every row (Fetch::AllRows)
  qint64 changed = 0;               // rows written
  QVariant newId;                   // the id the INSERT created (Fetch::NewId); null when none
};

class Backend {
 public:
  enum class Fetch { Nothing, FirstValue, AllRows, NewId };
  using RowCallback = std::function<bool(const arboles::IRowView& row)>;

  virtual ~Backend() = default;

  // The translator into the engine's dialect; null when T-SQL goes as written.
  virtual TSqlTranslator* translator() { return nullptr; }
  // What the engine remembers of the tables is forgotten (after DDL).
  virtual void schemaChanged() {}
  // The other databases a statement names become reachable.
  virtual bool useDatabases(const QStringList& names, QString* error);
  // The host's own SQL numbers its values ?1, ?2: rewritten to the engine's form.
  virtual bool adaptNative(QString* sql, QVector<QVariant>* params, QString* error);

  // One statement (or, for an engine without translation, the text as written).
  virtual bool run(const QString& sql, const QVector<QVariant>& params, Fetch fetch, StatementResult* out,
                   QString* error) = 0;
  // The rows of one SELECT, handed over as they come until onRow returns false.
  // onRow may run other statements meanwhile.
  virtual bool stream(const QString& sql, const QVector<QVariant>& params, const RowCallback& onRow,
                      QString* error) = 0;

  // One statement a person typed, allowed to read and never to write. By
  // default it runs inside a level that is always rolled back, so whatever it
  // might change is undone; an engine that can tell a write before running it
  // refuses it instead.
  virtual bool runReadOnly(const QString& sql, const QVector<QVariant>& params, StatementResult* out,
                           QString* error);

  // Named levels: begin reports whether it opened the outermost one; commit and
  // rollback are told whether the level is the outermost.
  virtual bool begin(const QString& name, bool* outermost, QString* error) = 0;
  virtual bool commit(const QString& name, bool outermost, QString* error) = 0;
  virtual bool rollback(const QString& name, bool outermost, QString* error) = 0;

  // The server's own name for this connection's session, so that what the
  // session leaves behind (a table lock) can be told from what a session
  // that has ended left; empty when the engine has no server sessions.
  virtual QString serverSession() { return QString(); }
  // Whether the server session of that name still runs; true when the server
  // cannot tell, so a lock is never taken from a session that may be alive.
  virtual bool serverSessionAlive(const QString&) { return true; }

  // This database's name on its server; empty when it has none.
  virtual QString databaseName() const = 0;
  // What Connection::open takes to reach another database of the same server;
  // empty with *error when there is no such database.
  virtual QString locationOf(const QString& name, QString* error) const = 0;
};

}  // namespace zolmar
