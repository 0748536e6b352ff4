#include "menu_row.h"

#include <QMenu>
#include <QMenuBar>
#include <QVector>

#include "host/i_list_object.h"

namespace zolmar {

namespace {

bool hasChildren(const QList<MenuRow>& rows, qint32 row) {
  for (const MenuRow& r : rows)
    if (r.parentRow == row) return true;
  return false;
}

}  // namespace

QList<MenuRow> MenuRowsOf(const arboles::IListObject& list) {
  QList<MenuRow> rows;
  for (qint32 row = 1; row <= list.RowCount(); ++row)
    rows.append({list.Cell(1, row).toString(), list.Cell(2, row).toInt(), list.Cell(3, row).toString(), {}});
  return rows;
}

void InsertMenuRows(QList<MenuRow>& rows, qint32 before, const QList<MenuRow>& inserted) {
  const qint32 at = qBound(1, before, qint32(rows.size()) + 1);
  const qint32 shift = qint32(inserted.size());
  for (MenuRow& row : rows)
    if (row.parentRow >= at) row.parentRow += shift;
  for (qint32 i = 0; i < inserted.size(); ++i) {
    MenuRow row = inserted[i];
    if (row.parentRow > 0) row.parentRow += at - 1;
    rows.insert(at - 1 + i, row);
  }
}

qint32 TopMenuRow(const QList<MenuRow>& rows, const QString& caption) {
  for (qint32 i = 0; i < rows.size(); ++i)
    if (rows[i].parentRow == 0 && rows[i].caption == caption) return i + 1;
  return 0;
}

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
