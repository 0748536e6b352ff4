#pragma once
// The "Árboles" menu: one entry per window of the tree module.

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace zolmar {

class Host;

struct ArbolesMenuEntry {
  QString caption;
  // Opens the window; returns it (modeless) so screenshots can find it, or
  // nullptr when the entry opens nothing that stays.
  std::function<QWidget*()> open;
  // False for a window reached from elsewhere (a record list's action) that
  // the screenshots still show.
  bool inMenu = true;
  // The menu of the bar it goes in: empty for "Árboles".
  QString menu = QString();
  // What the screenshots show instead of open, for an entry whose window
  // would wait for the person.
  std::function<QWidget*()> preview = {};
};

QList<ArbolesMenuEntry> ArbolesMenuEntries(Host& host);

}  // namespace zolmar
