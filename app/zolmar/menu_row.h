#pragma once
// One row of a menu list: a caption, the 1-based row of its parent menu (0 at
// the top of the menu bar) and what it does ("-" is a separator). The host's
// own menus and the module's menu list both arrive in this shape.

#include <QList>
#include <QString>
#include <functional>

class QMenuBar;

namespace zolmar {

struct MenuRow {
  QString caption;
  qint32 parentRow = 0;
  std::function<void()> action;
};

// Adds the rows to the menu bar; rows whose parent is missing go to the top.
void BuildMenus(QMenuBar* bar, const QList<MenuRow>& rows);

}  // namespace zolmar
