#pragma once
// Table locks shared by every process that opens the database: rows of
// ZolmarBloqueos owned by a session. Two locks conflict when they name the
// same table and their filters are equal or either is empty; a session is
// refused a lock it already holds (the same editor opened twice).

#include <QDateTime>
#include <QString>
#include <memory>

namespace zolmar {

class Connection;

class LockManager {
 public:
  explicit LockManager(std::shared_ptr<Connection> cn);
  ~LockManager();
  LockManager(const LockManager&) = delete;
  LockManager& operator=(const LockManager&) = delete;

  // True when the lock was NOT obtained; lock False releases (and answers False).
  bool LockTable(qint32 kind, bool lock, const QString& table, qint32 reserved, const QString& filter,
                 qint32 lockKind);
  // Every lock of this session goes.
  void releaseAll();

  QString sessionId() const { return session_; }
  // How many locks this session was refused so far.
  qint64 refusals() const { return refusals_; }
  // Who holds the lock of the last refusal, for the person: the computer,
  // program and time of its row, or this very session (an editor it has
  // open). Empty before any refusal.
  QString lastHolderText() const;
  QString lastError() const { return lastError_; }
  // Whether a process of this machine still runs.
  static bool processAlive(qint64 pid);
  // "Tipo = 3" and "tipo=3" are the same filter.
  static QString normalizedFilter(const QString& filter);

 private:
  bool serialize();
  bool acquire(const QString& table, const QString& filter, bool* refused);
  bool ownerGone(const QString& session, qint64 pid, const QString& host) const;

  std::shared_ptr<Connection> cn_;
  QString session_;
  QString lastError_;
  struct Holder {
    QString computer;
    QString program;
    QDateTime since;
    bool sameSession = false;
  } holder_;
  qint64 refusals_ = 0;
};

}  // namespace zolmar
