#pragma once
// The category report lives in another folder of the module; it registers
// here how it is run, so that cTAZ_Categorias does not depend on it. Without
// it the report opener opens nothing and the filter is the empty text.

#include <QString>
#include <functional>

namespace arboles {

class cTAZ_Categorias;

class VentanasCategorias {
 public:
  // Creates the category report window and calls its Run.
  using Informes = std::function<void(cTAZ_Categorias& taz, qint32 nProcesoInicial, bool lWaitUntilClose)>;
  // Creates the category report window and returns what its RunGetFilter returns.
  using Filtro = std::function<QString(cTAZ_Categorias& taz, qint32 nProceso)>;

  static VentanasCategorias& instance();

  void registerInformes(Informes f) { informes_ = std::move(f); }
  void registerFiltro(Filtro f) { filtro_ = std::move(f); }
  const Informes& informes() const { return informes_; }
  const Filtro& filtro() const { return filtro_; }

 private:
  Informes informes_;
  Filtro filtro_;
};

}  // namespace arboles
