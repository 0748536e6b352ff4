#include "tree/columnas_tabla.h"

#include "host/i_daz.h"
#include "zolmar/ui/id_daz.h"
#include "zolmar/ui/number_daz.h"
#include "zolmar/ui/status_daz.h"
#include "zolmar/ui/text_daz.h"

namespace arboles {

ColumnasTabla::ColumnasTabla(const QString& tabla, std::span<const Columna> columnas)
    : prefijo_(tabla.toUpper() + QLatin1Char('.')), columnas_(columnas) {}

QVector<std::shared_ptr<I_DAZ>> ColumnasTabla::CrearDescriptores() const {
  QVector<std::shared_ptr<I_DAZ>> descriptores;
  for (const Columna& c : columnas_) {
    const QString nombre = QString::fromUtf8(c.nombre);
    switch (c.clase) {
      case Clase::Id:
        descriptores.append(std::make_shared<zolmar::IdDAZ>(nombre));
        break;
      case Clase::Estado:
        descriptores.append(std::make_shared<zolmar::StatusDAZ>(nombre));
        break;
      case Clase::Numero:
        descriptores.append(std::make_shared<zolmar::NumberDAZ>());
        break;
      case Clase::Texto:
        descriptores.append(std::make_shared<zolmar::TextDAZ>());
        break;
    }
  }
  return descriptores;
}

void ColumnasTabla::ConfigurarDescriptores(const QVector<std::shared_ptr<I_DAZ>>& descriptores) const {
  for (qint32 i = 0; i < qint32(columnas_.size()) && i < descriptores.size(); ++i) {
    const Columna& c = columnas_[i];
    const QString nombre = QString::fromUtf8(c.nombre);
    const QString tip = QString::fromUtf8(c.tip);
    if (auto numero = std::dynamic_pointer_cast<INumberDAZ>(descriptores[i]))
      numero->Configure(nombre, c.ancho, tip, QStringLiteral("(%1)").arg(c.ancho), c.tipoNumerico,
                        c.indexado);
    else if (auto texto = std::dynamic_pointer_cast<ITextDAZ>(descriptores[i]))
      texto->Configure(nombre, c.ancho, tip, QStringLiteral("x"), c.indexado);
  }
}

qint32 ColumnasTabla::Indice(const QString& cCampo) const {
  for (qint32 i = 0; i < qint32(columnas_.size()); ++i)
    if (cCampo == prefijo_ + QString::fromUtf8(columnas_[i].nombre).toUpper()) return i;
  return -1;
}

}  // namespace arboles
