#pragma once
// A row set built in memory rather than read from the database (the
// IGlobales::CreateRecordset of the host): its fields have a kind and a size,
// and each added value takes them (a number as a 32-bit integer, a text cut
// to its size), as a table's column would.

#include "host/host_types.h"
#include "zolmar/db/rows/row_set.h"

namespace zolmar {

class MemoryRowSet : public RowSet {
 public:
  explicit MemoryRowSet(arboles::RecordsetFields fields);

  bool AddRow(const QVariantList& values) override;

 private:
  static QStringList namesOf(const arboles::RecordsetFields& fields);

  arboles::RecordsetFields fields_;
};

}  // namespace zolmar
