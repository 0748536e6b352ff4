#include "zolmar/ui/window_placement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace zolmar {

namespace {

// The frame the window manager adds: known once the window is shown.
QMargins frameOf(const QWidget* window) {
  if (!window->isVisible()) return {};
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

}  // namespace

QRect WindowPlacement::Area(const QWidget* window) {
  const QScreen* screen = window && window->screen() ? window->screen() : QApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void WindowPlacement::CentreOver(QWidget* window, const QWidget* over) {
  if (!window || !over) return;
  const QRect target = over->isVisible() ? over->frameGeometry() : over->geometry();
  const QSize size = window->size().grownBy(frameOf(window));
  window->move(target.center() - QPoint(size.width() / 2, size.height() / 2));
}

void WindowPlacement::FitInto(QWidget* window, const QRect& room) {
  if (!window || !room.isValid()) return;
  const QMargins frame = frameOf(window);
  const QSize wanted = window->size().boundedTo(room.size().shrunkBy(frame));
  // A layout keeps the window from shrinking below what its controls need.
  if (wanted != window->size()) window->resize(wanted.expandedTo(window->minimumSize()));
  const QSize outer = window->size().grownBy(frame);
  QPoint at = window->isVisible() ? window->frameGeometry().topLeft() : window->pos();
  at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() + 1 - outer.width())));
  at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() + 1 - outer.height())));
  window->move(at);
}

void WindowPlacement::BringToFront(QWidget* window) {
  if (!window) return;
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace zolmar
