// FrmMoverCategorias: the records classified in the origin or destination
// selection, in the host's list window.

#include "host/i_app_global.h"
#include "host/i_recordset.h"
#include "picking/frm_mover_categorias.h"
#include "tree/lista_referencias.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/list_window.h"

namespace arboles {

void FrmMoverCategorias::btnReferencias_Click(qint32 Index) {
  const QString id = QString::number(nSeleccion_[Index == 0 ? 0 : 1]);
  const QString sql = ListaReferencias::Consulta(nTipoArbol_, id);
  if (sql.isEmpty()) return;
  // Unlike the editor, nothing is said when no row set comes back.
  const RecordsetPtr rs = Abrir(sql, 5);
  if (!rs) return;
  auto* lista =
      ListaReferencias::Crear(oAppGlobal_, QStringLiteral("FrmReferenciasCategoria"), nTipoArbol_, *rs);
  if (referencias_) referencias_->close();
  referencias_ = lista;
  lista->ShowList(false);
}

}  // namespace arboles
