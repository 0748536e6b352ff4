#include "zolmar/cotalia/cotalia.h"

#include "host/i_app_global.h"
#include "zolmar/cotalia/clasificacion_csv.h"
#include "zolmar/db/rows/row_set.h"

namespace zolmar {

void cCotalia::Configure(std::shared_ptr<arboles::IAppGlobal>& oAppGlobal) { oAppGlobal_ = oAppGlobal; }

void cCotalia::ImportarCategorias(arboles::RecordsetPtr& oDatos, qint32& nCodigo, QString& cDescripcion) {
  oDatos.reset();
  cDescripcion.clear();
  if (!oAppGlobal_) {
    nCodigo = ClasificacionCsv::SinConfigurar;
    cDescripcion = QStringLiteral("El componente de Cotalia no está configurado");
    return;
  }
  const QString fichero =
      oAppGlobal_->GetConfig().value(QString::fromLatin1(kConfigKey)).toString().trimmed();
  if (fichero.isEmpty()) {
    nCodigo = ClasificacionCsv::SinConfigurar;
    cDescripcion = QStringLiteral("No se ha indicado el fichero de clasificación de Cotalia (%1)")
                       .arg(QString::fromLatin1(kConfigKey));
    return;
  }
  ClasificacionCsv lectura;
  nCodigo = lectura.Leer(fichero);
  if (nCodigo == ClasificacionCsv::Correcto)
    oDatos = lectura.Filas();
  else
    cDescripcion = lectura.Descripcion();
}

}  // namespace zolmar
