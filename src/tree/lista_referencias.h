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
  // A new list window (deleted when closed) holding the rows, not yet shown.
  static zolmar::ListWindow* Crear(const std::shared_ptr<IAppGlobal>& oAppGlobal,
                                   const QString& nombreVentana, qint32 nTipoArbol, IRecordset& rs);
};

}  // namespace arboles
