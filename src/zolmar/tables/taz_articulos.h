#pragma once
// Articulos.cTAZ_Articulos: articles, grouped by their first category.

#include "zolmar/tables/table_access.h"

namespace zolmar {

class TazArticulos : public TableAccess {
 public:
  static constexpr const char* kClassName = "Articulos.cTAZ_Articulos";
  TazArticulos();
};

}  // namespace zolmar
