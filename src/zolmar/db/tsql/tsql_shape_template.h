#pragma once
// A statement text already translated, cut at its literals. A loop sends the
// same text with other values: the pieces between the literals are compared
// with the remembered text's instead of writing and hashing the shape again.

#include <QString>
#include <QVariant>
#include <QVector>

#include "zolmar/db/tsql/tsql_shape_key.h"

namespace zolmar {

class TSqlShapeTemplate {
 public:
  // Keeps text and where its literals stood; spans gets back a buffer to reuse.
  void remember(const QString& text, QVector<TSqlLiteralSpan>* spans);
  void forget();

  // True when text is the remembered one with other literal values, which go
  // into *literals: then its shape is the remembered text's.
  bool matches(const QString& text, QVector<QVariant>* literals) const;

 private:
  QString text_;
  QVector<TSqlLiteralSpan> spans_;
  bool valid_ = false;
};

}  // namespace zolmar
