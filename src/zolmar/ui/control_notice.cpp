#include "zolmar/ui/control_notice.h"

#include <QMessageBox>
#include <QStatusBar>
#include <QWidget>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "zolmar/ui/frm_basico.h"

namespace zolmar {

namespace {
// The status bar remembers which control its message is about.
constexpr char kOwner[] = "zolmarNoticeOwner";
}  // namespace

QStatusBar* ControlNotice::StatusBarOf(const QWidget* window) {
  return window ? window->findChild<QStatusBar*>() : nullptr;
}

void ControlNotice::Show(QWidget* control, const QString& text) {
  if (!control) return;
  QWidget* window = control->window();
  if (text.isEmpty()) {
    Clear(control);
    return;
  }
  if (QStatusBar* bar = StatusBarOf(window)) {
    bar->setProperty(kOwner, QVariant::fromValue<QObject*>(control));
    bar->showMessage(text);
    return;
  }
  auto* form = qobject_cast<FrmBasico*>(window);
  if (form && form->AppGlobal()) {
    form->AppGlobal()->ShowMessage(text, 0, window->windowTitle(), arboles::IconWarning);
  } else {
    QMessageBox::warning(window, window->windowTitle(), text);
  }
}

void ControlNotice::Clear(QWidget* control) {
  QStatusBar* bar = control ? StatusBarOf(control->window()) : nullptr;
  if (!bar || bar->property(kOwner).value<QObject*>() != control) return;
  bar->setProperty(kOwner, QVariant());
  bar->clearMessage();
}

QString ControlNotice::Shown(const QWidget* window) {
  const QStatusBar* bar = StatusBarOf(window);
  return bar ? bar->currentMessage() : QString();
}

}  // namespace zolmar
