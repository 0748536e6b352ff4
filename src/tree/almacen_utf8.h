#pragma once
// Many short texts kept as UTF-8 one after another in a single buffer: a
// node of a large tree holds where its texts are, not a string of its own.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace arboles {

class AlmacenUtf8 {
 public:
  struct Texto {
    quint32 inicio = 0;
    quint32 largo = 0;
  };

  // Copies the bytes in; throws std::length_error past 4 GB.
  Texto Guardar(QByteArrayView bytes);
  // The same, but gives back anterior when it already holds those bytes.
  Texto Guardar(QByteArrayView bytes, Texto anterior) {
    return Bytes(anterior) == bytes ? anterior : Guardar(bytes);
  }
  QByteArrayView Bytes(Texto texto) const { return QByteArrayView(datos_).sliced(texto.inicio, texto.largo); }
  QString Cadena(Texto texto) const { return QString::fromUtf8(Bytes(texto)); }
  void Vaciar() { datos_ = QByteArray(); }

 private:
  QByteArray datos_;
};

}  // namespace arboles
