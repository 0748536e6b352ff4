#include "zolmar/services/control_marker.h"

#include <QVariant>
#include <QWidget>

namespace zolmar {

namespace {

QString styleFor(int code) {
  switch (code) {
    case 2:
      return QStringLiteral("QLineEdit { background-color: #FFF2C2; }");
    case 3:
      return QStringLiteral("QLineEdit { background-color: #F6C6C6; }");
    default:
      return QString();
  }
}

}  // namespace

void ControlMarker::mark(QWidget* control, int code) {
  if (!control) return;
  control->setProperty(kProperty, code);
  control->setStyleSheet(styleFor(code));
}

int ControlMarker::markOf(const QWidget* control) {
  return control ? control->property(kProperty).toInt() : 0;
}

}  // namespace zolmar
