#pragma once
// The "BORRADO" mark (Activo bit 2) on the nodes of a tree view: every window
// that shows a tree of Arboles with its marked nodes reads the marks here and
// lets the tree view show them (grey, "[BORRADO]" after the name).

#include <QtGlobal>

namespace zolmar {
class TreeView;
}

namespace arboles {

class IConnection;

class MarcasBorrado {
 public:
  // Marks the nodes "K=" + id of the tree type's rows that carry the mark, and
  // clears the mark of the others. One query.
  static void Aplicar(IConnection& cn, qint32 nTipoArbol, zolmar::TreeView& tree);
};

}  // namespace arboles
