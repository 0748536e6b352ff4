#include "zolmar/db/engine/backend.h"

namespace zolmar {

bool Backend::useDatabases(const QStringList&, QString*) { return true; }

bool Backend::adaptNative(QString*, QVector<QVariant>*, QString*) { return true; }

bool Backend::runReadOnly(const QString& sql, const QVector<QVariant>& params, StatementResult* out,
                          QString* error) {
  static const QString level = QStringLiteral("zolmar_solo_lectura");
  bool outermost = false;
  if (!begin(level, &outermost, error)) return false;
  const bool ok = run(sql, params, Fetch::AllRows, out, error);
  QString undone;
  if (!rollback(level, outermost, &undone) && ok) {
    *error = undone;
    return false;
  }
  return ok;
}

}  // namespace zolmar
