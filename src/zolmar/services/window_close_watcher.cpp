#include "zolmar/services/window_close_watcher.h"

#include <QEvent>

namespace zolmar {

WindowCloseWatcher::WindowCloseWatcher(QWidget* window, std::function<void()> onClosed)
    : window_(window), onClosed_(std::move(onClosed)) {
  if (!window) return;
  window->installEventFilter(this);
  connect(window, &QObject::destroyed, this, [this] { fire(); });
}

WindowCloseWatcher::~WindowCloseWatcher() {
  if (window_) window_->removeEventFilter(this);
}

bool WindowCloseWatcher::eventFilter(QObject* watched, QEvent* event) {
  // A minimised window is hidden spontaneously but not closed: look again once
  // the hide has completed.
  if (watched == window_ && event->type() == QEvent::Hide) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (closed()) fire();
        },
        Qt::QueuedConnection);
  }
  return false;
}

void WindowCloseWatcher::fire() {
  if (fired_) return;
  fired_ = true;
  if (onClosed_) onClosed_();
}

}  // namespace zolmar
