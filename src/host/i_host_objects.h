#pragma once
// Host classes the module creates by name through the object factory and
// calls late-bound; each role is a small interface here.

#include <QString>
#include <QVariant>
#include <memory>

#include "host/host_types.h"

class QWidget;

namespace arboles {

class IGlobales;
class IAppGlobal;
class I_TAZ;

// "Clientes.cTAZ_Clientes", "Proveedores.cTAZ_Proveedores", "Articulos.cTAZ_Articulos".
class IHostTableAccess {
 public:
  virtual ~IHostTableAccess() = default;
  virtual bool I_TAZ_Configure(std::shared_ptr<IGlobales> oGlobales,
                               std::shared_ptr<IAppGlobal> oAppGlobal) = 0;
  virtual QString NameByID(qint32 nID) = 0;
  // MostrarInformes(nProceso, lWait, missing, missing, nID)
  virtual qint32 MostrarInformes(qint32 nProceso, bool lWaitUntilClose, qint32 nID) = 0;
  // MostrarBusquedaComun(nProceso, lWait, missing, nID)
  virtual qint32 MostrarBusquedaComun(qint32 nProceso, bool lWaitUntilClose, qint32 nID) = 0;
  // The id the person picked from the table's search list; 0 when cancelled.
  virtual qint32 Buscar(QWidget* parent, const QString& typed) = 0;
};

// "Clientes.cDAZ_Cliente", "Proveedores.cDAZ_Proveedor": validates a typed
// customer or supplier into an id control and a name control.
class IHostFieldValidator {
 public:
  virtual ~IHostFieldValidator() = default;
  virtual bool Validate(std::shared_ptr<IHostTableAccess> oTAZ, QWidget* sayID, QWidget* getName,
                        bool lForzarLista) = 0;
};

// The waiter given by GetFormWaiter.
class IFormWaiter {
 public:
  virtual ~IFormWaiter() = default;
  virtual void WaitFormClosed(QWidget* form) = 0;
};

// The comments object of a window ("comentarios" store).
class IComments {
 public:
  virtual ~IComments() = default;
  virtual void Configure(std::shared_ptr<IGlobales> oGlobales, std::shared_ptr<IAppGlobal> oAppGlobal) = 0;
  // Shows and edits the comment of a record; returns its (possibly new) id.
  virtual qint32 EditComment(QWidget* parent, qint32 idComentario) = 0;
};

// The host's common search list: the rows of a query, a search box, choose
// or cancel. Given its inputs, Run answers an outcome:
//   n > 0  the id chosen (typed text that names exactly one row is chosen
//          without showing the list, unless the list is forced);
//   0      nothing chosen: the person cancelled the list. The flag comes back
//          False when the entry still holds text that names no chosen row;
//   -1     the typed text names no row at all, or the query failed.
class ICommonSearchList {
 public:
  virtual ~ICommonSearchList() = default;
  // The control that shows the chosen id (a "say" entry); may be null.
  virtual void SetDisplayControl(QWidget* say) = 0;
  // The id the list starts on when there is no display control.
  virtual void SetCurrentID(qint32 id) = 0;
  // First column the id, second the name shown back in the entry.
  virtual void SetQuery(const QString& sql) = 0;
  // Column of the status flags (its rows are shown, not filtered).
  virtual void SetStatusColumn(const QString& column) = 0;
  // lAutoSelect: one matching row is chosen without the list; lShowName:
  // the chosen row's name goes into the entry; nMode 2: choose one row.
  virtual void SetOptions(bool lAutoSelect, bool lShowName, qint32 nMode) = 0;
  virtual qint32 Run(I_TAZ& oTAZ, QWidget* entry, bool& lFlag, bool lForzarLista) = 0;
  virtual bool Flag() const = 0;
};

// "Cotalia.cCotalia": the component of the outside price-information
// service. ImportarCategorias delivers the service's classification as a
// writable row set (ID, ID_Padre, Nombre, CriterioHijos, Activo, ID_IT, Nivel,
// zolmarID, Clave); nCodigo 100 is success, any other code comes with
// cDescripcion.
class IPriceService {
 public:
  virtual ~IPriceService() = default;
  virtual void Configure(std::shared_ptr<IAppGlobal>& oAppGlobal) = 0;
  virtual void ImportarCategorias(RecordsetPtr& oDatos, qint32& nCodigo, QString& cDescripcion) = 0;
};

}  // namespace arboles
