#include "zolmar/ui/id_daz.h"

#include "zolmar/ui/get.h"

namespace zolmar {

IdDAZ::IdDAZ(const QString& name) {
  field_.name = name.isEmpty() ? QStringLiteral("ZolmarID") : name;
  field_.width = 7;
  field_.mask = QStringLiteral("(7)");
  field_.tip = QStringLiteral("Número de ficha");
  field_.dataType = get::Entero;
  field_.indexed = true;
}

}  // namespace zolmar
