#pragma once
// The ES_CI_AS text order: Spanish alphabet (ñ its own letter after n),
// case-insensitive, accent-sensitive (accents weigh only where the letters tie),
// trailing blanks ignored.

#include <cstdint>

namespace zolmar {

class TSqlCollation {
 public:
  struct Weight {
    uint32_t primary = 0;    // letter identity: case folded, accent removed
    uint32_t secondary = 0;  // accent
    bool operator==(const Weight& o) const { return primary == o.primary && secondary == o.secondary; }
    bool operator<=(const Weight& o) const {
      return primary < o.primary || (primary == o.primary && secondary <= o.secondary);
    }
  };

  static Weight weight(char32_t c);

  // Decodes one code point of UTF-8 at *p (advancing it); invalid bytes stand for themselves.
  static char32_t decode(const unsigned char*& p, const unsigned char* end);

  // Length without the trailing blanks.
  static int trimmedLength(const char* text, int length);

  static int compare(const char* a, int lengthA, const char* b, int lengthB);
};

}  // namespace zolmar
