#include "zolmar/db/engine/backend.h"

namespace zolmar {

bool Backend::useDatabases(const QStringList&, QString*) { return true; }

bool Backend::adaptNative(QString*, QVector<QVariant>*, QString*) { return true; }

}  // namespace zolmar
