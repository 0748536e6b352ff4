#pragma once
// The columns of one of the module's tables as its table-access class
// declares them, and the host field descriptors that stand for them.

#include <QString>
#include <QVector>
#include <memory>
#include <span>

namespace arboles {

class I_DAZ;

class ColumnasTabla {
 public:
  enum class Clase { Id, Estado, Numero, Texto };
  struct Columna {
    const char* nombre;
    Clase clase;
    qint32 ancho;  // digits of a number, width of a text
    const char* tip;
    qint32 tipoNumerico;
    bool indexado;
  };

  // tabla: the name the descriptors are asked for by ("Arboles" in "ARBOLES.CLAVE").
  ColumnasTabla(const QString& tabla, std::span<const Columna> columnas);

  // One descriptor per column, in column order, created with the table-access
  // object so the host can ask for them before it configures the object.
  QVector<std::shared_ptr<I_DAZ>> CrearDescriptores() const;
  // Gives the number and text descriptors their widths, tips, masks and
  // indexed flags; the objects the host already holds stay the same.
  void ConfigurarDescriptores(const QVector<std::shared_ptr<I_DAZ>>& descriptores) const;
  // The column of an upper-case "TABLA.COLUMNA"; -1 for any other text.
  qint32 Indice(const QString& cCampo) const;

 private:
  QString prefijo_;
  std::span<const Columna> columnas_;
};

}  // namespace arboles
