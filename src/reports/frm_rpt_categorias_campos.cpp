// The customer or supplier field and the category fields of the category
// report: validation through the host's descriptors and the tree-node
// descriptor, and their search lists.

#include "categories/taz_categorias.h"
#include "host/i_app_global.h"
#include "host/i_host_objects.h"
#include "reports/frm_rpt_categorias.h"
#include "tree/daz_item_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/get.h"

namespace arboles {

std::shared_ptr<IHostTableAccess> FrmRptCategorias::AccesoQuien() const {
  return oRptForm && oRptForm->Proceso() == TAZ_Categorias_ProcesosListadosCli ? oClientes_ : oProveedores_;
}

bool FrmRptCategorias::getQuien_Validate(bool lForzarLista) {
  const bool clientes = oRptForm->Proceso() == TAZ_Categorias_ProcesosListadosCli;
  const auto descriptor = oAppGlobal_->CreateFieldValidator(
      clientes ? QStringLiteral("Clientes.cDAZ_Cliente") : QStringLiteral("Proveedores.cDAZ_Proveedor"));
  if (!descriptor) return true;
  return !descriptor->Validate(AccesoQuien(), sayID_Quien, getQuien, lForzarLista);
}

void FrmRptCategorias::getQuien_Buscar() {
  const auto acceso = AccesoQuien();
  if (!acceso) return;
  setEnabled(false);
  const qint32 id = acceso->Buscar(this, QString());
  if (id >= 1) {
    sayID_Quien->setText(QString::number(id));
    getQuien->setText(acceso->NameByID(id));
  }
  setEnabled(true);
}

bool FrmRptCategorias::ValidarCategoria(zolmar::get* campo, zolmar::get* say, bool lForzarLista) {
  cDAZ_ItemArbol daz;
  daz.Configure(QStringLiteral("id_categoria"), TipoArbolArticulos,
                oRptForm->Proceso() == TAZ_Categorias_ProcesosListadosCli
                    ? QString::fromUtf8("Id. categoría de cliente")
                    : QString::fromUtf8("Id. categoría de proveedor"));
  return !daz.Validate(*oTAZ_Arboles_, say, *campo, lForzarLista, true, QString(), 0);
}

void FrmRptCategorias::BuscarCategoria(zolmar::get* campo, zolmar::get* say) {
  setEnabled(false);
  const qint32 actual = campo->Text().trimmed().isEmpty() ? 0 : say->Text().toInt();
  const qint32 id = oTAZ_Arboles_->Buscar(this, TipoArbolArticulos, false, actual);
  if (id > 0) PonerCategoria(campo, say, id);
  setEnabled(true);
}

bool FrmRptCategorias::getCategoria_Validate(qint32 Index, bool lForzarLista) {
  if (Index < 0 || Index >= FilasCategoria) return false;
  return ValidarCategoria(getCategoria[Index], sayID_Categoria[Index], lForzarLista);
}

void FrmRptCategorias::getCategoria_Buscar(qint32 Index) {
  if (Index >= 0 && Index < FilasCategoria) BuscarCategoria(getCategoria[Index], sayID_Categoria[Index]);
}

bool FrmRptCategorias::getCat_Validate(bool lForzarLista) {
  return ValidarCategoria(getCat, sayID_Cat, lForzarLista);
}

void FrmRptCategorias::getCat_Buscar() { BuscarCategoria(getCat, sayID_Cat); }

}  // namespace arboles
