#include "tree/bloqueo_tabla.h"

#include "host/i_app_global.h"

namespace arboles {

BloqueoTabla::BloqueoTabla(std::shared_ptr<IAppGlobal> oAppGlobal, const QString& tabla,
                           const QString& filtro, qint32 tipoBloqueo)
    : oAppGlobal_(std::move(oAppGlobal)), tabla_(tabla), filtro_(filtro) {
  obtenido_ = !oAppGlobal_->LockTable(3, true, tabla_, 0, filtro_, tipoBloqueo);
}

BloqueoTabla::~BloqueoTabla() {
  if (!obtenido_) return;
  try {
    oAppGlobal_->LockTable(3, false, tabla_, 0, filtro_, 3);
  } catch (...) {
    // A release that fails cannot be reported from here; the host frees the
    // session's locks when the session ends.
  }
}

}  // namespace arboles
