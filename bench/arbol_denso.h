#pragma once
// The generated trees of the benchmarks, breadth first: node k (0-based)
// hangs from node k / hijos - 1 (top level for k < hijos), so every parent is
// written before its children.

#include <QString>
#include <vector>

#include "tree/clave_arbol.h"

namespace bench {

// Calls fila(k, padre, clave) for k = 0 .. n-1: padre is the 1-based id of the
// parent (0 on the top level), clave the node's full key.
template <class Fila>
void recorrerArbolDenso(int n, int hijos, Fila&& fila) {
  std::vector<QString> prefijos(n);
  for (int k = 0; k < n; ++k) {
    const int padre = k < hijos ? -1 : k / hijos - 1;
    prefijos[k] =
        (padre < 0 ? QString() : prefijos[padre]) + arboles::ClaveArbol::NumeroASegmento(k % hijos + 1);
    fila(k, padre + 1, arboles::ClaveArbol::Rellenar(prefijos[k]));
  }
}

}  // namespace bench
