#include "zolmar/db/tsql/tsql_collation.h"

#include <QChar>
#include <QString>
#include <array>

namespace zolmar {

namespace {

constexpr char32_t kTableSize = 0x250;  // Latin-1 and Latin Extended-A/B
constexpr uint32_t kLetters = 0x1000;
constexpr uint32_t kOthers = 0x20000;

uint32_t letterPrimary(char32_t lower) { return kLetters + (lower - 'a') * 4; }

TSqlCollation::Weight computeWeight(char32_t c) {
  if (c < 0x80) {
    if (c >= 'A' && c <= 'Z') return {letterPrimary(c + 32), 0};
    if (c >= 'a' && c <= 'z') return {letterPrimary(c), 0};
    if (c >= '0' && c <= '9') return {0x800 + (c - '0'), 0};
    return {0x100 + c, 0};
  }
  if (c == 0xF1 || c == 0xD1) return {letterPrimary('n') + 2, 0};  // ñ is a letter of its own
  const QChar ch(static_cast<char16_t>(c));
  if (ch.isLetter()) {
    const QString d = ch.decomposition();
    if (ch.decompositionTag() == QChar::Canonical && d.size() == 2 && d[0].unicode() < 0x80) {
      const char32_t base = QChar::toLower(d[0].unicode());
      if (base >= 'a' && base <= 'z') return {letterPrimary(base), uint32_t(d[1].unicode() - 0x2FF)};
    }
    return {kOthers + QChar::toCaseFolded(c), 0};
  }
  return {0x400 + c, 0};
}

const std::array<TSqlCollation::Weight, kTableSize>& table() {
  static const std::array<TSqlCollation::Weight, kTableSize> t = [] {
    std::array<TSqlCollation::Weight, kTableSize> w{};
    for (char32_t c = 0; c < kTableSize; ++c) w[c] = computeWeight(c);
    return w;
  }();
  return t;
}

}  // namespace

TSqlCollation::Weight TSqlCollation::weight(char32_t c) {
  if (c < kTableSize) return table()[c];
  return {kOthers + QChar::toCaseFolded(c), 0};
}

char32_t TSqlCollation::decode(const unsigned char*& p, const unsigned char* end) {
  const unsigned char b = *p++;
  if (b < 0x80) return b;
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  if (extra == 0 || end - p < extra) return b;
  char32_t c = b & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if ((p[i] & 0xC0) != 0x80) return b;
    c = (c << 6) | (p[i] & 0x3F);
  }
  p += extra;
  return c;
}

int TSqlCollation::trimmedLength(const char* text, int length) {
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}

int TSqlCollation::compare(const char* a, int lengthA, const char* b, int lengthB) {
  auto pa = reinterpret_cast<const unsigned char*>(a);
  auto pb = reinterpret_cast<const unsigned char*>(b);
  const unsigned char* endA = pa + trimmedLength(a, lengthA);
  const unsigned char* endB = pb + trimmedLength(b, lengthB);
  const auto& t = table();
  int accents = 0;
  while (pa < endA && pb < endB) {
    Weight wa, wb;
    if (*pa < 0x80 && *pb < 0x80) {
      wa = t[*pa++];
      wb = t[*pb++];
    } else {
      wa = weight(decode(pa, endA));
      wb = weight(decode(pb, endB));
    }
    if (wa.primary != wb.primary) return wa.primary < wb.primary ? -1 : 1;
    if (accents == 0 && wa.secondary != wb.secondary) accents = wa.secondary < wb.secondary ? -1 : 1;
  }
  if (pa < endA) return 1;
  if (pb < endB) return -1;
  return accents;
}

}  // namespace zolmar
