#include "zolmar/db/tsql/tsql_lexer.h"

#include "zolmar/db/tsql/tsql_shape_key.h"

namespace zolmar {

namespace {

bool isWordStart(QChar c) { return c.isLetter() || c == '_' || c == '@' || c == '#'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '@' || c == '#' || c == '$'; }
bool isDigit(QChar c) { return c >= '0' && c <= '9'; }

class Scanner {
 public:
  // Every statement of a batch, with its tokens.
  Scanner(const QString& text, QVector<TSqlLexedStatement>* out) : s(text), n(text.size()), out(out) {
    out->push_back({});
  }
  // The shape and literals of one statement only, no tokens: a ';' stops it.
  Scanner(const QString& text, TSqlLexedStatement* single) : s(text), n(text.size()), single(single) {}

  bool run(QString* error) {
    while (i < n) {
      const QChar c = s[i];
      if (c.isSpace()) {
        ++i;
      } else if (c == '-' && peek(1) == '-') {
        while (i < n && s[i] != '\n') ++i;
      } else if (c == '/' && peek(1) == '*') {
        const qsizetype end = s.indexOf(QLatin1String("*/"), i + 2);
        if (end < 0) return fail(error, QStringLiteral("Comentario sin cerrar"));
        i = end + 2;
      } else if (c == '\'' || ((c == 'N' || c == 'n') && peek(1) == '\'')) {
        if (!string(error)) return false;
      } else if (c == '[') {
        if (!bracketed(error)) return false;
      } else if (c == '"') {
        if (!quoted(error)) return false;
      } else if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
        number();
      } else if (isWordStart(c)) {
        const int start = i;
        while (i < n && isWordChar(s[i])) ++i;
        add(TSqlToken::Word, QStringView(s).mid(start, i - start), start);
      } else if (c == ';') {
        if (single) return false;
        finishStatement();
        ++i;
      } else if (!symbol()) {
        return fail(error, QStringLiteral("Carácter no admitido '%1'").arg(c));
      }
    }
    if (single) return true;
    finishStatement();
    out->removeLast();
    return true;
  }

 private:
  QChar peek(int k) const { return i + k < n ? s[i + k] : QChar(); }

  bool fail(QString* error, const QString& message) {
    if (error) *error = message + QStringLiteral(" en la posición %1").arg(i + 1);
    return false;
  }

  TSqlLexedStatement& current() { return single ? *single : out->last(); }

  void add(TSqlToken::Kind kind, QStringView text, int pos) {
    TSqlLexedStatement& st = current();
    if (!st.shape.isEmpty()) st.shape += ' ';
    st.shape += text;
    if (!single) st.tokens.push_back({kind, text.toString(), -1, pos});
  }

  // Brackets in the shape keep "[a b]" (one name) apart from "a b" (a name and its alias).
  void addName(const QString& name, int pos) {
    TSqlLexedStatement& st = current();
    if (!st.shape.isEmpty()) st.shape += ' ';
    st.shape += '[';
    for (QChar c : name) {
      st.shape += c;
      if (c == ']') st.shape += c;
    }
    st.shape += ']';
    if (!single) st.tokens.push_back({TSqlToken::QuotedName, name, -1, pos});
  }

  void addLiteral(TSqlToken::Kind kind, QVariant value, int pos) {
    TSqlLexedStatement& st = current();
    if (!st.shape.isEmpty()) st.shape += ' ';
    st.shape += kind == TSqlToken::String ? QLatin1String("?s") : QLatin1String("?n");
    if (!single) st.tokens.push_back({kind, QString(), int(st.literals.size()), pos});
    st.literals.push_back(std::move(value));
  }

  void finishStatement() {
    TSqlLexedStatement& st = current();
    if (st.tokens.isEmpty()) return;
    st.tokens.push_back({TSqlToken::End, QString(), -1, int(n)});
    out->push_back({});
  }

  bool string(QString* error) {
    const int start = i;
    if (s[i] != '\'') ++i;  // N prefix
    ++i;
    QString value;
    for (;;) {
      const qsizetype q = s.indexOf('\'', i);
      if (q < 0) {
        i = start;
        return fail(error, QStringLiteral("Literal de texto sin cerrar"));
      }
      value += QStringView(s).mid(i, q - i);
      i = q + 1;
      if (i < n && s[i] == '\'') {
        value += '\'';
        ++i;
      } else {
        break;
      }
    }
    addLiteral(TSqlToken::String, value, start);
    return true;
  }

  bool delimited(QChar close, QString* error) {
    const int start = i++;
    QString name;
    for (;;) {
      const qsizetype q = s.indexOf(close, i);
      if (q < 0) {
        i = start;
        return fail(error, QStringLiteral("Nombre sin cerrar"));
      }
      name += QStringView(s).mid(i, q - i);
      i = q + 1;
      if (i < n && s[i] == close) {
        name += close;
        ++i;
      } else {
        break;
      }
    }
    addName(name, start);
    return true;
  }
  bool bracketed(QString* error) { return delimited(']', error); }
  bool quoted(QString* error) { return delimited('"', error); }

  void number() {
    const int start = i;
    bool real = false;
    i = static_cast<int>(TSqlShapeKey::numberEnd(s, start, &real));
    const QStringView digits = QStringView(s).mid(start, i - start);
    bool ok = false;
    if (!real) {
      const qlonglong v = digits.toLongLong(&ok);
      if (ok) return addLiteral(TSqlToken::Number, v, start);
    }
    addLiteral(TSqlToken::Number, digits.toDouble(), start);
  }

  bool symbol() {
    static const char* const two[] = {"<>", "!=", "<=", ">=", "!<", "!>"};
    for (const char* t : two) {
      if (s[i] == QLatin1Char(t[0]) && peek(1) == QLatin1Char(t[1])) {
        add(TSqlToken::Symbol, QStringView(s).mid(i, 2), i);
        i += 2;
        return true;
      }
    }
    static const QString one = QStringLiteral("=<>+-*/%&|^(),.~");
    if (!one.contains(s[i])) return false;
    add(TSqlToken::Symbol, QStringView(s).mid(i, 1), i);
    ++i;
    return true;
  }

  const QString& s;
  const int n;
  int i = 0;
  QVector<TSqlLexedStatement>* out = nullptr;
  TSqlLexedStatement* single = nullptr;
};

}  // namespace

bool TSqlLexer::lex(const QString& text, QVector<TSqlLexedStatement>* statements, QString* error) const {
  statements->clear();
  Scanner scanner(text, statements);
  return scanner.run(error);
}

bool TSqlLexer::shapeOf(const QString& text, QString* shape, QVector<QVariant>* literals) const {
  TSqlLexedStatement statement;
  Scanner scanner(text, &statement);
  if (!scanner.run(nullptr) || statement.shape.isEmpty()) return false;
  *shape = std::move(statement.shape);
  *literals = std::move(statement.literals);
  return true;
}

}  // namespace zolmar
