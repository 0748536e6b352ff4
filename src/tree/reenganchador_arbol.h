#pragma once
// Finds the nodes of a tree that no chain of parent links joins to the top
// level, and hangs them from the top level so that a key rebuild reaches them.

#include <QVector>
#include <memory>

namespace arboles {

class IGlobales;

class ReenganchadorArbol {
 public:
  ReenganchadorArbol(std::shared_ptr<IGlobales> oGlobales, qint32 nTipoArbol);

  // The nodes to hang from the top level, ascending: each node whose parent is
  // missing or belongs to another tree, and the lowest id of each parent cycle.
  // Their descendants follow them. One read of the tree, computed in memory.
  QVector<qint32> Desenganchados();

  // Sets ID_Padre=0 on every node Desenganchados finds, one statement each;
  // returns how many statements were sent.
  qint32 Reenganchar();
  // The nodes the last Reenganchar hung from the top level, ascending.
  const QVector<qint32>& Reenganchados() const { return reenganchados_; }

 private:
  struct Fila {
    qint32 id = 0;
    qint32 idPadre = 0;
  };
  QVector<Fila> Leer();

  std::shared_ptr<IGlobales> oGlobales_;
  qint32 nTipoArbol_;
  QVector<qint32> reenganchados_;
};

}  // namespace arboles
