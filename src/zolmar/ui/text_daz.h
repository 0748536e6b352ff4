#pragma once
// The host's text field descriptor.

#include "zolmar/ui/field_daz.h"

namespace zolmar {

class TextDAZ : public FieldDAZImpl<arboles::ITextDAZ> {
 public:
  void Configure(const QString& name, qint32 width, const QString& tip, const QString& mask,
                 bool indexed) override;
};

}  // namespace zolmar
