#pragma once
// A short message about one control (a refused name, an action that cannot
// be done) that stays until the person acts: in the status bar of the
// control's window, or in a message box when the window has none.

#include <QString>

class QStatusBar;
class QWidget;

namespace zolmar {

class ControlNotice {
 public:
  // Empty text clears what the control showed.
  static void Show(QWidget* control, const QString& text);
  // The person acted on the control: its message goes (another one stays).
  static void Clear(QWidget* control);
  // The message the window's status bar shows, empty when none.
  static QString Shown(const QWidget* window);

 private:
  static QStatusBar* StatusBarOf(const QWidget* window);
};

}  // namespace zolmar
