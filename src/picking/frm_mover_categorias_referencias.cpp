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
  QString sql;
  if (nTipoArbol_ == TipoArbolArticulos)
    sql = QStringLiteral("SELECT TOP 500 ZolmarID, Barras, Nombre FROM Articulos WHERE ID_categoria1=") + id;
  else if (nTipoArbol_ == TipoArbolClientes)
    sql = QStringLiteral("SELECT C.ZolmarID, N.Nombre + ' ' + N.Apellidos") +
          QStringLiteral(" FROM Clientes C") +
          QStringLiteral(" LEFT JOIN Nombres N ON C.ID_Nombre = N.ZolmarID") +
          QStringLiteral(" WHERE C.ID_Grupo=") + id;
  else if (nTipoArbol_ == TipoArbolProveedores)
    sql = QStringLiteral("SELECT P.ZolmarID, N.Nombre + ' ' + N.Apellidos") +
          QStringLiteral(" FROM Proveedores P") +
          QStringLiteral(" LEFT JOIN Nombres N ON P.ID_Nombre = N.ZolmarID") +
          QStringLiteral(" WHERE P.ID_Grupo=") + id;
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
