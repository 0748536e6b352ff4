#pragma once
// Copies of the company database kept beside it, in the folder "Copias de
// seguridad": made with SQLite's online backup before an operation that cannot
// be undone, listed, and restored into the open database. A database in
// memory has no copies; one on a server is copied by its server.

#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>

namespace zolmar {

class Connection;
class LockManager;

class BackupService {
 public:
  static constexpr qint32 kKept = 20;
  static const QString kFolderName;
  // Configuration key: "0" turns off the copies made before an operation that
  // cannot be undone (a company copied by other means, or a benchmark timing
  // the operation alone); copies on request still work.
  static constexpr const char* kConfigKey = "CFG_COPIAS:AUTOMATICAS";

  struct Copy {
    QString path;
    QString operation;
    QDateTime made;
    qint64 bytes = 0;
  };

  // locks: the session whose open windows a restore must not pull the data from under.
  BackupService(std::shared_ptr<Connection> cn, LockManager* locks);

  // Why this database has no copies here ("" when it has): in memory, or on a server.
  QString unavailableReason() const;
  QString folder() const;
  // The copies before operations are made (kConfigKey is not "0").
  bool automatic() const;
  // The new copy's path; "" with *error when it could not be made. Only the
  // newest kKept copies of this database stay.
  QString make(const QString& operation, QString* error);
  // This database's copies, newest first.
  QList<Copy> list() const;
  // The open database becomes the copy; false with *error, the database
  // untouched, when it is refused or fails.
  bool restore(const QString& copyPath, QString* error);
  // Another process holds a lock on the database file or its shared-memory
  // index: it has the database open.
  bool openElsewhere() const;

 private:
  QString namePrefix() const;
  void prune() const;
  bool holdsLocks() const;

  std::shared_ptr<Connection> cn_;
  LockManager* locks_;
};

}  // namespace zolmar
