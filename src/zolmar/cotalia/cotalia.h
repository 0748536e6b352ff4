#pragma once
// cCotalia ("Cotalia.cCotalia"): the component of the price-information
// service. The service's classification reaches this installation as a CSV
// file (header ID;ID_Padre;Nombre;CriterioHijos;ID_IT;Nivel, UTF-8) whose path
// is the configuration key "CFG_COTALIA:FICHERO".

#include <QString>
#include <memory>

#include "host/i_host_objects.h"

namespace zolmar {

class cCotalia : public arboles::IPriceService {
 public:
  static constexpr const char* kClassName = "Cotalia.cCotalia";
  static constexpr const char* kConfigKey = "CFG_COTALIA:FICHERO";

  void Configure(std::shared_ptr<arboles::IAppGlobal>& oAppGlobal) override;
  void ImportarCategorias(arboles::RecordsetPtr& oDatos, qint32& nCodigo, QString& cDescripcion) override;

 private:
  std::shared_ptr<arboles::IAppGlobal> oAppGlobal_;
};

}  // namespace zolmar
