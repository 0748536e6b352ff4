#include "tree/lista_referencias.h"

#include "host/i_app_global.h"
#include "host/i_recordset.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/list_window.h"

namespace arboles {

QString ListaReferencias::Consulta(qint32 nTipoArbol, const QString& id) {
  switch (nTipoArbol) {
    case TipoArbolArticulos:
      return QStringLiteral("SELECT TOP 500 ZolmarID, Barras, Nombre FROM Articulos WHERE ID_categoria1=") +
             id;
    case TipoArbolClientes:
      return QStringLiteral("SELECT C.ZolmarID, N.Nombre + ' ' + N.Apellidos") +
             QStringLiteral(" FROM Clientes C") +
             QStringLiteral(" LEFT JOIN Nombres N ON C.ID_Nombre = N.ZolmarID") +
             QStringLiteral(" WHERE C.ID_Grupo=") + id;
    case TipoArbolProveedores:
      return QStringLiteral("SELECT P.ZolmarID, N.Nombre + ' ' + N.Apellidos") +
             QStringLiteral(" FROM Proveedores P") +
             QStringLiteral(" LEFT JOIN Nombres N ON P.ID_Nombre = N.ZolmarID") +
             QStringLiteral(" WHERE P.ID_Grupo=") + id;
    default:
      return QString();
  }
}

zolmar::ListWindow* ListaReferencias::Crear(const std::shared_ptr<IAppGlobal>& oAppGlobal,
                                            const QString& nombreVentana, qint32 nTipoArbol, IRecordset& rs) {
  auto* lista = new zolmar::ListWindow();
  lista->setAttribute(Qt::WA_DeleteOnClose);
  lista->SetAppGlobal(oAppGlobal, nombreVentana);
  const auto tr = [&oAppGlobal](const char* t) { return oAppGlobal->Translate(QString::fromUtf8(t)); };
  lista->setTitle(tr("Referencias de la categoría seleccionada"));
  lista->AddColumn(rs.FieldName(0), tr("Ficha"), 70, QStringLiteral("(7)"));
  if (nTipoArbol == TipoArbolArticulos) {
    lista->AddColumn(rs.FieldName(1), tr("Código de barras"), 130);
    lista->AddColumn(rs.FieldName(2), tr("Nombre del artículo"), 300);
  } else {
    lista->AddColumn(rs.FieldName(1), tr("Nombre"), 300);
  }
  lista->LoadRows(rs);
  return lista;
}

}  // namespace arboles
