#pragma once
// A compiled T-SQL LIKE pattern: % any run, _ any one character, [abc], [a-z],
// [^x], an optional escape character; letters compare as ES_CI_AS does.

#include <QByteArray>
#include <vector>

#include "zolmar/db/tsql/tsql_collation.h"

namespace zolmar {

class TSqlLikePattern {
 public:
  TSqlLikePattern(const char* pattern, int length, char32_t escape = 0);

  // Trailing blanks of the text do not prevent a match.
  bool matches(const char* text, int length) const;

  const QByteArray& source() const { return pattern; }
  char32_t escapeCharacter() const { return escape; }

 private:
  using Weight = TSqlCollation::Weight;
  struct Element {
    enum Kind { Char, One, Many, Set } kind = Char;
    Weight weight;
    bool negated = false;
    std::vector<std::pair<Weight, Weight>> ranges;
  };

  bool matchWeights(const std::vector<Weight>& text, size_t length) const;
  static bool matchesElement(const Element& e, const Weight& w);

  QByteArray pattern;
  char32_t escape;
  std::vector<Element> elements;
};

}  // namespace zolmar
