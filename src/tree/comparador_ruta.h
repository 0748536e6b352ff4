#pragma once
// Whether a node's RutaPadre is the one its parent gives: the parent's path,
// its name and ":", cut to the column's width in characters as the
// database's LEFT counts them (an emoji is one).

#include <QByteArrayView>
#include <QString>

namespace arboles {

class ComparadorRuta {
 public:
  static constexpr qint32 Largo = 150;

  static QString Esperada(const QString& base, const QString& nombre);
  // Whether ruta is Esperada(base, nombre), without building it.
  static bool Coincide(const QString& ruta, const QString& base, const QString& nombre);
  // The same on the texts' UTF-8 bytes as stored, without decoding them.
  // True only when sure; false when they differ and also when only the
  // decoded text can tell (malformed UTF-8, a byte-order mark, a cut that
  // would split a character).
  static bool CoincideUtf8(QByteArrayView ruta, QByteArrayView base, QByteArrayView nombre);
};

}  // namespace arboles
