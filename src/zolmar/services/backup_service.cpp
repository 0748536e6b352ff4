#include "zolmar/services/backup_service.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>

#include "zolmar/db/connection.h"
#include "zolmar/db/engine/sql_functions.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/db/schema.h"
#include "zolmar/services/host_table_names.h"

namespace zolmar {

const QString BackupService::kFolderName = QStringLiteral("Copias de seguridad");

namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd HH.mm.ss");

// "<base> <yyyy-MM-dd HH.mm.ss>[-n] <operation>.db"
QRegularExpression copyName(const QString& prefix) {
  return QRegularExpression(
      QStringLiteral("^") + QRegularExpression::escape(prefix) +
      QStringLiteral(" (\\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d\\.\\d\\d)(-\\d+)? (.*)\\.db$"));
}

QString safeForFileName(const QString& text) {
  QString out = text.simplified();
  static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|]"));
  out.replace(unsafe, QStringLiteral("-"));
  return out.left(60);
}

// Pages from one open database into another, all at once.
bool copyPages(sqlite3* to, sqlite3* from, QString* error) {
  sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
  if (!backup) {
    *error = QString::fromUtf8(sqlite3_errmsg(to));
    return false;
  }
  const int step = sqlite3_backup_step(backup, -1);
  const int finish = sqlite3_backup_finish(backup);
  if (step == SQLITE_DONE && finish == SQLITE_OK) return true;
  *error = QString::fromUtf8(sqlite3_errstr(step != SQLITE_DONE ? step : finish));
  return false;
}

// The (device, inode) of a file, read without opening it.
bool fileId(const QString& path, quint64* device, quint64* inode) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
  *device = st.st_dev;
  *inode = st.st_ino;
  return true;
}

}  // namespace

BackupService::BackupService(std::shared_ptr<Connection> cn, LockManager* locks)
    : cn_(std::move(cn)), locks_(locks) {}

QString BackupService::unavailableReason() const {
  if (cn_->isServer())
    return QString::fromUtf8(
        "La base de datos está en un servidor: sus copias de seguridad las hace el propio servidor. "
        "Pídaselas al administrador.");
  if (cn_->serverFolder().isEmpty())
    return QString::fromUtf8("La base de datos está en memoria: no tiene copias de seguridad.");
  return QString();
}

QString BackupService::folder() const {
  if (!unavailableReason().isEmpty()) return QString();
  return QDir(cn_->serverFolder()).filePath(kFolderName);
}

// Read past the statements of the operation the copy precedes: the setting
// is the host's, not part of that operation.
bool BackupService::automatic() const {
  return cn_->executeNative(
                QStringLiteral("SELECT Valor FROM %1 WHERE Clave=?1").arg(HostTableNames::Configuration), 2,
                QVariant(), {QString::fromLatin1(kConfigKey)})
             .toString()
             .trimmed() != QStringLiteral("0");
}

QString BackupService::namePrefix() const { return QFileInfo(cn_->path()).completeBaseName(); }

QString BackupService::make(const QString& operation, QString* error) {
  *error = unavailableReason();
  if (!error->isEmpty()) return QString();
  // Uncommitted rows would be copied as if they were done.
  if (cn_->transactionDepth() > 0) {
    *error = QString::fromUtf8("Hay una transacción abierta");
    return QString();
  }
  QDir dir(folder());
  if (!dir.mkpath(QStringLiteral("."))) {
    *error = QString::fromUtf8("No se pudo crear la carpeta %1").arg(dir.path());
    return QString();
  }
  const QString stamp = namePrefix() + QLatin1Char(' ') + QDateTime::currentDateTime().toString(kStampFormat);
  // Copies of the same second are numbered after the last one made, even
  // when older ones of that second were already pruned.
  qint32 last = 0;
  const QRegularExpression numbered(QRegularExpression::escape(stamp) + QStringLiteral("(-(\\d+))? "));
  for (const QString& name : dir.entryList({stamp + QLatin1Char('*')}, QDir::Files)) {
    const auto m = numbered.match(name);
    if (m.hasMatch()) last = std::max(last, m.captured(2).isEmpty() ? 1 : m.captured(2).toInt());
  }
  const QString tail = QLatin1Char(' ') + safeForFileName(operation) + QStringLiteral(".db");
  // The name is claimed by creating the file, so that two programs copying in
  // the same second never write into one copy. Nothing has it open yet: SQLite
  // opens it afterwards as a new, empty database.
  QString path;
  for (qint32 n = last; path.isEmpty() && n < last + 100; ++n) {
    const QString candidate =
        dir.filePath(stamp + (n == 0 ? QString() : QLatin1Char('-') + QString::number(n + 1)) + tail);
    QFile claim(candidate);
    if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) path = candidate;
  }
  if (path.isEmpty()) {
    *error = QString::fromUtf8("No se pudo crear la copia en %1").arg(dir.path());
    return QString();
  }
  // The copy is a file of its own: from now on only SQLite opens it.
  sqlite3* copy = nullptr;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &copy,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  bool ok = rc == SQLITE_OK && copyPages(copy, cn_->handle(), error);
  if (rc != SQLITE_OK) *error = QString::fromUtf8(sqlite3_errmsg(copy));
  // One file that stands alone, with no write-ahead log beside it.
  if (ok && sqlite3_exec(copy, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    *error = QString::fromUtf8(sqlite3_errmsg(copy));
    ok = false;
  }
  sqlite3_close(copy);
  if (!ok) {
    QFile::remove(path);
    *error = QString::fromUtf8("No se pudo copiar la base de datos en %1: %2").arg(path, *error);
    return QString();
  }
  prune();
  return path;
}

QList<BackupService::Copy> BackupService::list() const {
  QList<Copy> copies;
  if (!unavailableReason().isEmpty()) return copies;
  const QRegularExpression pattern = copyName(namePrefix());
  QList<QPair<QString, Copy>> found;
  for (const QString& name : QDir(folder()).entryList({QStringLiteral("*.db")}, QDir::Files)) {
    const auto m = pattern.match(name);
    if (!m.hasMatch()) continue;
    const QFileInfo info(QDir(folder()).filePath(name));
    // Made in the same second: the number after the time tells the order.
    const QString order =
        m.captured(1) + QString::number(m.captured(2).mid(1).toInt()).rightJustified(6, QLatin1Char('0'));
    found.append({order,
                  {info.absoluteFilePath(), m.captured(3), QDateTime::fromString(m.captured(1), kStampFormat),
                   info.size()}});
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& f : found) copies.append(f.second);
  return copies;
}

void BackupService::prune() const {
  const QList<Copy> copies = list();
  for (qsizetype i = kKept; i < copies.size(); ++i) QFile::remove(copies.at(i).path);
}

bool BackupService::holdsLocks() const {
  if (!locks_) return false;
  return cn_->executeNative(QStringLiteral("SELECT COUNT(*) FROM ZolmarBloqueos WHERE Sesion=?1"), 2, 0,
                            {locks_->sessionId()})
             .toInt() > 0;
}

// SQLite keeps a POSIX read lock on the database file and on its
// shared-memory index ("-shm") for as long as a process has the database open
// in WAL mode; the kernel lists every such lock in /proc/locks with the owner's
// pid. Locks of another pid on either file mean another program has the
// database open. The files are only looked up by inode, never opened: a
// descriptor of the database opened and closed here would drop the locks
// SQLite holds on it. WAL works only between processes of one computer, so no
// program elsewhere can have the file open unseen. A program that opens the
// database after this check sees the restored data whole (WAL readers see one
// commit or the other), so the check and the restore need not be atomic.
bool BackupService::openElsewhere() const {
  QList<QPair<quint64, quint64>> files;
  for (const QString& suffix : {QString(), QStringLiteral("-shm")}) {
    quint64 device = 0, inode = 0;
    if (fileId(cn_->path() + suffix, &device, &inode)) files.append({device, inode});
  }
  QFile locks(QStringLiteral("/proc/locks"));
  // Without the kernel's list nothing proves the database free.
  if (!locks.open(QIODevice::ReadOnly | QIODevice::Text)) return true;
  const QString self = QString::number(::getpid());
  QTextStream in(&locks);
  // "1: POSIX  ADVISORY  READ 8234 fe:00:10952848 128 128"
  static const QRegularExpression line(QStringLiteral(
      "^\\d+:\\s+(?:->\\s+)?\\S+\\s+\\S+\\s+\\S+\\s+(-?\\d+)\\s+([0-9a-f]+):([0-9a-f]+):(\\d+)\\s"));
  for (QString text = in.readLine(); !text.isNull(); text = in.readLine()) {
    const auto m = line.match(text);
    if (!m.hasMatch() || m.captured(1) == self) continue;
    const quint64 device = makedev(m.captured(2).toUInt(nullptr, 16), m.captured(3).toUInt(nullptr, 16));
    const quint64 inode = m.captured(4).toULongLong();
    if (files.contains(QPair<quint64, quint64>(device, inode))) return true;
  }
  return false;
}

bool BackupService::restore(const QString& copyPath, QString* error) {
  *error = unavailableReason();
  if (!error->isEmpty()) return false;
  if (cn_->transactionDepth() > 0 || holdsLocks()) {
    *error = QString::fromUtf8("Cierre antes las ventanas de árboles abiertas.");
    return false;
  }
  if (openElsewhere()) {
    *error = QString::fromUtf8(
        "Otro programa tiene abierta la base de datos. Ciérrelo en todos los equipos antes de restaurar la "
        "copia.");
    return false;
  }
  sqlite3* copy = nullptr;
  int rc = sqlite3_open_v2(QFile::encodeName(copyPath).constData(), &copy, SQLITE_OPEN_READONLY, nullptr);
  QString detail;
  // Its indexes are ordered by the database's own collation.
  bool ok = rc == SQLITE_OK && registerSqlFunctions(copy, &detail);
  if (ok) {
    // Refuse a damaged copy before it replaces anything.
    sqlite3_stmt* check = nullptr;
    ok = sqlite3_prepare_v2(copy, "PRAGMA quick_check", -1, &check, nullptr) == SQLITE_OK &&
         sqlite3_step(check) == SQLITE_ROW &&
         QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) ==
             QLatin1String("ok");
    sqlite3_finalize(check);
    if (!ok) detail = QString::fromUtf8("la copia está dañada");
  } else if (detail.isEmpty()) {
    detail = QString::fromUtf8(sqlite3_errmsg(copy));
  }
  // Restoring is itself a change that cannot be undone: what it replaces is kept first.
  if (ok && make(QStringLiteral("Antes de restaurar"), &detail).isEmpty()) ok = false;
  // Into the open connection: the database file is never closed under SQLite.
  if (ok) ok = copyPages(cn_->handle(), copy, &detail);
  sqlite3_close(copy);
  if (!ok) {
    *error =
        QString::fromUtf8("No se pudo restaurar la copia %1: %2").arg(QFileInfo(copyPath).fileName(), detail);
    return false;
  }
  cn_->schemaChanged();
  // Locks are not data: any row the copy brought was held when it was made and
  // nobody holds it now (checked above).
  Schema::create(*cn_, nullptr);
  cn_->executeNative(QStringLiteral("DELETE FROM ZolmarBloqueos"));
  return true;
}

}  // namespace zolmar
