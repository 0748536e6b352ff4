#include "menu_row.h"

#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QVector>

#include "host/i_list_object.h"

namespace zolmar {

namespace {

bool hasChildren(const QList<MenuRow>& rows, qint32 row) {
  for (const MenuRow& r : rows)
    if (r.parentRow == row) return true;
  return false;
}

// A letter typed on any keyboard: accented ones are reached through a dead key.
bool plainLetter(QChar c) { return c.isLetter() && c.unicode() < 128; }

}  // namespace

QString WithAccelerator(const QString& caption, QSet<QChar>& taken) {
  QString text = caption;
  text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  // The first letter of a word first, then any other letter.
  for (const bool wordStart : {true, false}) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text.at(i);
      if (!plainLetter(c) || taken.contains(c.toLower())) continue;
      if (i > 0 && text.at(i - 1) == QLatin1Char('&')) continue;
      if (wordStart && i > 0 && text.at(i - 1).isLetterOrNumber()) continue;
      taken.insert(c.toLower());
      return text.insert(i, QLatin1Char('&'));
    }
  }
  return text;
}

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
  // The letters used so far in each menu (row 0 is the bar itself).
  QHash<qint32, QSet<QChar>> taken;
  for (qint32 i = 0; i < rows.size(); ++i) {
    const MenuRow& row = rows[i];
    const qint32 number = i + 1;
    QMenu* parent = row.parentRow > 0 && row.parentRow < number ? menus[row.parentRow] : nullptr;
    if (row.caption == QLatin1String("-")) {
      if (parent) parent->addSeparator();
      continue;
    }
    const QString text = WithAccelerator(row.caption, taken[parent ? row.parentRow : 0]);
    if (hasChildren(rows, number)) {
      menus[number] = parent ? parent->addMenu(text) : bar->addMenu(text);
      continue;
    }
    QAction* action = parent ? parent->addAction(text) : bar->addAction(text);
    if (row.action) QObject::connect(action, &QAction::triggered, action, row.action);
  }
}

}  // namespace zolmar
