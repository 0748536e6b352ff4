#pragma once
// The host's descriptor of a record's status word ("Activo", bit 2 = BORRADO).

#include "zolmar/ui/field_daz.h"

namespace zolmar {

class StatusDAZ : public FieldDAZImpl<arboles::I_DAZ> {
 public:
  explicit StatusDAZ(const QString& name);
};

}  // namespace zolmar
