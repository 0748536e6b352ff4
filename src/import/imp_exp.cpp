#include "import/imp_exp.h"

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "import/error_importacion.h"
#include "tree/taz_arboles.h"

namespace arboles {

void cImp_Exp::Configure(std::shared_ptr<cTAZ_Arboles> TAZ_Arboles, std::shared_ptr<IAppGlobal> AppGlobal) {
  if (!TAZ_Arboles && !AppGlobal) return;
  if (!TAZ_Arboles) {
    oAppGlobal = AppGlobal;
    oTAZ_Arboles = std::make_shared<cTAZ_Arboles>();
    oTAZ_Arboles->I_TAZ_Configure(oAppGlobal->GetGlobales(), oAppGlobal, QString(), false);
  } else {
    oTAZ_Arboles = TAZ_Arboles;
    oAppGlobal = oTAZ_Arboles->oAppGlobal;
  }
  oGlobales = oAppGlobal->GetGlobales();
  oCn = oGlobales->GetConnection();
}

qint32 cImp_Exp::Data_Imp(std::shared_ptr<IDataImp>& oTAZ_Data_Imp, QString& cStatus,
                          RecordsetPtr& oDatosCabecera, RecordsetPtr& oDatosContenido) {
  cStatus.clear();
  usadas_.clear();
  unidas_.clear();
  creadas_.clear();
  tipo_ = 0;
  if (!oAppGlobal) {
    cStatus = QString::fromUtf8("El proceso de importación no está instanciado correctamente.");
    return -1;
  }
  if (!oDatosContenido || oDatosContenido->RecordCount() == 0) {
    cStatus = oAppGlobal->FormatMessage(
        QString::fromUtf8("No hay datos para importar: el árbol no tiene ninguna rama."), {});
    return 0;
  }
  if (!oDatosCabecera || oDatosCabecera->Field(QStringLiteral("TipoDocumento")).toInt() != 9) {
    cStatus = oAppGlobal->Translate(
        QStringLiteral("Se ha intentado importar un documento de un tipo no soportado."));
    return -1;
  }
  ImportarArbol(oTAZ_Data_Imp, cStatus, *oDatosCabecera, oDatosContenido);
  return cStatus.isEmpty() ? 0 : -1;
}

QVariant cImp_Exp::Consultar(const QString& sql, qint32 mode, const QVariant& def) {
  const QVariant valor = oCn->ExecuteSQL(sql, mode, def, true);
  if (oCn->HasError()) throw ErrorImportacion(ErrorImportacion::SentenciaRechazada, oCn->LastError());
  return valor;
}

}  // namespace arboles
