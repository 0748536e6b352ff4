#pragma once
// The tree as plain memory: parents, names, sibling order and the records
// that point at nodes. What the database must hold after every operation.

#include <QHash>
#include <QMap>
#include <QString>
#include <QVector>

class ModeloArbol {
 public:
  void Anadir(qint32 id, qint32 padre, const QString& nombre);
  void Quitar(qint32 id);
  // Hangs the node under another parent at the given place among its children.
  void Colgar(qint32 id, qint32 padre, qint32 posicion);
  void Renombrar(qint32 id, const QString& nombre) { nodos_[id].nombre = nombre; }
  void Intercambiar(qint32 id, qint32 desplazamiento);
  void OrdenarPorNombre();
  // What a repair does: the parent links are trusted, the order is lost.
  void OrdenarPorId();
  void Referenciar(qint32 fila, qint32 nodo) { referencias_[fila] = nodo; }
  void Reapuntar(qint32 desde, qint32 hasta);

  bool Existe(qint32 id) const { return nodos_.contains(id); }
  qint32 Padre(qint32 id) const { return nodos_.value(id).padre; }
  QString Nombre(qint32 id) const { return nodos_.value(id).nombre; }
  const QVector<qint32>& Hijos(qint32 padre) const;
  qint32 Nivel(qint32 id) const;
  // Levels below the node, the node itself counting as one.
  qint32 Altura(qint32 id) const;
  bool EnRama(qint32 id, qint32 raiz) const;
  QString Ruta(qint32 id) const;
  qint32 Referencias(qint32 nodo) const;
  QVector<qint32> Nodos() const { return nodos_.keys().toVector(); }
  const QMap<qint32, qint32>& TodasLasReferencias() const { return referencias_; }
  qint32 Tamano() const { return nodos_.size(); }

 private:
  struct Nodo {
    qint32 padre = 0;
    QString nombre;
  };
  QMap<qint32, Nodo> nodos_;
  QHash<qint32, QVector<qint32>> hijos_;
  QMap<qint32, qint32> referencias_;  // record id -> node id
};
