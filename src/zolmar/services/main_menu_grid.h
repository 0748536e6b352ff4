#pragma once
// The host's menu grid ("omenu"): the menus of the main window as rows of a
// list object, column 1 the caption ("-" a separator), column 2 the level (1
// a menu of the bar, 2 its entries). The desktop program may replace it with
// the menus it actually shows.

#include <QList>
#include <QString>
#include <memory>

namespace arboles {
class IListObject;
}

namespace zolmar {

class MainMenuGrid {
 public:
  // A row as a menu list holds it: the parent is the 1-based row of the menu
  // it belongs to, 0 for the menu bar.
  struct Row {
    QString caption;
    qint32 parentRow = 0;
  };

  static std::shared_ptr<arboles::IListObject> standard();
  // The grid of the menus a program shows, in the same order. A parent that
  // is not an earlier row puts the row on the bar.
  static std::shared_ptr<arboles::IListObject> fromRows(const QList<Row>& rows);
};

}  // namespace zolmar
