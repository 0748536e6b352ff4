#include "zolmar/db/engine/server_folder.h"

#include <QDir>
#include <QFileInfo>

namespace zolmar {

QStringList ServerFolder::databases() const {
  if (folder_.isEmpty()) return {};
  QStringList names;
  const QFileInfoList files = QDir(folder_).entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
  for (const QFileInfo& file : files) names << file.completeBaseName();
  return names;
}

QString ServerFolder::fileOf(const QString& name) const {
  if (folder_.isEmpty() || name.isEmpty()) return QString();
  const QDir dir(folder_);
  const QString exact = dir.filePath(name + ".db");
  if (QFileInfo::exists(exact)) return exact;
  for (const QString& candidate : databases())
    if (candidate.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(candidate + ".db");
  return QString();
}

}  // namespace zolmar
