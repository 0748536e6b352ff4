#include "zolmar/db/rows/memory_row_set.h"

namespace zolmar {

MemoryRowSet::MemoryRowSet(arboles::RecordsetFields fields)
    : RowSet(namesOf(fields), {}, true), fields_(std::move(fields)) {}

QStringList MemoryRowSet::namesOf(const arboles::RecordsetFields& fields) {
  QStringList names;
  for (const auto& f : fields) names << f.name;
  return names;
}

bool MemoryRowSet::AddRow(const QVariantList& values) {
  if (values.size() != fields_.size()) return false;
  QVariantList typed;
  typed.reserve(values.size());
  for (qsizetype i = 0; i < values.size(); ++i) {
    const arboles::RecordsetField& f = fields_.at(i);
    if (f.kind == arboles::RecordsetField::Integer)
      typed << QVariant(values.at(i).toInt());
    else
      typed << QVariant(f.size > 0 ? values.at(i).toString().left(f.size) : values.at(i).toString());
  }
  return RowSet::AddRow(typed);
}

}  // namespace zolmar
