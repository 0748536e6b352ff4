#include "tree/columnas_tabla.h"

#include "host/i_daz.h"
#include "host/i_globales.h"

namespace arboles {

ColumnasTabla::ColumnasTabla(const QString& tabla, std::span<const Columna> columnas)
    : prefijo_(tabla.toUpper() + QLatin1Char('.')), columnas_(columnas) {}

QVector<std::shared_ptr<I_DAZ>> ColumnasTabla::CrearDescriptores(IGlobales& oGlobales) const {
  QVector<std::shared_ptr<I_DAZ>> descriptores;
  for (const Columna& c : columnas_) {
    const QString nombre = QString::fromUtf8(c.nombre);
    const QString tip = QString::fromUtf8(c.tip);
    switch (c.clase) {
      case Clase::Id:
        descriptores.append(oGlobales.CreateIdDAZ(nombre));
        break;
      case Clase::Estado:
        descriptores.append(oGlobales.CreateStatusDAZ(nombre));
        break;
      case Clase::Numero: {
        auto daz = oGlobales.CreateNumberDAZ();
        daz->Configure(nombre, c.ancho, tip, QStringLiteral("(%1)").arg(c.ancho), c.tipoNumerico, c.indexado);
        descriptores.append(daz);
        break;
      }
      case Clase::Texto: {
        auto daz = oGlobales.CreateTextDAZ();
        daz->Configure(nombre, c.ancho, tip, QStringLiteral("x"), c.indexado);
        descriptores.append(daz);
        break;
      }
    }
  }
  return descriptores;
}

qint32 ColumnasTabla::Indice(const QString& cCampo) const {
  for (qint32 i = 0; i < qint32(columnas_.size()); ++i)
    if (cCampo == prefijo_ + QString::fromUtf8(columnas_[i].nombre).toUpper()) return i;
  return -1;
}

}  // namespace arboles
