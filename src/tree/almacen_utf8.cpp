#include "tree/almacen_utf8.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace arboles {

AlmacenUtf8::Texto AlmacenUtf8::Guardar(QByteArrayView bytes) {
  if (datos_.size() + bytes.size() > std::numeric_limits<quint32>::max())
    throw std::length_error("Demasiado texto para leerlo de una vez");
  const Texto texto{static_cast<quint32>(datos_.size()), static_cast<quint32>(bytes.size())};
  // resize grows the buffer geometrically, in place when it can.
  datos_.resize(datos_.size() + bytes.size());
  if (!bytes.isEmpty())
    std::memcpy(datos_.data() + texto.inicio, bytes.data(), static_cast<size_t>(bytes.size()));
  return texto;
}

}  // namespace arboles
