#pragma once
// The tree as plain memory: parents, names, sibling order, the deleted mark
// and the records that point at nodes. What the database must hold after
// every operation.

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <utility>

class ModeloArbol {
 public:
  // A record pointing at a node, by table and row id. For a category
  // assignment, quien tells whose it is (the same one may not repeat a node).
  using Fila = std::pair<QString, qint32>;
  struct Referencia {
    qint32 nodo = 0;
    qint32 quien = 0;
  };

  // The column of a table that holds the node a record points at.
  static QString Columna(const QString& tabla);

  void Anadir(qint32 id, qint32 padre, const QString& nombre);
  // Removes the node with its category assignments, as a deletion does.
  void Quitar(qint32 id);
  // Hangs the node under another parent at the given place among its children.
  void Colgar(qint32 id, qint32 padre, qint32 posicion);
  void Renombrar(qint32 id, const QString& nombre) { nodos_[id].nombre = nombre; }
  void Marcar(qint32 id, bool borrado) { nodos_[id].borrado = borrado; }
  void Intercambiar(qint32 id, qint32 desplazamiento);
  void OrdenarPorNombre();
  // What a repair does: the parent links are trusted, the order is lost.
  void OrdenarPorId();
  void Referenciar(const QString& tabla, qint32 fila, qint32 nodo, qint32 quien = 0);
  // A merge: every record of one node goes to the other; an assignment the
  // other node already has for the same owner is dropped, and so is every
  // assignment when the other is the root (no category to assign).
  void Reapuntar(qint32 desde, qint32 hasta);

  bool Existe(qint32 id) const { return nodos_.contains(id); }
  qint32 Padre(qint32 id) const { return nodos_.value(id).padre; }
  QString Nombre(qint32 id) const { return nodos_.value(id).nombre; }
  bool Borrado(qint32 id) const { return nodos_.value(id).borrado; }
  const QVector<qint32>& Hijos(qint32 padre) const;
  qint32 Nivel(qint32 id) const;
  // Levels below the node, the node itself counting as one.
  qint32 Altura(qint32 id) const;
  bool EnRama(qint32 id, qint32 raiz) const;
  QString Ruta(qint32 id) const;
  // Records of the given tables pointing at the node.
  qint32 Referencias(qint32 nodo, const QStringList& tablas) const;
  // The first node, in id order, named like this without regard to case
  // inside the branch of raiz (raiz included; 0: the whole tree); 0 if none.
  qint32 BuscarEnRama(const QString& nombre, qint32 raiz) const;
  QVector<qint32> Nodos() const { return nodos_.keys().toVector(); }
  const QMap<Fila, Referencia>& TodasLasReferencias() const { return referencias_; }
  qint32 Tamano() const { return nodos_.size(); }

 private:
  struct Nodo {
    qint32 padre = 0;
    QString nombre;
    bool borrado = false;
  };
  QMap<qint32, Nodo> nodos_;
  QHash<qint32, QVector<qint32>> hijos_;
  QMap<Fila, Referencia> referencias_;
};
