#include "zolmar/db/tsql/tsql_shape_key.h"

#include <cstring>

namespace zolmar {

namespace {

enum CharClass : unsigned char { Blank = 1, WordStart = 2, WordChar = 4, Digit = 8, Operator = 16 };

// Classes of the ASCII characters; anything beyond ASCII goes to the full lexer.
struct CharTable {
  unsigned char bits[128] = {};
  constexpr CharTable() {
    for (int c = '\t'; c <= '\r'; ++c) bits[c] = Blank;
    bits[int(' ')] = Blank;
    for (int c = 'a'; c <= 'z'; ++c) bits[c] = WordStart | WordChar;
    for (int c = 'A'; c <= 'Z'; ++c) bits[c] = WordStart | WordChar;
    for (char c : {'_', '@', '#'}) bits[int(c)] = WordStart | WordChar;
    bits[int('$')] = WordChar;
    for (int c = '0'; c <= '9'; ++c) bits[c] = Digit | WordChar;
    for (char c : {'=', '<', '>', '+', '-', '*', '/', '%', '&', '|', '^', '(', ')', ',', '.', '~'})
      bits[int(c)] = Operator;
  }
};
constexpr CharTable kTable;

bool is(char16_t c, unsigned char cls) { return c < 128 && (kTable.bits[c] & cls) != 0; }
bool isDigit(char16_t c) { return c >= '0' && c <= '9'; }

TSqlLiteralStart literalStart(const char16_t* s, qsizetype n, qsizetype i) {
  const char16_t c = s[i];
  const char16_t d = i + 1 < n ? s[i + 1] : u'\0';
  if (c == '\'') return TSqlLiteralStart::Quote;
  if ((c == 'N' || c == 'n') && d == '\'') return TSqlLiteralStart::NQuote;
  if (isDigit(c)) return TSqlLiteralStart::Digit;
  if (c == '.' && isDigit(d)) return TSqlLiteralStart::Dot;
  return TSqlLiteralStart::None;
}

// A text literal from its quote (or N prefix) to the closing quote, '' read as one quote.
bool readText(const char16_t* s, qsizetype n, qsizetype* at, QVector<QVariant>* literals) {
  qsizetype i = *at;
  if (s[i] != '\'') ++i;  // N prefix
  ++i;
  QString value;
  for (;;) {
    qsizetype q = i;
    while (q < n && s[q] != '\'') ++q;
    if (q == n) return false;
    value += QStringView(s + i, q - i);
    i = q + 1;
    if (i < n && s[i] == '\'') {
      value += QChar('\'');
      ++i;
    } else {
      break;
    }
  }
  literals->push_back(value);
  *at = i;
  return true;
}

void readNumber(const char16_t* s, qsizetype n, qsizetype* at, QVector<QVariant>* literals) {
  const qsizetype start = *at;
  bool real = false;
  const qsizetype i = TSqlShapeKey::numberEnd(QStringView(s, n), start, &real);
  *at = i;
  if (!real && i - start <= 18) {
    qlonglong v = 0;
    for (qsizetype k = start; k < i; ++k) v = v * 10 + (s[k] - '0');
    literals->push_back(v);
    return;
  }
  const QStringView digits(s + start, i - start);
  bool ok = false;
  if (!real) {
    const qlonglong v = digits.toLongLong(&ok);
    if (ok) return literals->push_back(v);
  }
  literals->push_back(digits.toDouble());
}

bool readLiteral(const char16_t* s, qsizetype n, qsizetype* at, TSqlLiteralStart start,
                 QVector<QVariant>* literals) {
  if (start == TSqlLiteralStart::Quote || start == TSqlLiteralStart::NQuote)
    return readText(s, n, at, literals);
  readNumber(s, n, at, literals);
  return true;
}

// Same tokens, same shape and same literal values as the lexer; gives up
// (returns false) on whatever it would have to think about.
class KeyWriter {
 public:
  // From start to the end of the text, or (inBatch) to the ';' that ends the statement.
  KeyWriter(const QString& text, qsizetype start, QString* shape, QVector<QVariant>* literals,
            QVector<TSqlLiteralSpan>* spans, bool inBatch)
      : s(reinterpret_cast<const char16_t*>(text.constData())),
        n(text.size()),
        i(start),
        inBatch(inBatch),
        literals(literals),
        spans(spans) {
    if (spans) spans->clear();
    // A one-character number grows into " ?n": three characters at most per character.
    shape->resize(3 * (n - start) + 4);
    begin = out = reinterpret_cast<char16_t*>(shape->data());
  }

  bool run() {
    while (i < n) {
      const char16_t c = s[i];
      if (is(c, Blank)) {
        ++i;
        continue;
      }
      if (c == ';') {
        // A lone statement may end with one ';' (the module writes " ; " after some).
        if (!inBatch && !blanksFrom(i + 1)) return false;
        i = inBatch ? i + 1 : n;
        break;
      }
      if (out != begin) *out++ = ' ';
      bool ok = true;
      // Only N before a quote starts both a word and a literal: it is a literal.
      if (const TSqlLiteralStart start = literalStart(s, n, i); start != TSqlLiteralStart::None)
        ok = literal(start);
      else if (is(c, WordStart))
        ok = word();
      else if (c == '[')
        ok = bracketed();
      else
        ok = symbol();
      if (!ok) return false;
    }
    return out != begin;
  }

  qsizetype length() const { return out - begin; }
  qsizetype position() const { return i; }

 private:
  bool blanksFrom(qsizetype k) const {
    while (k < n && is(s[k], Blank)) ++k;
    return k == n;
  }

  bool word() {
    while (i < n && is(s[i], WordChar)) *out++ = s[i++];
    return i == n || s[i] < 0x80;  // a letter beyond ASCII may continue the word
  }

  void put(char16_t a, char16_t b) {
    *out++ = a;
    *out++ = b;
  }

  bool literal(TSqlLiteralStart start) {
    const qsizetype from = i;
    if (!readLiteral(s, n, &i, start, literals)) return false;
    const bool text = start == TSqlLiteralStart::Quote || start == TSqlLiteralStart::NQuote;
    put('?', text ? 's' : 'n');
    if (spans) spans->push_back({from, i, start});
    return true;
  }

  // The brackets stay in the shape, and a "]]" inside is written as it stands.
  bool bracketed() {
    const qsizetype start = i++;
    for (;;) {
      while (i < n && s[i] != ']') ++i;
      if (i == n) return false;
      ++i;
      if (i < n && s[i] == ']')
        ++i;
      else
        break;
    }
    for (qsizetype k = start; k < i; ++k) *out++ = s[k];
    return true;
  }

  bool symbol() {
    const char16_t c = s[i];
    const char16_t d = i + 1 < n ? s[i + 1] : u'\0';
    if ((c == '<' && (d == '>' || d == '=')) || (c == '>' && d == '=') ||
        (c == '!' && (d == '=' || d == '<' || d == '>'))) {
      put(c, d);
      i += 2;
      return true;
    }
    if (c == '-' && d == '-') return false;  // a comment
    if (c == '/' && d == '*') return false;
    if (!is(c, Operator)) return false;
    *out++ = c;
    ++i;
    return true;
  }

  const char16_t* s;
  const qsizetype n;
  qsizetype i;
  const bool inBatch;
  char16_t* begin;
  char16_t* out;
  QVector<QVariant>* literals;
  QVector<TSqlLiteralSpan>* spans;
};

}  // namespace

size_t TSqlShapeKey::hashOf(QStringView text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = static_cast<size_t>(text.size()) * sizeof(char16_t);
  quint64 h = 0x9e3779b97f4a7c15ULL ^ size;
  size_t k = 0;
  for (; k + 8 <= size; k += 8) {
    quint64 word;
    std::memcpy(&word, bytes + k, 8);
    h = (h ^ word) * 0xff51afd7ed558ccdULL;
    h ^= h >> 32;
  }
  if (k < size) {
    quint64 word = 0;
    std::memcpy(&word, bytes + k, size - k);
    h = (h ^ word) * 0xc4ceb9fe1a85ec53ULL;
  }
  h ^= h >> 29;
  return static_cast<size_t>(h);
}

bool TSqlShapeKey::compute(const QString& text, QString* shape, QVector<QVariant>* literals,
                           QVector<TSqlLiteralSpan>* spans) {
  literals->clear();
  KeyWriter writer(text, 0, shape, literals, spans, false);
  const bool ok = writer.run();
  shape->truncate(ok ? writer.length() : 0);
  return ok;
}

bool TSqlShapeKey::computeNext(const QString& batch, qsizetype* position, QString* shape,
                               QVector<QVariant>* literals) {
  literals->clear();
  KeyWriter writer(batch, *position, shape, literals, nullptr, true);
  const bool ok = writer.run();
  shape->truncate(ok ? writer.length() : 0);
  if (ok) *position = writer.position();
  return ok;
}

// An exponent needs digits after the E, so "3ELSE" and "3END" still split.
qsizetype TSqlShapeKey::numberEnd(QStringView text, qsizetype start, bool* real) {
  const qsizetype n = text.size();
  qsizetype i = start;
  *real = false;
  while (i < n && isDigit(text[i].unicode())) ++i;
  if (i < n && text[i] == u'.') {
    *real = true;
    ++i;
    while (i < n && isDigit(text[i].unicode())) ++i;
  }
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    qsizetype k = i + 1;
    if (k < n && (text[k] == u'+' || text[k] == u'-')) ++k;
    if (k < n && isDigit(text[k].unicode())) {
      *real = true;
      i = k;
      while (i < n && isDigit(text[i].unicode())) ++i;
    }
  }
  return i;
}

bool TSqlShapeKey::readLiteral(const QString& text, qsizetype* position, TSqlLiteralStart start,
                               QVector<QVariant>* literals) {
  const auto* s = reinterpret_cast<const char16_t*>(text.constData());
  if (*position >= text.size() || literalStart(s, text.size(), *position) != start) return false;
  return zolmar::readLiteral(s, text.size(), position, start, literals);
}

}  // namespace zolmar
