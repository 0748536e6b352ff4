#include "tree/marcas_borrado.h"

#include <QSet>
#include <QTreeWidgetItemIterator>

#include "host/host_types.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

void MarcasBorrado::Aplicar(IConnection& cn, qint32 nTipoArbol, zolmar::TreeView& tree) {
  const auto rs =
      recordsetOf(cn.ExecuteSQL(QStringLiteral("SELECT ZolmarID FROM Arboles WHERE tipo = ") +
                                    QString::number(nTipoArbol) + QStringLiteral(" AND (Activo & 2)<>0"),
                                5, QVariant()));
  QSet<QString> marcadas;
  while (rs && rs->Read())
    marcadas.insert(QStringLiteral("K=") + QString::number(rs->Field(QStringLiteral("ZolmarID")).toInt()));
  for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
    zolmar::TreeNode nodo(&tree, *it);
    nodo.setMarkedDeleted(marcadas.contains(nodo.Key()));
  }
}

}  // namespace arboles
