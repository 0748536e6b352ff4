#pragma once
// The host's text-to-id service: finds an explicit id reference in what a
// person typed. "#42" and "K=42" (a tree-view key pasted) refer to id 42; a
// bare number is not a reference (it may be a code or a name).

#include <QString>

namespace zolmar {

class TextToId {
 public:
  // 0 when the text holds no reference.
  static qint32 parse(const QString& text);
};

}  // namespace zolmar
