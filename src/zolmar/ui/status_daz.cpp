#include "zolmar/ui/status_daz.h"

#include "zolmar/ui/get.h"

namespace zolmar {

StatusDAZ::StatusDAZ(const QString& name) {
  field_.name = name.isEmpty() ? QStringLiteral("Activo") : name;
  field_.width = 1;
  field_.mask = QStringLiteral("(1)");
  field_.tip = QStringLiteral("Estado de la ficha");
  field_.dataType = get::Entero;
}

}  // namespace zolmar
