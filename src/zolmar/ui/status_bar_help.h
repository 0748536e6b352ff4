#pragma once
// A window's status bar connected to the window: its first panel shows the tip
// of the control that has the focus, so the person reads what a field or a
// button is for without waiting for a tooltip.

#include <QObject>
#include <QPointer>

class QStatusBar;
class QWidget;

namespace zolmar {

class StatusBarHelp : public QObject {
 public:
  // Lives as long as the window.
  static void Connect(QWidget* form, QStatusBar* bar);

 private:
  StatusBarHelp(QWidget* form, QStatusBar* bar);
  void FocusChanged(QWidget* now);

  QWidget* form_;
  QPointer<QStatusBar> bar_;
};

}  // namespace zolmar
