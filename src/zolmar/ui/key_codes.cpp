#include "zolmar/ui/key_codes.h"

#include <QKeyEvent>

namespace zolmar {

qint32 KeyCodes::FromQt(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return F1 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return Back;
    case Qt::Key_Tab:
      return Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Return;
    case Qt::Key_Escape:
      return Escape;
    case Qt::Key_Space:
      return Space;
    case Qt::Key_PageUp:
      return PageUp;
    case Qt::Key_PageDown:
      return PageDown;
    case Qt::Key_End:
      return End;
    case Qt::Key_Home:
      return Home;
    case Qt::Key_Left:
      return Left;
    case Qt::Key_Up:
      return Up;
    case Qt::Key_Right:
      return Right;
    case Qt::Key_Down:
      return Down;
    case Qt::Key_Delete:
      return Delete;
    default:
      return 0;
  }
}

qint32 KeyCodes::ShiftFromQt(Qt::KeyboardModifiers modifiers) {
  qint32 shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ShiftMask;
  if (modifiers & Qt::ControlModifier) shift |= CtrlMask;
  if (modifiers & Qt::AltModifier) shift |= AltMask;
  return shift;
}

qint32 KeyCodes::CodeOf(const QKeyEvent* event) { return FromQt(event->key()); }

qint32 KeyCodes::ShiftOf(const QKeyEvent* event) { return ShiftFromQt(event->modifiers()); }

qint32 KeyCodes::AsciiOf(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty()) return 0;
  const char16_t c = text.at(0).unicode();
  return c < 256 ? qint32(c) : 0;
}

}  // namespace zolmar
