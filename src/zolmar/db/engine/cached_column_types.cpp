#include "zolmar/db/engine/cached_column_types.h"

namespace zolmar {

QString CachedColumnTypes::columnType(const QString& table, const QString& column) const {
  const QString key = table.toUpper();
  auto it = tables_.constFind(key);
  if (it == tables_.constEnd()) {
    Columns columns;
    // Tables not found are not remembered: they may be created later.
    if (!load(table, &columns)) return QString();
    it = tables_.insert(key, columns);
  }
  return it->value(column.toUpper());
}

}  // namespace zolmar
