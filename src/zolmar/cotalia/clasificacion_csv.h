#pragma once
// Reads the service's classification file into the row set the import window
// works on: one row per category with the file's columns plus Activo,
// zolmarID and Clave for the window. A file that cannot be trusted whole is
// refused with a code and a description naming the file and the line.

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

namespace zolmar {

class RowSet;

class ClasificacionCsv {
 public:
  enum Codigo : qint32 {
    Correcto = 100,
    SinConfigurar = 201,
    SinFichero = 202,
    LineaIlegible = 203,
    PadreDesconocido = 204,
    NivelFueraDeRango = 205,
  };

  static const QStringList kCabecera;  // ID;ID_Padre;Nombre;CriterioHijos;ID_IT;Nivel
  static const QStringList kColumnas;  // the row set's fields

  // Returns one of the codes; the rows or the description are then ready.
  qint32 Leer(const QString& fichero);
  std::shared_ptr<RowSet> Filas() const { return filas_; }
  QString Descripcion() const { return descripcion_; }

  // One line split at ";" outside double quotes ("" inside quotes is a quote).
  static QStringList Campos(const QString& linea);

 private:
  struct Fila {
    qint32 id = 0;
    qint32 idPadre = 0;
    QString nombre;
    QString criterio;
    qint32 idIT = 0;
    qint32 nivel = 0;
    qint32 linea = 0;
  };

  bool LeerLinea(const QString& texto, qint32 linea);
  bool ComprobarPadres();
  qint32 Fallo(qint32 codigo, qint32 linea, const QString& motivo);

  QString fichero_;
  QList<Fila> leidas_;
  QHash<qint32, qsizetype> posDeId_;
  std::shared_ptr<RowSet> filas_;
  QString descripcion_;
  qint32 codigo_ = Correcto;
};

}  // namespace zolmar
