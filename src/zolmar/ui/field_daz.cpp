#include "zolmar/ui/field_daz.h"

#include "zolmar/ui/get.h"

namespace zolmar {

void FieldDAZ::configureControl(QWidget* control) const {
  auto* entry = qobject_cast<get*>(control);
  if (!entry) {
    if (control) control->setToolTip(tip);
    return;
  }
  entry->setTipoDato(dataType);
  entry->setMaxLength(width);
  entry->setToolTipText(tip);
  entry->setAlignment(dataType == get::Entero || dataType == get::Decimal ? get::Derecha : get::Izquierda);
}

}  // namespace zolmar
