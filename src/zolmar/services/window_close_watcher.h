#pragma once
// Calls back once when a window is closed, hidden or destroyed.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace zolmar {

class WindowCloseWatcher : public QObject {
  Q_OBJECT
 public:
  WindowCloseWatcher(QWidget* window, std::function<void()> onClosed);
  ~WindowCloseWatcher() override;
  bool closed() const { return !window_ || window_->isHidden(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fire();

  QPointer<QWidget> window_;
  std::function<void()> onClosed_;
  bool fired_ = false;
};

}  // namespace zolmar
