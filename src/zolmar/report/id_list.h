#pragma once
// The syntax of a list of record numbers typed in a filter entry: numbers
// separated by commas, "a-b" for a range ("1,5-9,12").

#include <QString>

namespace zolmar {

class IdList {
 public:
  // "" when the list is valid (or empty), else the message for the person.
  static QString Check(const QString& text);
};

}  // namespace zolmar
