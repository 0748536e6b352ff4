#include "zolmar/ui/text_daz.h"

#include "zolmar/ui/get.h"

namespace zolmar {

void TextDAZ::Configure(const QString& name, qint32 width, const QString& tip, const QString& mask,
                        bool indexed) {
  field_.name = name;
  field_.width = width;
  field_.tip = tip;
  field_.mask = mask;
  field_.indexed = indexed;
  field_.dataType = get::Texto;
}

}  // namespace zolmar
