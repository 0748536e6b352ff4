#pragma once
// Proveedores.cTAZ_Proveedores: suppliers and creditors, named after their Nombres row.

#include "zolmar/tables/table_access.h"

namespace zolmar {

class TazProveedores : public TableAccess {
 public:
  static constexpr const char* kClassName = "Proveedores.cTAZ_Proveedores";
  TazProveedores();
};

}  // namespace zolmar
