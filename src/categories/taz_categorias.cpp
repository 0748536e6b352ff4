#include "categories/taz_categorias.h"

#include <QPointer>
#include <memory>

#include "categories/frm_categorias.h"
#include "categories/ventanas_categorias.h"
#include "host/i_app_global.h"
#include "host/i_ficha_db.h"
#include "host/i_host_objects.h"

namespace arboles {

const QString cTAZ_Categorias::NombreVentanaInforme = QStringLiteral("FRMRPTCATEGORIAS");

cTAZ_Categorias::cTAZ_Categorias()
    : TablaCategorias(QStringLiteral("Categorias"),
                      {
                          {"ZolmarID", Clase::Id, 0, "", 0, false},
                          {"Tipo", Clase::Numero, 1, "Tipo de categoría", 1, true},
                          {"ID_Quien", Clase::Numero, 7, "Id. del cliente", 3, false},
                          {"id_categoria", Clase::Numero, 7, "Id. categoría de artículo", 3, false},
                      }) {}

void cTAZ_Categorias::MostrarFicha(qint32 nTipoCategoria, qint32 ID_CliProv, bool lWaitUntilClose) {
  if (!fichaDB_) return;
  // A fill that fails raises from Run: the window that never opened goes.
  auto nueva = std::make_unique<FrmCategorias>();
  nueva->setAttribute(Qt::WA_DeleteOnClose);
  nueva->Run(*this, nTipoCategoria, ID_CliProv);
  QPointer<FrmCategorias> guarda(nueva.get());
  FrmCategorias* frm = nueva.release();
  if (lWaitUntilClose && guarda) oAppGlobal->GetFormWaiter()->WaitFormClosed(frm);
}

qint32 cTAZ_Categorias::MostrarInformes(qint32 nProcesoInicial, bool lWaitUntilClose) {
  if (oAppGlobal && oAppGlobal->CanOpenWindow(NombreVentanaInforme, 0, 1, 0)) {
    const auto& informes = VentanasCategorias::instance().informes();
    if (informes) informes(*this, nProcesoInicial, lWaitUntilClose);
  }
  return 0;
}

QString cTAZ_Categorias::GetFilterForSubQuery(qint32 nProceso) {
  const auto& filtro = VentanasCategorias::instance().filtro();
  return filtro ? filtro(*this, nProceso) : QString();
}

bool cTAZ_Categorias::Delete() {
  return BorrarEnTransaccion(QStringLiteral("BorrandoCategorias"), [this] {
    return oAppGlobal->DeleteComment(fichaDB_->Field(QStringLiteral("id_comentario")).toInt(), 0);
  });
}

}  // namespace arboles
