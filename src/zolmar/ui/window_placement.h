#pragma once
// Where a window appears: centred over the window it belongs to, inside the
// part of the screen the task bar leaves free, its top edge low enough to
// leave the host's menus in sight; and how it comes back to the front.

#include <QRect>

class QWidget;

namespace zolmar {

class WindowPlacement {
 public:
  // The free part of the screen the window is on (or of the main screen).
  static QRect Area(const QWidget* window);
  // Centres the window over another one (its frame over the other's frame).
  static void CentreOver(QWidget* window, const QWidget* over);
  // Shrinks the window, frame included, to fit room (no smaller than its
  // controls need) and moves it inside.
  static void FitInto(QWidget* window, const QRect& room);
  // Restored, raised and given the focus.
  static void BringToFront(QWidget* window);
};

}  // namespace zolmar
