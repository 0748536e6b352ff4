#include "categories/tabla_categorias.h"

#include <functional>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_daz.h"
#include "host/i_ficha_db.h"
#include "host/i_globales.h"

namespace arboles {

TablaCategorias::TablaCategorias(const QString& tablaPropia, QVector<Columna> columnas)
    : tablaPropia_(tablaPropia),
      columnas_(std::move(columnas)),
      descriptores_(ColumnasTabla(tablaPropia_, columnas_).CrearDescriptores()) {}

TablaCategorias::~TablaCategorias() = default;

bool TablaCategorias::I_TAZ_Configure(std::shared_ptr<IGlobales> oGlobalesActual,
                                      std::shared_ptr<IAppGlobal> oAppGlobalActual, const QString& cTabla,
                                      bool lCrear) {
  oGlobales = std::move(oGlobalesActual);
  oAppGlobal = std::move(oAppGlobalActual);
  tabla_ = cTabla.isEmpty() ? tablaPropia_ : cTabla;
  ColumnasTabla(tablaPropia_, columnas_).ConfigurarDescriptores(descriptores_);
  if (lCrear) return false;
  fichaDB_ = oGlobales->CreateFichaDB();
  if (!fichaDB_ ||
      fichaDB_->Open(oGlobales->GetConnection(), tabla_, QStringLiteral("ZolmarID"), QString(), 0)) {
    fichaDB_.reset();
    return false;
  }
  return true;
}

std::shared_ptr<I_DAZ> TablaCategorias::I_TAZ_Str2DAZ(const QString& cCampo) {
  const qint32 i = ColumnasTabla(tablaPropia_, columnas_).Indice(cCampo);
  return i >= 0 && i < descriptores_.size() ? descriptores_.at(i) : nullptr;
}

QVector<std::shared_ptr<I_DAZ>> TablaCategorias::I_TAZ_EnumerateDAZs() { return descriptores_; }

QString TablaCategorias::I_TAZ_Name() { return tabla_; }

qint32 TablaCategorias::I_TAZ_SeekID(qint32 nID) { return fichaDB_ ? fichaDB_->SeekID(nID) : 0; }

QVariant TablaCategorias::I_TAZ_Field(const QString& cFieldName) {
  return fichaDB_ ? fichaDB_->Field(cFieldName) : QVariant();
}

std::shared_ptr<IFichaDB> TablaCategorias::I_TAZ_FichaDB() { return fichaDB_; }

std::shared_ptr<IGlobales> TablaCategorias::I_TAZ_Globales() { return oGlobales; }

bool TablaCategorias::BorrarEnTransaccion(const QString& transaccion, const std::function<bool()>& antes) {
  if (!fichaDB_) return false;
  auto oCn = oGlobales->GetConnection();
  bool borrado = false;
  oCn->BeginTrans(transaccion);
  try {
    borrado = antes() && !fichaDB_->DeleteCurrent();
  } catch (...) {
    borrado = false;
  }
  if (borrado)
    oCn->CommitTrans(transaccion, 0);
  else
    oCn->RollbackTrans(transaccion);
  return borrado;
}

}  // namespace arboles
