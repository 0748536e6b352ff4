#pragma once
// Where each id sits in a list read once: a flat table when the ids are
// dense, as identity columns usually are, a hash when they are scattered.

#include <QHash>
#include <QVector>
#include <functional>

namespace arboles {

class IndiceIds {
 public:
  static constexpr qint32 Ninguna = -1;

  // idEn(i) is the id at position i; a repeated id keeps its last position.
  void Construir(qint32 cuantos, const std::function<qint32(qint32)>& idEn);
  // Ninguna when the id is not in the list.
  qint32 Posicion(qint32 id) const;
  bool Contiene(qint32 id) const { return Posicion(id) != Ninguna; }
  void Vaciar();

 private:
  qint32 minimo_ = 0;
  QVector<qint32> tabla_;  // position of id minimo_ + k at k
  QHash<qint32, qint32> hash_;
};

}  // namespace arboles
