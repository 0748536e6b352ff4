#pragma once
// An error raised while a document is imported, with the number and the
// description the failure status reports.

#include <QString>
#include <stdexcept>

namespace arboles {

class ErrorImportacion : public std::runtime_error {
 public:
  // The provider's number for a statement the database refused.
  static constexpr qint32 SentenciaRechazada = -2147217900;
  // Any other failure of a call to the host.
  static constexpr qint32 ErrorDelHost = 440;

  ErrorImportacion(qint32 numero, const QString& descripcion)
      : std::runtime_error(descripcion.toStdString()), numero_(numero), descripcion_(descripcion) {}

  qint32 Numero() const { return numero_; }
  QString Descripcion() const { return descripcion_; }

 private:
  qint32 numero_;
  QString descripcion_;
};

}  // namespace arboles
