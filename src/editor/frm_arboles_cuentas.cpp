// FrmArboles: beside each node, how many records use it or its branch. One
// grouped query per fill, whatever the size of the tree.

#include <QHash>

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

const QString FrmArboles::ClaveConfigContar = QStringLiteral("CFG_ARBOLES:CONTAR_FICHAS");

QString FrmArboles::ConsultaCuentas() const {
  switch (nTipoArbol_) {
    case TipoArbolClientes:
      return QStringLiteral("SELECT ID_Grupo AS ID, COUNT(*) AS Numero FROM Clientes GROUP BY ID_Grupo");
    case TipoArbolProveedores:
      return QStringLiteral("SELECT ID_Grupo AS ID, COUNT(*) AS Numero FROM Proveedores GROUP BY ID_Grupo");
    case TipoArbolArticulos:
      return QStringLiteral(
          "SELECT ID_Categoria1 AS ID, COUNT(*) AS Numero FROM Articulos GROUP BY ID_Categoria1");
    default:
      return QString();
  }
}

void FrmArboles::MostrarCuentas() {
  QHash<QString, qint32> cuentas;
  const QString sql = chkContar->Value() ? ConsultaCuentas() : QString();
  const auto rs = sql.isEmpty() ? RecordsetPtr() : recordsetOf(Cn()->ExecuteSQL(sql, 5, QVariant()));
  // A branch counts the records of all its nodes: a category whose articles
  // hang from its children is not empty.
  while (rs && rs->Read()) {
    const qint32 numero = rs->Field(QStringLiteral("Numero")).toInt();
    zolmar::TreeNode nodo =
        TreeArbol->Node(QStringLiteral("K=") + QString::number(rs->Field(QStringLiteral("ID")).toInt()));
    for (; nodo; nodo = nodo.Parent()) cuentas[nodo.Key()] += numero;
  }
  // Once counting is on every node shows its number, 0 included.
  TreeArbol->SetCounts(cuentas, rs != nullptr);
}

void FrmArboles::chkContar_Click() {
  oAppGlobal_->SetConfig(ClaveConfigContar, chkContar->Value());
  MostrarCuentas();
}

}  // namespace arboles
