#pragma once
// Host classes the module creates by name through the object factory and
// calls late-bound; each role is a small interface here.

#include <QString>
#include <QVariant>
#include <memory>

class QWidget;

namespace arboles {

class IGlobales;
class IAppGlobal;

// "Clientes.cTAZ_Clientes", "Proveedores.cTAZ_Proveedores", "Articulos.cTAZ_Articulos".
class IHostTableAccess {
 public:
  virtual ~IHostTableAccess() = default;
  virtual bool I_TAZ_Configure(std::shared_ptr<IGlobales> oGlobales, std::shared_ptr<IAppGlobal> oAppGlobal) = 0;
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

}  // namespace arboles
