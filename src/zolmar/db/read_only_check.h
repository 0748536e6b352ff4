#pragma once
// Whether a text a person typed is one query and nothing else: one statement
// that the T-SQL parser understands and that is a SELECT. Engine independent;
// each engine adds its own guard when it runs the statement.

#include <QString>

namespace zolmar {

class ReadOnlyCheck {
 public:
  // The message that refuses the text, or empty when it is one SELECT.
  static QString refusal(const QString& tsql);
  // The refusal's wording around a reason ("la sentencia es un DELETE").
  static QString message(const QString& reason);
};

}  // namespace zolmar
