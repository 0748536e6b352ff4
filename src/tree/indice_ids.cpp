#include "tree/indice_ids.h"

#include <algorithm>

namespace arboles {

namespace {

// A table up to this many slots per id (plus a little) beats a hash in time and room.
constexpr qint64 kHuecosPorId = 2;
constexpr qint64 kHuecosMinimos = 1024;

}  // namespace

void IndiceIds::Construir(qint32 cuantos, const std::function<qint32(qint32)>& idEn) {
  Vaciar();
  if (cuantos <= 0) return;
  qint32 minimo = idEn(0);
  qint32 maximo = minimo;
  for (qint32 i = 1; i < cuantos; ++i) {
    minimo = std::min(minimo, idEn(i));
    maximo = std::max(maximo, idEn(i));
  }
  const qint64 rango = static_cast<qint64>(maximo) - minimo + 1;
  if (rango <= kHuecosPorId * cuantos + kHuecosMinimos) {
    minimo_ = minimo;
    tabla_.fill(Ninguna, static_cast<qsizetype>(rango));
    for (qint32 i = 0; i < cuantos; ++i)
      tabla_[static_cast<qsizetype>(static_cast<qint64>(idEn(i)) - minimo)] = i;
    return;
  }
  hash_.reserve(cuantos);
  for (qint32 i = 0; i < cuantos; ++i) hash_.insert(idEn(i), i);
}

qint32 IndiceIds::Posicion(qint32 id) const {
  if (!tabla_.isEmpty()) {
    const qint64 k = static_cast<qint64>(id) - minimo_;
    return k < 0 || k >= tabla_.size() ? Ninguna : tabla_[static_cast<qsizetype>(k)];
  }
  return hash_.value(id, Ninguna);
}

void IndiceIds::Vaciar() {
  minimo_ = 0;
  tabla_ = QVector<qint32>();
  hash_ = QHash<qint32, qint32>();
}

}  // namespace arboles
