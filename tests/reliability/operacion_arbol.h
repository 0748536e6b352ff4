#pragma once
// One step of a random sequence. Nodes are chosen by number, taken modulo the
// nodes that qualify when the step runs, so a shrunk sequence stays valid.

#include <cstdint>
#include <ostream>

struct OperacionArbol {
  enum Tipo : uint8_t {
    AnadirHermano,
    AnadirHijo,
    Renombrar,
    Borrar,
    Subir,
    Bajar,
    Ordenar,
    Renumerar,
    Rutas,
    Reparar,
    Mover,
    Unir,
    Marcar,
    Desmarcar,
    Importar,
  };
  OperacionArbol() = default;
  OperacionArbol(Tipo t, uint32_t n, uint32_t d, bool o) : tipo(t), nodo(n), destino(d), opcion(o) {}

  Tipo tipo = Rutas;
  uint32_t nodo = 0;
  uint32_t destino = 0;
  bool opcion = false;  // merge: also delete the origin
  // Import: nodo and destino seed the document's shape and names.
};

const char* NombreDe(OperacionArbol::Tipo tipo);
void showValue(const OperacionArbol& op, std::ostream& os);
