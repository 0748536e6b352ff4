#include "zolmar/db/tsql/tsql_shape_template.h"

namespace zolmar {

void TSqlShapeTemplate::remember(const QString& text, QVector<TSqlLiteralSpan>* spans) {
  text_ = text;
  spans_.swap(*spans);
  valid_ = true;
}

void TSqlShapeTemplate::forget() {
  valid_ = false;
  text_.clear();
}

// The tokens between two literals are the same when their text is; a literal
// that begins the same way ends where the shape's reader would end it, so the
// token before it and the one after it are read as in the remembered text.
bool TSqlShapeTemplate::matches(const QString& text, QVector<QVariant>* literals) const {
  if (!valid_) return false;
  literals->clear();
  const QStringView last(text_);
  const QStringView now(text);
  qsizetype from = 0;  // in the remembered text
  qsizetype at = 0;    // in text
  for (const TSqlLiteralSpan& span : spans_) {
    const qsizetype piece = span.start - from;
    if (now.size() - at < piece || now.sliced(at, piece) != last.sliced(from, piece)) return false;
    at += piece;
    if (!TSqlShapeKey::readLiteral(text, &at, span.kind, literals)) return false;
    from = span.end;
  }
  return now.sliced(at) == last.sliced(from);
}

}  // namespace zolmar
