#pragma once
// One row of a menu list: a caption, the 1-based row of its parent menu (0 at
// the top of the menu bar), its path ("Ficheros:Salir: ") and what it does
// ("-" is a separator). The module's menu list arrives in this shape.

#include <QChar>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>

class QMenuBar;

namespace arboles {
class IListObject;
}

namespace zolmar {

struct MenuRow {
  QString caption;
  qint32 parentRow = 0;
  QString path;
  std::function<void()> action;
};

// The rows of a menu list (columns caption, parent row, path), without actions.
QList<MenuRow> MenuRowsOf(const arboles::IListObject& list);
// Puts rows before the 1-based row `before`; the parents of every row are
// renumbered (those of `inserted` count from its own first row).
void InsertMenuRows(QList<MenuRow>& rows, qint32 before, const QList<MenuRow>& inserted);
// The 1-based row of the first menu of the bar with this caption; 0 when none.
qint32 TopMenuRow(const QList<MenuRow>& rows, const QString& caption);
// Adds the rows to the menu bar; rows whose parent is missing go to the top.
// Each menu and entry gets an Alt letter of its own among its siblings; the
// rows keep their captions as they are.
void BuildMenus(QMenuBar* bar, const QList<MenuRow>& rows);
// The caption with "&" before the first letter not yet in taken (the first
// letter of a word when there is one), which it adds to taken.
QString WithAccelerator(const QString& caption, QSet<QChar>& taken);

}  // namespace zolmar
