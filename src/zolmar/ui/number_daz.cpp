#include "zolmar/ui/number_daz.h"

#include "zolmar/ui/get.h"

namespace zolmar {

void NumberDAZ::Configure(const QString& name, qint32 digits, const QString& tip, const QString& mask,
                          qint32 numericKind, bool indexed) {
  field_.name = name;
  field_.width = digits;
  field_.tip = tip;
  field_.mask = mask;
  field_.indexed = indexed;
  field_.dataType = numericKind == 1 || numericKind == 3 ? get::Entero : get::Decimal;
  numericKind_ = numericKind;
}

}  // namespace zolmar
