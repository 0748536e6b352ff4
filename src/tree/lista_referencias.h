#pragma once
// The list of the records classified under a tree node ("Referencias de la
// categoría seleccionada"): ids and names of customers or suppliers, or ids,
// barcodes and names of articles, as the references query returns them.

#include <QString>
#include <memory>

namespace zolmar {
class ListWindow;
}

namespace arboles {

class IAppGlobal;
class IRecordset;

class ListaReferencias {
 public:
  // The records classified under node id of a tree type (1 customers, 2
  // suppliers, 3 the first 500 articles); empty for another type.
  static QString Consulta(qint32 nTipoArbol, const QString& id);
  // A new list window (deleted when closed) holding the rows, not yet shown.
  static zolmar::ListWindow* Crear(const std::shared_ptr<IAppGlobal>& oAppGlobal,
                                   const QString& nombreVentana, qint32 nTipoArbol, IRecordset& rs);
};

}  // namespace arboles
