#pragma once
// How rapidcheck draws the steps of a sequence: additions weigh more, so
// trees grow while everything else runs on them.

#include <rapidcheck.h>

#include "operacion_arbol.h"

namespace rc {

template <>
struct Arbitrary<OperacionArbol> {
  static Gen<OperacionArbol> arbitrary() {
    using O = OperacionArbol;
    return gen::construct<O>(gen::weightedElement<O::Tipo>({{6, O::AnadirHermano},
                                                            {6, O::AnadirHijo},
                                                            {3, O::Renombrar},
                                                            {3, O::Borrar},
                                                            {3, O::Subir},
                                                            {3, O::Bajar},
                                                            {1, O::Ordenar},
                                                            {1, O::Renumerar},
                                                            {1, O::Rutas},
                                                            {1, O::Reparar},
                                                            {4, O::Mover},
                                                            {3, O::Unir},
                                                            {2, O::Marcar},
                                                            {2, O::Desmarcar},
                                                            {3, O::Importar}}),
                             gen::arbitrary<uint32_t>(), gen::arbitrary<uint32_t>(), gen::arbitrary<bool>());
  }
};

}  // namespace rc
