#include "zolmar/ui/frm_basico.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>
#include <QTextEdit>

#include "host/i_app_global.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/event_guard.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/window_placement.h"

namespace zolmar {

FrmBasico::FrmBasico(QWidget* parent) : QWidget(parent, Qt::Window) {}

FrmBasico::~FrmBasico() {
  qApp->removeEventFilter(this);
  unregisterWindow();
}

void FrmBasico::SetAppGlobal(std::shared_ptr<arboles::IAppGlobal> appGlobal, const QString& formName) {
  app_ = std::move(appGlobal);
  formName_ = formName;
  if (objectName().isEmpty()) setObjectName(formName);
}

void FrmBasico::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void FrmBasico::Show() {
  Load();
  closed_ = false;
  registerWindow();
  qApp->installEventFilter(this);
  if (!isVisible()) {
    if (!placed_) PlaceFirstTime();
    KeepBelowTop();
    show();
    // The frame is known now: the whole window has to be on the screen.
    KeepOnScreen();
  }
  WindowPlacement::BringToFront(this);
}

void FrmBasico::PlaceFirstTime() {
  placed_ = true;
  QWidget* main = app_ ? app_->MainWindow() : nullptr;
  // A window of the main window stays in front of it and goes with it.
  if (main && main != this && !parentWidget()) setParent(main, windowFlags() | Qt::Window);
  const QByteArray saved = app_ && !formName_.isEmpty() ? app_->WindowPlacement(formName_) : QByteArray();
  if (saved.isEmpty() || !restoreGeometry(saved)) {
    // Over the window it was opened for, the main window when none.
    const QWidget* over = parentWidget() && parentWidget() != main ? parentWidget()->window() : main;
    if (over && over != this) WindowPlacement::CentreOver(this, over);
  }
  KeepOnScreen();
}

void FrmBasico::KeepOnScreen() {
  const QScreen* s = screen() ? screen() : QApplication::primaryScreen();
  QRect room = WindowPlacement::Area(this);
  if (s) room.setTop(qMax(room.top(), s->geometry().top() + kMinTop));
  WindowPlacement::FitInto(this, room);
}

bool FrmBasico::Unload() {
  if (closed_) return true;
  unloadMode_ = FormCode;
  close();
  unloadMode_ = FormControlMenu;
  return closed_;
}

bool FrmBasico::AppQueryUnload() {
  bool cancel = false;
  Form_QueryUnload(cancel, FormControlMenu);
  return cancel;
}

void FrmBasico::KeepBelowTop() {
  const QScreen* s = screen() ? screen() : QApplication::primaryScreen();
  const int screenTop = s ? s->geometry().top() : 0;
  const QPoint at = isVisible() ? frameGeometry().topLeft() : pos();
  if (at.y() - screenTop < kMinTop) move(at.x(), screenTop + kMinTop);
}

bool FrmBasico::FormGuard() { return !app_ || app_->FormGuard(this); }

bool FrmBasico::CloseCheck() { return !app_ || app_->CloseCheck(this); }

void FrmBasico::Form_QueryUnload(bool&, qint32) {}

void FrmBasico::Form_Unload(bool&) {}

void FrmBasico::Form_KeyDown(qint32&, qint32) {}

void FrmBasico::Form_KeyUp(qint32&, qint32) {}

void FrmBasico::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  bool cancel = false;
  Form_QueryUnload(cancel, unloadMode_);
  if (!cancel) Form_Unload(cancel);
  if (cancel) {
    event->ignore();
    return;
  }
  closed_ = true;
  if (placed_ && app_ && !formName_.isEmpty()) app_->SaveWindowPlacement(formName_, saveGeometry());
  qApp->removeEventFilter(this);
  unregisterWindow();
  event->accept();
  emit Closed();
}

void FrmBasico::registerWindow() {
  if (registered_ || !app_) return;
  handle_ = app_->RegisterWindow(this, formName_);
  registered_ = true;
}

void FrmBasico::unregisterWindow() {
  if (!registered_) return;
  registered_ = false;
  if (app_) app_->UnregisterWindow(handle_);
}

void FrmBasico::PressKey(qint32 keyCode, qint32 shift) {
  qint32 code = keyCode;
  EventGuard::Run(this, [&] { Form_KeyDown(code, shift); });
  if (closed_) return;
  code = keyCode;
  EventGuard::Run(this, [&] { Form_KeyUp(code, shift); });
}

bool FrmBasico::eventFilter(QObject* watched, QEvent* event) {
  const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
  if (key && watched->isWidgetType()) {
    // Each key is seen once: when it reaches the focused control of this window.
    auto* w = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    const bool target = focus ? w == focus : w == this;
    if (target && w->window() == this && isEnabled()) return previewKey(event);
  }
  return QWidget::eventFilter(watched, event);
}

bool FrmBasico::previewKey(QEvent* event) {
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  qint32 code = KeyCodes::CodeOf(keyEvent);
  if (code == 0) return false;
  const qint32 shift = KeyCodes::ShiftOf(keyEvent);
  if (event->type() == QEvent::KeyPress) {
    EventGuard::Run(this, [&] { Form_KeyDown(code, shift); });
  } else if (!keyEvent->isAutoRepeat()) {
    EventGuard::Run(this, [&] { Form_KeyUp(code, shift); });
  }
  return code == 0;
}

// Return in a dialog: on a button it presses that button, in a grid, a cell
// being edited or a text of several lines it stays there; anywhere else it
// presses the default button, Aceptar.
FrmBasico::ReturnTarget FrmBasico::ReturnGoesTo() const {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || focus->window() != this) return ReturnTarget::Default;
  if (qobject_cast<QAbstractButton*>(focus)) return ReturnTarget::FocusedButton;
  if (qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ||
      qobject_cast<QTableView*>(focus))
    return ReturnTarget::Control;
  for (QWidget* w = focus->parentWidget(); w && w != this; w = w->parentWidget())
    if (qobject_cast<QAbstractItemView*>(w)) return ReturnTarget::Control;
  return ReturnTarget::Default;
}

bool FrmBasico::DialogKey(qint32& KeyCode, qint32 Shift, qint32 mode, btn* accept, btn* cancel,
                          const std::function<bool()>& canAccept) {
  if (KeyCode == KeyCodes::Return && Shift == 0) {
    switch (ReturnGoesTo()) {
      case ReturnTarget::Control:
        return false;
      case ReturnTarget::FocusedButton:
        if (auto* pressed = qobject_cast<btn*>(QApplication::focusWidget()))
          pressed->Click();
        else
          static_cast<QAbstractButton*>(QApplication::focusWidget())->click();
        break;
      case ReturnTarget::Default:
        if (!canAccept || canAccept()) accept->Click();
        break;
    }
    KeyCode = 0;
    return true;
  }
  // The host's actions: 2 accept (F10, Ctrl+Return), 3 close (Escape).
  switch (app_ ? app_->MapKey(KeyCode, Shift, mode) : 0) {
    case 2:
      if (!canAccept || canAccept()) accept->Click();
      break;
    case 3:
      cancel->Click();
      break;
    default:
      return false;
  }
  KeyCode = 0;
  return true;
}

}  // namespace zolmar
