#pragma once
// A row already read as QVariants (the ODBC side) seen as a streamed row.

#include <QByteArray>
#include <QList>
#include <QVariant>
#include <QVector>

#include "host/i_row_view.h"

namespace zolmar {

class VariantRowView : public arboles::IRowView {
 public:
  explicit VariantRowView(const QVector<QVariant>& values) : values_(values) {}

  qint32 ColumnCount() const override { return static_cast<qint32>(values_.size()); }
  qint32 Int(qint32 column) const override { return values_.value(column).toInt(); }
  QByteArrayView Utf8(qint32 column) const override;

 private:
  const QVector<QVariant>& values_;
  mutable QList<QByteArray> held_;
};

}  // namespace zolmar
