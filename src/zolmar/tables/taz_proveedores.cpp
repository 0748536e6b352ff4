#include "zolmar/tables/taz_proveedores.h"

namespace zolmar {

TazProveedores::TazProveedores()
    : TableAccess({QStringLiteral("Proveedores"),
                   QStringLiteral("Proveedores T LEFT JOIN Nombres N ON T.ID_Nombre = N.ZolmarID"),
                   QStringLiteral("N.Nombre + ' ' + N.Apellidos"), QStringLiteral("T.ID_Grupo"),
                   QStringLiteral("Proveedores del grupo %1"), QStringLiteral("Buscar proveedor"),
                   QStringLiteral("FrmListaProveedores")}) {}

}  // namespace zolmar
