#pragma once
// Keys of record windows and dialogs mapped to actions
// (virtual-key codes, Shift 1 / Ctrl 2 / Alt 4):
//   1 save: F9 or Ctrl+S
//   2 accept (dialogs) / cancel the edit (record windows): F10 or Ctrl+Return
//   3 close: Escape
//   0 any other key.

#include <QtGlobal>

namespace zolmar {

class KeyMap {
 public:
  static constexpr qint32 None = 0;
  static constexpr qint32 Save = 1;
  static constexpr qint32 AcceptOrCancel = 2;
  static constexpr qint32 Close = 3;
  // The mode of a dialog whose only choices are Aceptar and Cancelar.
  static constexpr qint32 DialogMode = 3;

  static qint32 map(qint32 keyCode, qint32 shift);
};

}  // namespace zolmar
