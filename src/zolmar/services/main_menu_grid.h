#pragma once
// The host's menu grid ("omenu"): the menus of the main window as rows of a
// list object, column 1 the caption ("-" a separator), column 2 the level (1
// a menu of the bar, 2 its entries). The desktop program may replace it with
// the menus it actually shows.

#include <memory>

namespace arboles {
class IListObject;
}

namespace zolmar {

class MainMenuGrid {
 public:
  static std::shared_ptr<arboles::IListObject> standard();
};

}  // namespace zolmar
