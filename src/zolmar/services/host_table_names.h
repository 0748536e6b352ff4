#pragma once
// The host's own tables the services read and write (the translations table
// is optional: without it every text is shown as written).

#include <QString>

namespace zolmar {

struct HostTableNames {
  static inline const QString Configuration = QStringLiteral("ZolmarConfig");
  static inline const QString Permissions = QStringLiteral("ZolmarPermisos");
  static inline const QString ChangeLog = QStringLiteral("ZolmarCambios");
  static inline const QString Translations = QStringLiteral("ZolmarTraducciones");
  static inline const QString Comments = QStringLiteral("comentarios");
};

}  // namespace zolmar
