#pragma once
// A well-formed tree key held as a number: one byte a level, the first level
// in the highest byte, so a whole tree's keys fit in eight bytes a node.

#include <QByteArrayView>
#include <QString>

namespace arboles {

class ClaveCompacta {
 public:
  // The key read from its UTF-8 text, when ClaveArbol::EsValida accepts it.
  static bool Leer(QByteArrayView texto, quint64* clave);
  // ClaveArbol::ObtenerNivel of the key.
  static qint32 Nivel(quint64 clave);
  // The key's text: 16 upper-case hexadecimal digits.
  static QString Texto(quint64 clave);
  // ClaveArbol::Segmento of a level 1..8.
  static QString Segmento(quint64 clave, qint32 nivel);
  // Whether both keys agree in their first `niveles` segments.
  static bool MismoPrefijo(quint64 a, quint64 b, qint32 niveles);
};

}  // namespace arboles
