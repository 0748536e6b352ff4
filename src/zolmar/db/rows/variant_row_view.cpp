#include "zolmar/db/rows/variant_row_view.h"

namespace zolmar {

QByteArrayView VariantRowView::Utf8(qint32 column) const {
  const QVariant value = values_.value(column);
  if (value.isNull()) return QByteArrayView();
  held_.append(value.toString().toUtf8());
  return held_.constLast();
}

}  // namespace zolmar
