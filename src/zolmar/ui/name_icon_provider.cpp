#include "zolmar/ui/name_icon_provider.h"

#include <QFileInfo>

namespace zolmar {

NameIconProvider::NameIconProvider() { setOptions({}); }

QIcon NameIconProvider::icon(const QFileInfo& info) const {
  if (info.isRoot()) return icon(Drive);
  return icon(info.isDir() ? Folder : File);
}

QString NameIconProvider::type(const QFileInfo& info) const {
  if (info.isRoot()) return QStringLiteral("Unidad");
  if (info.isDir()) return QStringLiteral("Carpeta");
  const QString suffix = info.suffix();
  if (suffix.isEmpty()) return QStringLiteral("Fichero");
  return QStringLiteral("Fichero %1").arg(suffix.toUpper());
}

void NameIconProvider::setOptions(Options options) {
  QAbstractFileIconProvider::setOptions(options | DontUseCustomDirectoryIcons);
}

}  // namespace zolmar
