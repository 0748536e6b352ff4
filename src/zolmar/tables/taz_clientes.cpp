#include "zolmar/tables/taz_clientes.h"

namespace zolmar {

TazClientes::TazClientes()
    : TableAccess({QStringLiteral("Clientes"),
                   QStringLiteral("Clientes T LEFT JOIN Nombres N ON T.ID_Nombre = N.ZolmarID"),
                   QStringLiteral("N.Nombre + ' ' + N.Apellidos"), QStringLiteral("T.ID_Grupo"),
                   QStringLiteral("Clientes del grupo %1"), QStringLiteral("Buscar cliente"),
                   QStringLiteral("FrmListaClientes")}) {}

}  // namespace zolmar
