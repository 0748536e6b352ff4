#include "zolmar/db/rows/row_criterion.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace zolmar {

namespace {

QString trimRight(QString text) {
  qsizetype n = text.size();
  while (n > 0 && text.at(n - 1).isSpace()) --n;
  text.truncate(n);
  return text;
}

const QCollator& spanishCollator() {
  static const QCollator collator = [] {
    QCollator c{QLocale(QLocale::Spanish, QLocale::Spain)};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(false);
    return c;
  }();
  return collator;
}

// Reads the criterion left to right; every read function advances pos.
class Reader {
 public:
  explicit Reader(const QString& text) : s_(text) {}
  void skipBlanks() {
    while (pos_ < s_.size() && s_.at(pos_).isSpace()) ++pos_;
  }
  bool atEnd() {
    skipBlanks();
    return pos_ >= s_.size();
  }
  bool column(QString* name) {
    skipBlanks();
    if (pos_ < s_.size() && s_.at(pos_) == '[') {
      const qsizetype close = s_.indexOf(']', pos_);
      if (close < 0) return false;
      *name = s_.mid(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
      return !name->isEmpty();
    }
    const qsizetype start = pos_;
    while (pos_ < s_.size() && (s_.at(pos_).isLetterOrNumber() || s_.at(pos_) == '_' || s_.at(pos_) == '.'))
      ++pos_;
    *name = s_.mid(start, pos_ - start);
    if (name->contains('.')) *name = name->section('.', -1);
    return !name->isEmpty();
  }
  bool op(RowCriterion::Op* op) {
    skipBlanks();
    static const struct {
      const char* text;
      RowCriterion::Op op;
    } ops[] = {{"<>", RowCriterion::Op::NotEqual},     {"!=", RowCriterion::Op::NotEqual},
               {">=", RowCriterion::Op::GreaterEqual}, {"<=", RowCriterion::Op::LessEqual},
               {"=", RowCriterion::Op::Equal},         {">", RowCriterion::Op::Greater},
               {"<", RowCriterion::Op::Less}};
    for (const auto& o : ops) {
      const QLatin1String t(o.text);
      if (QStringView(s_).mid(pos_, t.size()) == t) {
        pos_ += t.size();
        *op = o.op;
        return true;
      }
    }
    if (keyword("LIKE")) {
      *op = RowCriterion::Op::Like;
      return true;
    }
    return false;
  }
  bool value(QVariant* out) {
    skipBlanks();
    if (pos_ >= s_.size()) return false;
    const QChar first = s_.at(pos_);
    if (first == '\'' || first == '#') return quoted(first, out);
    const qsizetype start = pos_;
    while (pos_ < s_.size() && !s_.at(pos_).isSpace()) ++pos_;
    const QStringView word = QStringView(s_).mid(start, pos_ - start);
    if (word.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0) {
      *out = QVariant();
      return true;
    }
    bool ok = false;
    const qlonglong whole = word.toLongLong(&ok);
    if (ok) {
      *out = whole;
      return true;
    }
    const double real = word.toDouble(&ok);
    *out = ok ? QVariant(real) : QVariant(word.toString());
    return true;
  }
  bool keyword(const char* word) {
    skipBlanks();
    const QLatin1String w(word);
    if (QStringView(s_).mid(pos_, w.size()).compare(w, Qt::CaseInsensitive) != 0) return false;
    const qsizetype after = pos_ + w.size();
    if (after < s_.size() && (s_.at(after).isLetterOrNumber() || s_.at(after) == '_')) return false;
    pos_ = after;
    return true;
  }

 private:
  bool quoted(QChar quote, QVariant* out) {
    QString text;
    for (++pos_; pos_ < s_.size(); ++pos_) {
      if (s_.at(pos_) == quote) {
        if (pos_ + 1 < s_.size() && s_.at(pos_ + 1) == quote) {
          text += quote;
          ++pos_;
          continue;
        }
        ++pos_;
        *out = text;
        return true;
      }
      text += s_.at(pos_);
    }
    return false;
  }

  const QString& s_;
  qsizetype pos_ = 0;
};

}  // namespace

bool RowCriterion::parse(const QString& text, QVector<Term>* terms, QString* error) {
  Reader reader(text);
  terms->clear();
  do {
    Term term;
    if (!reader.column(&term.column) || !reader.op(&term.op) || !reader.value(&term.value)) {
      *error = QStringLiteral("Criterio de búsqueda no válido: %1").arg(text);
      return false;
    }
    if (term.op == Op::Like) term.like = likeExpression(term.value.toString());
    terms->push_back(term);
  } while (reader.keyword("AND"));
  if (!reader.atEnd()) {
    *error = QStringLiteral("Criterio de búsqueda no válido: %1").arg(text);
    return false;
  }
  return true;
}

QRegularExpression RowCriterion::likeExpression(const QString& pattern) {
  QString rx = QStringLiteral("^");
  for (QChar c : pattern) {
    // Record-set criteria know only "*" and "%": a typed "_" or "?" is data.
    if (c == '*' || c == '%')
      rx += QStringLiteral(".*");
    else
      rx += QRegularExpression::escape(QString(c));
  }
  rx += QStringLiteral("\\s*$");
  return QRegularExpression(
      rx, QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

bool RowCriterion::isNumber(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::Long:
      return true;
    default:
      return false;
  }
}

QString RowCriterion::key(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return QStringLiteral("\x01");
  if (isNumber(value)) {
    const double d = value.toDouble();
    if (d == static_cast<double>(static_cast<qlonglong>(d)))
      return QString::number(static_cast<qlonglong>(d));
    return QString::number(d, 'g', 17);
  }
  return trimRight(value.toString()).toCaseFolded();
}

int RowCriterion::compare(const QVariant& a, const QVariant& b) {
  const bool aNull = !a.isValid() || a.isNull();
  const bool bNull = !b.isValid() || b.isNull();
  if (aNull || bNull) return aNull == bNull ? 0 : (aNull ? -1 : 1);
  if (isNumber(a) || isNumber(b)) {
    bool okA = false;
    bool okB = false;
    const double x = a.toDouble(&okA);
    const double y = b.toDouble(&okB);
    if (okA && okB) return x < y ? -1 : (x > y ? 1 : 0);
  }
  return spanishCollator().compare(trimRight(a.toString()), trimRight(b.toString()));
}

bool RowCriterion::plainText(const QVariant& value) {
  if (value.typeId() != QMetaType::QString) return false;
  const QString text = trimRight(value.toString());
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
  });
}

RowCriterion::Sortable RowCriterion::sortable(const QVariant& value, bool conNumeros, bool conTexto,
                                              bool plano) {
  Sortable s;
  s.null = !value.isValid() || value.isNull();
  if (s.null) return s;
  s.number = isNumber(value);
  if (s.number || conNumeros) s.value = value.toDouble(&s.numeric);
  if (plano)
    s.plain = trimRight(value.toString());
  else if (!s.number || conTexto)
    s.text = spanishCollator().sortKey(trimRight(value.toString()));
  return s;
}

int RowCriterion::compareSortable(const Sortable& a, const Sortable& b) {
  if (a.null || b.null) return a.null == b.null ? 0 : (a.null ? -1 : 1);
  if ((a.number || b.number) && a.numeric && b.numeric)
    return a.value < b.value ? -1 : (a.value > b.value ? 1 : 0);
  if (a.plain && b.plain)
    return QString::compare(*a.plain, *b.plain) < 0 ? -1 : (*a.plain == *b.plain ? 0 : 1);
  return a.text->compare(*b.text);
}

bool RowCriterion::matches(const QVariant& field, const Term& term) {
  switch (term.op) {
    case Op::Equal:
      return key(field) == key(term.value);
    case Op::NotEqual:
      return key(field) != key(term.value);
    case Op::Like:
      return !field.isNull() && term.like.match(field.toString()).hasMatch();
    default:
      break;
  }
  if (field.isNull() || term.value.isNull()) return false;
  const int c = compare(field, term.value);
  switch (term.op) {
    case Op::Less:
      return c < 0;
    case Op::LessEqual:
      return c <= 0;
    case Op::Greater:
      return c > 0;
    default:
      return c >= 0;
  }
}

QString RowCriterion::quote(const QString& value) {
  QString inner = value;
  inner.replace('\'', QStringLiteral("''"));
  return "'" + inner + "'";
}

}  // namespace zolmar
