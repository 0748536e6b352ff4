#pragma once
// Clientes.cTAZ_Clientes: customers, named after their Nombres row.

#include "zolmar/tables/table_access.h"

namespace zolmar {

class TazClientes : public TableAccess {
 public:
  static constexpr const char* kClassName = "Clientes.cTAZ_Clientes";
  TazClientes();
};

}  // namespace zolmar
