#include "categories/ventanas_categorias.h"

#include "tree/ventanas_arboles.h"

namespace arboles {

VentanasCategorias& VentanasCategorias::instance() {
  static VentanasCategorias ventanas;
  RegistrarVentanasModulo();
  return ventanas;
}

}  // namespace arboles
