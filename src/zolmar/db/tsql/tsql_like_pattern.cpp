#include "zolmar/db/tsql/tsql_like_pattern.h"

namespace zolmar {

namespace {

using Weight = TSqlCollation::Weight;

std::vector<char32_t> decodeAll(const char* text, int length) {
  std::vector<char32_t> out;
  out.reserve(length);
  auto p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = p + length;
  while (p < end) out.push_back(TSqlCollation::decode(p, end));
  return out;
}

}  // namespace

TSqlLikePattern::TSqlLikePattern(const char* text, int length, char32_t escape)
    : pattern(text, length), escape(escape) {
  const std::vector<char32_t> p = decodeAll(text, length);
  for (size_t i = 0; i < p.size(); ++i) {
    Element e;
    const char32_t c = p[i];
    if (escape && c == escape && i + 1 < p.size()) {
      e.weight = TSqlCollation::weight(p[++i]);
    } else if (c == '%') {
      if (!elements.empty() && elements.back().kind == Element::Many) continue;
      e.kind = Element::Many;
    } else if (c == '_') {
      e.kind = Element::One;
    } else if (c == '[') {
      size_t close = i + 1;
      if (close < p.size() && p[close] == '^') ++close;
      if (close < p.size()) ++close;  // a ']' right after '[' or '[^' is a member
      while (close < p.size() && p[close] != ']') ++close;
      if (close >= p.size()) {  // no closing bracket: the '[' is an ordinary character
        e.weight = TSqlCollation::weight(c);
      } else {
        e.kind = Element::Set;
        size_t k = i + 1;
        if (p[k] == '^' && k + 1 < close) {
          e.negated = true;
          ++k;
        }
        for (; k < close; ++k) {
          const Weight lo = TSqlCollation::weight(p[k]);
          if (k + 2 < close && p[k + 1] == '-') {
            e.ranges.push_back({lo, TSqlCollation::weight(p[k + 2])});
            k += 2;
          } else {
            e.ranges.push_back({lo, lo});
          }
        }
        i = close;
      }
    } else {
      e.weight = TSqlCollation::weight(c);
    }
    elements.push_back(std::move(e));
  }
}

bool TSqlLikePattern::matchesElement(const Element& e, const Weight& w) {
  switch (e.kind) {
    case Element::Char:
      return e.weight == w;
    case Element::One:
      return true;
    case Element::Set: {
      bool in = false;
      for (const auto& [lo, hi] : e.ranges) in = in || (lo <= w && w <= hi);
      return in != e.negated;
    }
    case Element::Many:
      break;
  }
  return false;
}

// Wildcard matching with one backtracking point per '%' run.
bool TSqlLikePattern::matchWeights(const std::vector<Weight>& text, size_t n) const {
  const size_t m = elements.size();
  size_t ti = 0, pi = 0, starT = 0;
  long starP = -1;
  while (ti < n) {
    if (pi < m && elements[pi].kind == Element::Many) {
      starP = long(pi++);
      starT = ti;
    } else if (pi < m && matchesElement(elements[pi], text[ti])) {
      ++pi;
      ++ti;
    } else if (starP >= 0) {
      pi = size_t(starP) + 1;
      ti = ++starT;
    } else {
      return false;
    }
  }
  while (pi < m && elements[pi].kind == Element::Many) ++pi;
  return pi == m;
}

bool TSqlLikePattern::matches(const char* text, int length) const {
  // "abc%", the commonest pattern (key prefixes, name searches): only the
  // first characters of the text need their weights.
  const size_t m = elements.size();
  size_t fixed = 0;
  while (fixed < m && elements[fixed].kind == Element::Char) ++fixed;
  if (m > 0 && fixed == m - 1 && elements[m - 1].kind == Element::Many) {
    auto p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + length;
    for (size_t i = 0; i < fixed; ++i) {
      if (p >= end || TSqlCollation::weight(TSqlCollation::decode(p, end)) != elements[i].weight)
        return false;
    }
    return true;
  }
  thread_local std::vector<Weight> weights;
  weights.clear();
  auto p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = p + length;
  size_t trimmed = 0;
  while (p < end) {
    const char32_t c = TSqlCollation::decode(p, end);
    weights.push_back(TSqlCollation::weight(c));
    if (c != ' ') trimmed = weights.size();
  }
  if (matchWeights(weights, weights.size())) return true;
  return trimmed < weights.size() && matchWeights(weights, trimmed);
}

}  // namespace zolmar
