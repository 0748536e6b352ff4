#pragma once
// SQL text built from values and from what a person typed: literals and
// search conditions in the T-SQL the connection accepts.

#include <QString>
#include <QVariant>

namespace zolmar {

class SqlText {
 public:
  // 'text' with apostrophes doubled; numbers as they are; NULL for no value;
  // dates as 'yyyy-MM-dd HH:mm:ss'; booleans 1/0.
  static QString literal(const QVariant& value);

  // kind 0: name search; 3: an id; 7: an id list ("1,5-9"). " AND ..." or "".
  static QString condition(const QString& typed, const QString& column, qint32 kind);
  // "vin" -> "col LIKE 'vin%'", "*vin" -> "col LIKE '%vin%'"; "" when nothing typed.
  static QString nameSearch(const QString& typed, const QString& column);
  // Escapes what has a meaning in a T-SQL LIKE pattern ([, %, _) and turns
  // the person's '*' into '%'.
  static QString likePattern(const QString& typed);

 private:
  static QString idCondition(const QString& typed, const QString& column);
  static QString idListCondition(const QString& typed, const QString& column);
};

}  // namespace zolmar
