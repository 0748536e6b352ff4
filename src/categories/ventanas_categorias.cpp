#include "categories/ventanas_categorias.h"

namespace arboles {

VentanasCategorias& VentanasCategorias::instance() {
  static VentanasCategorias ventanas;
  return ventanas;
}

}  // namespace arboles
