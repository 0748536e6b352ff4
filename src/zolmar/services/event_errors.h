#pragma once
// What the host does with an error that escapes a window's event handler:
// the person is told, with the window's name; every transaction still open on
// the connection is rolled back; the table locks the handler took are freed.
// Locks taken while a handler runs are logged against its mark; nested
// handlers (a window waited for inside another's handler) stack their marks.

#include <QString>
#include <QVector>
#include <memory>

namespace zolmar {

class AppGlobal;
class Connection;
class LockManager;

class EventErrors {
 public:
  EventErrors(std::shared_ptr<Connection> cn, std::shared_ptr<LockManager> locks);

  qint32 begin();
  void end(qint32 mark);
  // A lock obtained by this session.
  void locked(const QString& table, const QString& filter);
  void handle(AppGlobal& app, qint32 mark, const QString& formName, const QString& message);

 private:
  struct Lock {
    QString table;
    QString filter;
  };
  void rollBackAll();
  void releaseSince(qint32 mark);

  std::shared_ptr<Connection> cn_;
  std::shared_ptr<LockManager> locks_;
  QVector<Lock> taken_;
  qint32 depth_ = 0;
};

}  // namespace zolmar
