#pragma once
// The article tree of the demo consultant database (Zolmar_Cons#1): the
// families of a restaurant's menu and their subcategories, the template from
// which a company creates its restaurant categories.

#include <QString>
#include <vector>

#include "zolmar/demo/tree_builder.h"

namespace zolmar {

class RestaurantTemplate {
 public:
  static std::vector<TreeBuilder::Node> nodes();
};

}  // namespace zolmar
