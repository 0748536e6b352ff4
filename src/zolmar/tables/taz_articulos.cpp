#include "zolmar/tables/taz_articulos.h"

namespace zolmar {

TazArticulos::TazArticulos()
    : TableAccess({QStringLiteral("Articulos"), QStringLiteral("Articulos T"), QStringLiteral("T.Nombre"),
                   QStringLiteral("T.ID_Categoria1"), QStringLiteral("Artículos de la categoría %1"),
                   QStringLiteral("Buscar artículo"), QStringLiteral("FrmListaArticulos")}) {}

}  // namespace zolmar
