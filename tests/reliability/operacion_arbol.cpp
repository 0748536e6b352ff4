#include "operacion_arbol.h"

const char* NombreDe(OperacionArbol::Tipo tipo) {
  static const char* const nombres[] = {
      "añadir hermano", "añadir hijo", "renombrar", "borrar", "subir",  "bajar",     "ordenar", "renumerar",
      "rutas",          "reparar",     "mover",     "unir",   "marcar", "desmarcar", "importar"};
  return nombres[tipo];
}

void showValue(const OperacionArbol& op, std::ostream& os) {
  if (op.tipo == OperacionArbol::Importar) {
    os << "importar(documento " << op.nodo << "/" << op.destino << ")";
    return;
  }
  os << NombreDe(op.tipo) << "(#" << op.nodo;
  if (op.tipo == OperacionArbol::Mover || op.tipo == OperacionArbol::Unir) os << " -> #" << op.destino;
  if (op.tipo == OperacionArbol::Unir && op.opcion) os << ", borrando";
  os << ")";
}
