#include "zolmar/db/lock_manager.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSysInfo>
#include <QUuid>
#include <cerrno>

#include "host/host_types.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/rows/row_set.h"
#include "zolmar/db/schema.h"

namespace zolmar {

namespace {

// Sessions alive in this process: a lock of this pid whose session is not
// here was left by an earlier run that reused the pid.
QMutex sessionsMutex;
QSet<QString>& liveSessions() {
  static QSet<QString> sessions;
  return sessions;
}

QString thisHost() { return QSysInfo::machineHostName(); }

// The row's time as SQLite gives it back (text) or as a server does.
QDateTime dateOf(const QVariant& value) {
  if (value.typeId() != QMetaType::QString) return value.toDateTime();
  const QDateTime exact = QDateTime::fromString(value.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  return exact.isValid() ? exact : value.toDateTime();
}

// A session names the program it belongs to, so that a person refused a lock
// learns which program holds it: "zolmar:" and a short unique id, 40
// characters at most; on a server, "/" and the server's session after them.
QString newSession(const Connection& cn) {
  const QString program = QCoreApplication::instance()
                              ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                              : QString();
  const QByteArray id = QUuid::createUuid().toRfc4122().toBase64(QByteArray::Base64UrlEncoding |
                                                                 QByteArray::OmitTrailingEquals);
  const QString server = cn.serverSession();
  return program.left(17) + QLatin1Char(':') + QString::fromLatin1(id) +
         (server.isEmpty() ? QString() : QLatin1Char('/') + server);
}

}  // namespace

LockManager::LockManager(std::shared_ptr<Connection> cn) : cn_(std::move(cn)), session_(newSession(*cn_)) {
  QMutexLocker locker(&sessionsMutex);
  liveSessions().insert(session_);
  cn_->executeNative(Schema::tableDdl(QStringLiteral("ZolmarBloqueos"), Schema::dialectOf(*cn_)));
}

LockManager::~LockManager() {
  releaseAll();
  QMutexLocker locker(&sessionsMutex);
  liveSessions().remove(session_);
}

QString LockManager::normalizedFilter(const QString& filter) {
  QString out;
  for (QChar c : filter)
    if (!c.isSpace()) out += c.toLower();
  return out;
}

bool LockManager::processAlive(qint64 pid) {
  if (pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// A lock taken through a server is its server session's: the server knows
// whether that session still runs, whichever computer it came from.
bool LockManager::ownerGone(const QString& session, qint64 pid, const QString& host) const {
  if (session.contains(QLatin1Char('/')))
    return !cn_->serverSessionAlive(session.section(QLatin1Char('/'), 1));
  if (host.compare(thisHost(), Qt::CaseInsensitive) != 0) return false;
  if (pid == QCoreApplication::applicationPid()) {
    QMutexLocker locker(&sessionsMutex);
    return !liveSessions().contains(session);
  }
  return !processAlive(pid);
}

bool LockManager::LockTable(qint32, bool lock, const QString& table, qint32, const QString& filter, qint32) {
  lastError_.clear();
  if (!lock) {
    cn_->executeNative(
        QStringLiteral("DELETE FROM ZolmarBloqueos WHERE Sesion=?1 AND Tabla=?2 AND Filtro=?3"), 0, {},
        {session_, table, normalizedFilter(filter)});
    if (cn_->HasError()) lastError_ = cn_->LastError();
    return false;
  }
  bool refused = false;
  QString error;
  const bool done = cn_->atomically([&] { return acquire(table, filter, &refused); }, &error);
  if (!done) {
    if (lastError_.isEmpty()) lastError_ = error;
    return true;
  }
  return refused;
}

// Two sessions asking at once must not both find the table free: SQLite's
// write transaction already excludes the other one; a server's does not
// until the lock table itself is locked for the rest of the transaction.
bool LockManager::serialize() {
  QString sql;
  switch (Schema::dialectOf(*cn_)) {
    case SchemaDdl::SQLite:
      return true;
    case SchemaDdl::PostgreSQL:
      sql = QStringLiteral("LOCK TABLE ZolmarBloqueos IN SHARE ROW EXCLUSIVE MODE");
      break;
    case SchemaDdl::SqlServer:
      sql = QStringLiteral("SELECT COUNT(*) FROM ZolmarBloqueos WITH (TABLOCKX, HOLDLOCK)");
      break;
  }
  cn_->executeNative(sql);
  if (cn_->HasError()) lastError_ = cn_->LastError();
  return !cn_->HasError();
}

bool LockManager::acquire(const QString& table, const QString& filter, bool* refused) {
  if (!serialize()) return false;
  const QString mine = normalizedFilter(filter);
  const auto rs = arboles::recordsetOf(cn_->executeNative(
      QStringLiteral(
          "SELECT ZolmarID, Filtro, Sesion, Pid, Equipo, Fecha FROM ZolmarBloqueos WHERE Tabla=?1"),
      6, {}, {table}));
  if (cn_->HasError() || !rs) {
    lastError_ = cn_->LastError();
    return false;
  }
  while (rs->Read()) {
    const QString theirs = rs->Field("Filtro").toString();
    if (!(theirs.isEmpty() || mine.isEmpty() || theirs == mine)) continue;
    if (!ownerGone(rs->Field("Sesion").toString(), rs->Field("Pid").toLongLong(),
                   rs->Field("Equipo").toString())) {
      *refused = true;
      ++refusals_;
      const QString session = rs->Field("Sesion").toString();
      holder_ = {rs->Field("Equipo").toString(), session.section(QLatin1Char(':'), 0, -2),
                 dateOf(rs->Field("Fecha")), session == session_};
      return true;
    }
    cn_->executeNative(QStringLiteral("DELETE FROM ZolmarBloqueos WHERE ZolmarID=?1"), 0, {},
                       {rs->Field("ZolmarID")});
    if (cn_->HasError()) return false;
  }
  // The time goes as a date value, never as text a server could read in its own date order.
  cn_->executeNative(
      QStringLiteral("INSERT INTO ZolmarBloqueos (Tabla, Filtro, Sesion, Pid, Equipo, Fecha) "
                     "VALUES (?1, ?2, ?3, ?4, ?5, ?6)"),
      0, {},
      {table, mine, session_, QCoreApplication::applicationPid(), thisHost(), QDateTime::currentDateTime()});
  if (cn_->HasError()) lastError_ = cn_->LastError();
  return !cn_->HasError();
}

QString LockManager::lastHolderText() const {
  if (refusals_ == 0) return QString();
  if (holder_.sameSession)
    return QString::fromUtf8(
        "Lo tiene bloqueado esta misma sesión: una ventana de este programa que sigue abierta.");
  QString who = QString::fromUtf8("Lo tiene bloqueado el equipo %1").arg(holder_.computer);
  if (!holder_.program.isEmpty()) who += QStringLiteral(" (programa %1)").arg(holder_.program);
  if (holder_.since.isValid())
    who += QStringLiteral(" desde el %1 a las %2")
               .arg(holder_.since.toString(QStringLiteral("dd/MM/yyyy")),
                    holder_.since.toString(QStringLiteral("HH:mm")));
  return who + QLatin1Char('.');
}

// A session that holds nothing writes nothing as it ends: a program that only
// read must not wait for another one's write to finish.
void LockManager::releaseAll() {
  if (!cn_) return;
  const QVariant alguno = cn_->executeNative(
      QStringLiteral("SELECT COUNT(*) FROM ZolmarBloqueos WHERE Sesion=?1"), 2, 0, {session_});
  if (!cn_->HasError() && alguno.toInt() == 0) return;
  cn_->executeNative(QStringLiteral("DELETE FROM ZolmarBloqueos WHERE Sesion=?1"), 0, {}, {session_});
}

}  // namespace zolmar
