#include "zolmar/services/key_map.h"

#include "zolmar/ui/key_codes.h"

namespace zolmar {

namespace {
constexpr qint32 kF9 = KeyCodes::F1 + 8;
constexpr qint32 kF10 = KeyCodes::F1 + 9;
constexpr qint32 kLetterS = 'S';
}  // namespace

qint32 KeyMap::map(qint32 keyCode, qint32 shift) {
  const qint32 modifiers = shift & (KeyCodes::ShiftMask | KeyCodes::CtrlMask | KeyCodes::AltMask);
  if (modifiers == 0) {
    if (keyCode == kF9) return Save;
    if (keyCode == kF10) return AcceptOrCancel;
    if (keyCode == KeyCodes::Escape) return Close;
    return None;
  }
  if (modifiers == KeyCodes::CtrlMask) {
    if (keyCode == kLetterS) return Save;
    if (keyCode == KeyCodes::Return) return AcceptOrCancel;
  }
  return None;
}

}  // namespace zolmar
