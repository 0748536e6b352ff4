#pragma once
// Keeps the derived data of a whole tree consistent: dense keys renumbered by
// name or by present order, and the ancestor paths.

#include <QString>
#include <memory>

namespace arboles {

class IGlobales;
class IAppGlobal;
class IRecordset;

class MantenimientoArbol {
 public:
  MantenimientoArbol(std::shared_ptr<IGlobales> oGlobales, std::shared_ptr<IAppGlobal> oAppGlobal);

  void OrdenarClavesNombre(qint32 nTipoArbol, bool lBloquear = true, bool lOrdenarPorNombre = true);
  void UpdateRutaPadre(qint32 nTipoArbol, bool lBloquear = true);
  QString NameByID(qint32 nID);

 private:
  void AsignarClaves(IRecordset& rs, qint32 nID_Padre, const QString& cPrefijo);
  void EscribirClaves(IRecordset& rs);
  void EscribirRutas(IRecordset& rs);
  void EscribirRuta(IRecordset& rs);
  std::shared_ptr<IRecordset> AbrirArbol(qint32 nTipoArbol, const QString& orden);

  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
};

}  // namespace arboles
