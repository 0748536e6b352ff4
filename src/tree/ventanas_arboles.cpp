#include "tree/ventanas_arboles.h"

namespace arboles {

VentanasArboles& VentanasArboles::instance() {
  static VentanasArboles ventanas;
  RegistrarVentanasModulo();
  return ventanas;
}

}  // namespace arboles
