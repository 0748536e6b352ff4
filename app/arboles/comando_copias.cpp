// arboles backup / restore: the copies of the database kept beside it.

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include "comando_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/backup_service.h"

namespace zolmar {

int ComandoArboles::Copias(const QString& orden, const QStringList& resto) {
  const bool restaurar = orden == QStringLiteral("restore");
  if (resto.size() > (restaurar ? 1 : 0))
    return MalUso(QStringLiteral("Argumento inesperado: %1").arg(resto.last()));
  if (!AbrirBase()) return UsoIncorrecto;
  BackupService copias(host_->connection(), &host_->locks());
  if (const QString motivo = copias.unavailableReason(); !motivo.isEmpty()) {
    err_ << "arboles: " << motivo << "\n";
    return Rechazado;
  }
  QString error;
  if (!restaurar) {
    const QString copia = copias.make(QStringLiteral("Copia manual"), &error);
    if (copia.isEmpty()) {
      err_ << "arboles: " << error << "\n";
      return Rechazado;
    }
    out_ << QString::fromUtf8("Copia de seguridad: %1").arg(copia) << "\n";
    return Correcto;
  }
  if (resto.isEmpty()) {
    for (const auto& c : copias.list())
      out_ << QFileInfo(c.path).fileName() << "\t" << QLocale::system().formattedDataSize(c.bytes) << "\n";
    return Correcto;
  }
  // A bare name is one of the copies of the folder.
  QString copia = resto.at(0);
  if (!QFileInfo::exists(copia)) copia = QDir(copias.folder()).filePath(copia);
  if (!QFileInfo::exists(copia)) return MalUso(QStringLiteral("No existe la copia %1").arg(resto.at(0)));
  if (!copias.restore(copia, &error)) {
    err_ << "arboles: " << error << "\n";
    return Rechazado;
  }
  out_ << QString::fromUtf8("Restaurada la copia %1").arg(QFileInfo(copia).fileName()) << "\n";
  return Correcto;
}

}  // namespace zolmar
