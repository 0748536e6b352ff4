#include "categories/taz_auto_categorias.h"

namespace arboles {

cTAZ_AutoCategorias::cTAZ_AutoCategorias()
    : TablaCategorias(
          QStringLiteral("AutoCategorias"),
          {
              {"ZolmarID", Clase::Id, 0, "", 0, false},
              {"Tipo", Clase::Numero, 1, "Tipo de clave relacionada con la categoría", 1, false},
              {"Clave", Clase::Texto, 10, "Clave a relacionar", 0, false},
              {"ID_Categoria", Clase::Numero, 7, "Identificador de la categoría relacionada", 3, false},
          }) {}

bool cTAZ_AutoCategorias::Delete() {
  return BorrarEnTransaccion(QStringLiteral("BorrandoAutoCategorias"), [] { return true; });
}

}  // namespace arboles
