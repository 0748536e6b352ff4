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
};

QList<ArbolesMenuEntry> ArbolesMenuEntries(Host& host);

}  // namespace zolmar
