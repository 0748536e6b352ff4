#pragma once
// A company opened for a benchmark: questions answered by script, and no copy
// of the database made before each operation, since the bare baselines make
// none (the copy is the host's setting, as a company copied by other means
// would have it).

#include <QString>
#include <memory>

#include "zolmar/host.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/backup_service.h"

namespace bench {

inline std::unique_ptr<zolmar::Host> abrirEmpresa(const QString& fichero) {
  auto host = zolmar::Host::open(fichero);
  host->useScriptedUserInterface();
  host->app()->SetConfig(QString::fromLatin1(zolmar::BackupService::kConfigKey), QStringLiteral("0"));
  return host;
}

}  // namespace bench
