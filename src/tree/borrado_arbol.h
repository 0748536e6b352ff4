#pragma once
// Usage checks before a tree node is deleted, and the deletion itself with its
// category assignments and comment in one transaction.

#include <QString>
#include <memory>

namespace arboles {

class IGlobales;
class IAppGlobal;
class IFichaDB;

class BorradoArbol {
 public:
  BorradoArbol(std::shared_ptr<IGlobales> oGlobales, std::shared_ptr<IAppGlobal> oAppGlobal,
               std::shared_ptr<IFichaDB> fichaDB);

  // The reason the current node may not be deleted; empty when it may.
  QString CanBeDeleted();
  // True when the current node was deleted; False after a rollback.
  bool Delete();

 private:
  struct Comprobacion {
    QString sql;
    QString mensaje;
  };
  QString PrimerUso(const QVector<Comprobacion>& comprobaciones);
  bool BorrarEnTransaccion();

  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IFichaDB> fichaDB_;
};

}  // namespace arboles
