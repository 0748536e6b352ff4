#pragma once
// The shape of a plain single statement in one pass over its text, without
// tokens: the cache key the lexer would build, for the text a loop sends again
// and again with other values.

#include <QString>
#include <QVariant>
#include <QVector>

namespace zolmar {

// A shape with its hash, worked out once: the key of the translation cache.
struct TSqlShape {
  QString text;
  size_t hash = 0;

  bool operator==(const TSqlShape& other) const { return hash == other.hash && text == other.text; }
};
inline size_t qHash(const TSqlShape& shape, size_t seed = 0) { return shape.hash ^ seed; }

// How a literal begins. The token before a literal ended where it did because
// of this first character: a literal that begins the same way leaves it as it was.
enum class TSqlLiteralStart : unsigned char { None, Quote, NQuote, Digit, Dot };

// Where a literal stood in the text a shape was written from.
struct TSqlLiteralSpan {
  qsizetype start = 0;
  qsizetype end = 0;
  TSqlLiteralStart kind = TSqlLiteralStart::None;
};

class TSqlShapeKey {
 public:
  // Hash of a shape's text, eight bytes at a time.
  static size_t hashOf(QStringView text);

  // Writes the shape (tokens joined by blanks, literals as ?n / ?s, bracketed
  // names with their brackets) and the literal values, reusing the buffers.
  // False when the text holds anything but ASCII words, numbers, text literals,
  // [names] and operators, and one ';' at the end (a comment, a second
  // statement, a "name", an error): the full lexer decides those. With spans,
  // where each literal stood.
  static bool compute(const QString& text, QString* shape, QVector<QVariant>* literals,
                      QVector<TSqlLiteralSpan>* spans = nullptr);
  // The same for the statement of a " ; " batch that starts at *position;
  // on success *position is past the ';' that ends it (or at the end).
  static bool computeNext(const QString& batch, qsizetype* position, QString* shape,
                          QVector<QVariant>* literals);

  // Where the number that begins at start ends, and whether it has a point or an exponent.
  static qsizetype numberEnd(QStringView text, qsizetype start, bool* real);

  // Reads the literal that begins at *position the way start says (false when
  // it begins otherwise or is not closed) and moves *position past it.
  static bool readLiteral(const QString& text, qsizetype* position, TSqlLiteralStart start,
                          QVector<QVariant>* literals);
};

}  // namespace zolmar
