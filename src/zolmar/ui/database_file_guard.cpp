#include "zolmar/ui/database_file_guard.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStringList>

namespace zolmar {

namespace {

struct Session {
  QString file;
  QString folder;
};

QMutex& mutex() {
  static QMutex m;
  return m;
}

QHash<const void*, Session>& sessions() {
  static QHash<const void*, Session> s;
  return s;
}

// The files beside a database that belong to it.
const char* const kCompanions[] = {"-wal", "-shm", "-journal"};

// The database a companion file belongs to; the file itself otherwise.
QString withoutCompanion(const QString& file) {
  for (const char* suffix : kCompanions)
    if (file.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
      return file.left(file.size() - qsizetype(qstrlen(suffix)));
  return file;
}

QString absolute(const QString& file) { return QDir::cleanPath(QFileInfo(file).absoluteFilePath()); }

// The same file by device and inode (links and other spellings included),
// or by path when either is missing. stat() opens nothing.
bool sameFile(const QString& a, const QString& b) {
  struct stat sa = {};
  struct stat sb = {};
  const QByteArray na = QFile::encodeName(a), nb = QFile::encodeName(b);
  if (::stat(na.constData(), &sa) == 0 && ::stat(nb.constData(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  return absolute(a) == absolute(b);
}

bool isDatabaseName(const QString& file) {
  return QFileInfo(file).suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0;
}

bool inFolder(const QString& file, const QString& folder) {
  if (folder.isEmpty()) return false;
  return sameFile(QFileInfo(file).absolutePath(), folder);
}

// One spelling of a database file against one session.
bool belongsTo(const QString& database, const Session& session) {
  if (!session.file.isEmpty() && sameFile(database, session.file)) return true;
  if (session.folder.isEmpty()) return false;
  if (!QFileInfo::exists(database)) return false;
  if (isDatabaseName(database) && inFolder(database, session.folder)) return true;
  // A link elsewhere to one of the folder's databases.
  const QFileInfoList files =
      QDir(session.folder).entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
  for (const QFileInfo& f : files)
    if (sameFile(database, f.filePath())) return true;
  return false;
}

}  // namespace

void DatabaseFileGuard::Register(const void* owner, const QString& databaseFile,
                                 const QString& serverFolder) {
  const bool memory = databaseFile.isEmpty() || databaseFile == QLatin1String(":memory:") ||
                      databaseFile.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive);
  QMutexLocker lock(&mutex());
  sessions().insert(owner, {memory ? QString() : absolute(databaseFile),
                            serverFolder.isEmpty() ? QString() : absolute(serverFolder)});
}

void DatabaseFileGuard::Unregister(const void* owner) {
  QMutexLocker lock(&mutex());
  sessions().remove(owner);
}

bool DatabaseFileGuard::IsOpenDatabase(const QString& file) {
  if (file.isEmpty()) return false;
  const QString database = withoutCompanion(file);
  QMutexLocker lock(&mutex());
  for (const Session& session : std::as_const(sessions()))
    if (belongsTo(file, session) || (database != file && belongsTo(database, session))) return true;
  return false;
}

bool DatabaseFileGuard::IsDatabase(const QString& file) {
  if (IsOpenDatabase(file)) return true;
  const QString database = withoutCompanion(file);
  if (database != file && HasSqliteHeader(database)) return true;
  return HasSqliteHeader(file);
}

QString DatabaseFileGuard::OutputRefusal(const QString& file) {
  if (!IsDatabase(file)) return QString();
  return QStringLiteral("El fichero %1 es una base de datos: elija otro nombre").arg(file);
}

bool DatabaseFileGuard::HasSqliteHeader(const QString& file) {
  if (!QFileInfo(file).isFile()) return false;
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return false;
  return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

}  // namespace zolmar
