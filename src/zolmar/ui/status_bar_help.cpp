#include "zolmar/ui/status_bar_help.h"

#include <QApplication>
#include <QStatusBar>
#include <QTextDocumentFragment>

#include "zolmar/ui/st_bar.h"

namespace zolmar {

void StatusBarHelp::Connect(QWidget* form, QStatusBar* bar) {
  if (form && bar) new StatusBarHelp(form, bar);
}

StatusBarHelp::StatusBarHelp(QWidget* form, QStatusBar* bar) : QObject(form), form_(form), bar_(bar) {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

void StatusBarHelp::FocusChanged(QWidget* now) {
  if (!bar_ || !now || !form_->isAncestorOf(now)) return;
  // A tip may carry the host's rich text; the bar shows it plain.
  const QString tip = QTextDocumentFragment::fromHtml(now->toolTip()).toPlainText();
  if (auto* panels = qobject_cast<StBar*>(bar_.data()); panels && panels->PanelCount() > 0) {
    panels->setPanelText(0, tip);
    panels->Refresh();
  } else {
    bar_->showMessage(tip);
  }
}

}  // namespace zolmar
