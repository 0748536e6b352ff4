#pragma once
// Key codes and shift flags as the windows' key handlers receive them
// (virtual-key numbers; Shift 1, Ctrl 2, Alt 4).

#include <qnamespace.h>
#include <QtGlobal>

class QKeyEvent;

namespace zolmar {

class KeyCodes {
 public:
  static constexpr qint32 Back = 8;
  static constexpr qint32 Tab = 9;
  static constexpr qint32 Return = 13;
  static constexpr qint32 Escape = 27;
  static constexpr qint32 Space = 32;
  static constexpr qint32 PageUp = 33;
  static constexpr qint32 PageDown = 34;
  static constexpr qint32 End = 35;
  static constexpr qint32 Home = 36;
  static constexpr qint32 Left = 37;
  static constexpr qint32 Up = 38;
  static constexpr qint32 Right = 39;
  static constexpr qint32 Down = 40;
  static constexpr qint32 Delete = 46;
  static constexpr qint32 F1 = 112;

  static constexpr qint32 ShiftMask = 1;
  static constexpr qint32 CtrlMask = 2;
  static constexpr qint32 AltMask = 4;

  // 0 when the key has no code of its own.
  static qint32 FromQt(int qtKey);
  static qint32 ShiftFromQt(Qt::KeyboardModifiers modifiers);
  static qint32 CodeOf(const QKeyEvent* event);
  static qint32 ShiftOf(const QKeyEvent* event);
  // The character code a key-press handler receives (0 for keys without one).
  static qint32 AsciiOf(const QKeyEvent* event);
};

}  // namespace zolmar
