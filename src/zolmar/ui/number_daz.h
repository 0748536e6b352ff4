#pragma once
// The host's numeric field descriptor.

#include "zolmar/ui/field_daz.h"

namespace zolmar {

class NumberDAZ : public FieldDAZImpl<arboles::INumberDAZ> {
 public:
  // numericKind: 1 small code, 3 id or counter (whole numbers); others decimal.
  void Configure(const QString& name, qint32 digits, const QString& tip, const QString& mask,
                 qint32 numericKind, bool indexed) override;
  qint32 NumericKind() const { return numericKind_; }

 private:
  qint32 numericKind_ = 0;
};

}  // namespace zolmar
