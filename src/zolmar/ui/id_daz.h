#pragma once
// The host's descriptor of a record's id ("ZolmarID").

#include "zolmar/ui/field_daz.h"

namespace zolmar {

class IdDAZ : public FieldDAZImpl<arboles::I_DAZ> {
 public:
  explicit IdDAZ(const QString& name);
};

}  // namespace zolmar
