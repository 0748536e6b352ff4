#pragma once
// Which files must never be written over, nor even opened and closed, by
// this process.
//
// SQLite keeps its locks on a database file as POSIX locks, and POSIX drops
// every lock a process holds on a file as soon as that process closes any
// descriptor of it. So while a session has its database open, nothing else
// in the process may open that file (or its -wal/-shm, or a database of its
// server folder that it may attach): the host declares those files here when
// it opens a session, and every output and every chooser asks first. A
// session's files are recognised by path and inode; only other files have
// their header read.

#include <QString>

namespace zolmar {

class DatabaseFileGuard {
 public:
  // The session owner (one per open database) has databaseFile open, and may
  // attach the <Name>.db files of serverFolder. Either may be empty.
  static void Register(const void* owner, const QString& databaseFile, const QString& serverFolder);
  static void Unregister(const void* owner);

  // A file SQLite may hold open in this process: a registered database, a
  // database of a registered server folder, or their -wal, -shm or -journal.
  // Decided without opening anything.
  static bool IsOpenDatabase(const QString& file);
  // An open database as above, or an existing SQLite file (or one of its
  // companions): its header is read only when it is not open.
  static bool IsDatabase(const QString& file);
  // The refusal for writing file, as the person gave it; "" when it may be written.
  static QString OutputRefusal(const QString& file);
  // A SQLite file by its header. Never call it on an open database.
  static bool HasSqliteHeader(const QString& file);
};

}  // namespace zolmar
