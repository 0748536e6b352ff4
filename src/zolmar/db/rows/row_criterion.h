#pragma once
// The criterion language of record sets: "col=value", "<>", ">", "<", ">=",
// "<=", "col LIKE 'x*'", joined with AND. Text values in apostrophes with
// apostrophes doubled; comparison of text ignores case and trailing blanks.

#include <QCollatorSortKey>
#include <QRegularExpression>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

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

  // A value prepared for many comparisons (a sort): converted and collated
  // once, so that compareSortable(sortable(a), sortable(b)) == compare(a, b).
  // conNumeros: some value it is compared with is held as a number (text is
  // read as a number only then); conTexto: some value is not (numbers compare
  // as text only then).
  struct Sortable {
    bool null = true;
    bool number = false;   // held as a number
    bool numeric = false;  // readable as one
    double value = 0;
    std::optional<QCollatorSortKey> text;
    std::optional<QString> plain;
  };
  // plano: every value of the column is plainText, compared as it is.
  static Sortable sortable(const QVariant& value, bool conNumeros, bool conTexto, bool plano);
  // Text of digits and capital letters A to Z alone (trailing blanks aside):
  // Spanish order is then the order of the character codes, no collation needed.
  static bool plainText(const QVariant& value);
  static int compareSortable(const Sortable& a, const Sortable& b);
  // Held as a number (not text that reads as one).
  static bool isNumber(const QVariant& value);

 private:
  static QRegularExpression likeExpression(const QString& pattern);
};

}  // namespace zolmar
