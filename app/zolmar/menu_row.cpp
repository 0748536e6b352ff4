#include "menu_row.h"

#include <QMenu>
#include <QMenuBar>
#include <QVector>

namespace zolmar {

namespace {

bool hasChildren(const QList<MenuRow>& rows, qint32 row) {
  for (const MenuRow& r : rows)
    if (r.parentRow == row) return true;
  return false;
}

}  // namespace

void BuildMenus(QMenuBar* bar, const QList<MenuRow>& rows) {
  QVector<QMenu*> menus(rows.size() + 1, nullptr);
  for (qint32 i = 0; i < rows.size(); ++i) {
    const MenuRow& row = rows[i];
    const qint32 number = i + 1;
    QMenu* parent = row.parentRow > 0 && row.parentRow < number ? menus[row.parentRow] : nullptr;
    if (row.caption == QLatin1String("-")) {
      if (parent) parent->addSeparator();
      continue;
    }
    if (hasChildren(rows, number)) {
      menus[number] = parent ? parent->addMenu(row.caption) : bar->addMenu(row.caption);
      continue;
    }
    QAction* action = parent ? parent->addAction(row.caption) : bar->addAction(row.caption);
    if (row.action) QObject::connect(action, &QAction::triggered, action, row.action);
  }
}

}  // namespace zolmar
