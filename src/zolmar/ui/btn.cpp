#include "zolmar/ui/btn.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

#include "zolmar/ui/control_notice.h"
#include "zolmar/ui/event_guard.h"

namespace zolmar {

btn::btn(QWidget* parent) : btn(QString(), parent) {}

btn::btn(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  connect(this, &QPushButton::clicked, this, &btn::onQtClicked);
}

void btn::Click() {
  if (!isEnabled() || !shownEnabled_) return;
  if (isCheckable()) {
    setChecked(!isChecked());
  }
  RaiseClicked();
}

void btn::onQtClicked() {
  if (shownEnabled_) {
    RaiseClicked();
  } else if (isCheckable()) {
    setChecked(!isChecked());  // a refused press leaves the value as it was
  }
}

void btn::setShownEnabled(bool on) {
  shownEnabled_ = on;
  setForegroundRole(on ? QPalette::ButtonText : QPalette::PlaceholderText);
  update();
}

void btn::setCheckButton(bool on) { setCheckable(on); }

void btn::setValue(qint32 value) {
  if (!isCheckable()) setCheckable(true);
  const bool on = value != 0;
  if (on == isChecked()) return;
  setChecked(on);
  RaiseClicked();
}

void btn::RaiseClicked() {
  // Pressed again: what it said last time no longer stands.
  ControlNotice::Clear(this);
  EventGuard::Run(this, [this] { emit Clicked(); });
}

void btn::ShowTip(const QString& text) {
  lastTip_ = text;
  if (!isVisible()) return;
  ControlNotice::Show(this, text);
}

QIcon btn::Picture(qint32 number) const {
  switch (number) {
    case 401:
      return style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    default:
      return style()->standardIcon(QStyle::SP_FileIcon);
  }
}

QColor btn::ColorByIndex(qint32 index) {
  if (index == 18) return QColor(0x1F, 0x4E, 0x8C);
  return QApplication::palette().color(QPalette::Active, QPalette::ButtonText);
}

}  // namespace zolmar
