#pragma once
// Runs a window's event handler under the host's error handling: an error
// that escapes the handler is handed to the host of the window the control
// belongs to, never to Qt's event loop. A window without a host lets the
// error go on to the caller.

#include <functional>

class QWidget;

namespace zolmar {

class EventGuard {
 public:
  static void Run(QWidget* source, const std::function<void()>& handler);
};

}  // namespace zolmar
