#pragma once
// The criterion language of record sets: "col=value", "<>", ">", "<", ">=",
// "<=", "col LIKE 'x*'", joined with AND. Text values in apostrophes with
// apostrophes doubled; comparison of text ignores case and trailing blanks.

#include <QRegularExpression>
#include <QString>
#include <QVariant>
#include <QVector>

namespace zolmar {

class RowCriterion {
 public:
  enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual, Like };
  struct Term {
    QString column;
    Op op = Op::Equal;
    QVariant value;
    QRegularExpression like;  // Op::Like only
  };

  // False with *error when the text is not a criterion.
  static bool parse(const QString& text, QVector<Term>* terms, QString* error);
  static bool matches(const QVariant& field, const Term& term);
  // Equality key: equal keys for values that compare equal.
  static QString key(const QVariant& value);
  // <0, 0, >0 in the database's order (numbers by value, text in Spanish order).
  static int compare(const QVariant& a, const QVariant& b);
  static QString quote(const QString& value);

 private:
  static bool isNumber(const QVariant& value);
  static QRegularExpression likeExpression(const QString& pattern);
};

}  // namespace zolmar
