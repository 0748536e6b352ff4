#pragma once
// Splits T-SQL text into tokens and lifts literals out of it, so that statements
// that differ only in their literal values share one shape.

#include <QString>
#include <QVariant>
#include <QVector>

namespace zolmar {

struct TSqlToken {
  enum Kind { Word, QuotedName, Number, String, Symbol, Semicolon, End };
  Kind kind = End;
  QString text;      // words and names as written (names without brackets); symbols
  int literal = -1;  // index into the lifted literals for Number and String
  int position = 0;  // offset in the source text
};

// One statement of a batch: its tokens, its shape key and its literal values.
struct TSqlLexedStatement {
  QVector<TSqlToken> tokens;  // ends with an End token
  QString shape;              // tokens joined, literals replaced by ?n / ?s
  QVector<QVariant> literals;
};

class TSqlLexer {
 public:
  // Lexes a batch; statements are separated by ';' outside quotes and comments.
  // Returns false with a message on an unterminated literal or an unknown character.
  bool lex(const QString& text, QVector<TSqlLexedStatement>* statements, QString* error) const;
  // The shape and literals of a text holding one statement, as the full lexer
  // reads them: the key of the translation cache for the texts the quick pass
  // (TSqlShapeKey) steps aside from. False for a batch, an empty text or one
  // the lexer refuses.
  bool shapeOf(const QString& text, QString* shape, QVector<QVariant>* literals) const;
};

}  // namespace zolmar
