#pragma once
// What the two category tables share as table-access classes: the host
// globals, the descriptors of their columns and the record set the host
// browses them with.

#include <QString>
#include <QVector>
#include <functional>
#include <memory>

#include "host/i_taz.h"
#include "tree/columnas_tabla.h"

namespace arboles {

class IAppGlobal;
class IFichaDB;
class IGlobales;
class I_DAZ;

class TablaCategorias : public I_TAZ {
 public:
  using Clase = ColumnasTabla::Clase;
  using Columna = ColumnasTabla::Columna;

  std::shared_ptr<IGlobales> oGlobales;
  std::shared_ptr<IAppGlobal> oAppGlobal;

  ~TablaCategorias() override;

  bool I_TAZ_Configure(std::shared_ptr<IGlobales> oGlobalesActual,
                       std::shared_ptr<IAppGlobal> oAppGlobalActual = nullptr,
                       const QString& cTabla = QString(), bool lCrear = false) override;
  std::shared_ptr<I_DAZ> I_TAZ_Str2DAZ(const QString& cCampo) override;
  QVector<std::shared_ptr<I_DAZ>> I_TAZ_EnumerateDAZs() override;
  QString I_TAZ_Name() override;
  qint32 I_TAZ_SeekID(qint32 nID) override;
  QVariant I_TAZ_Field(const QString& cFieldName) override;
  std::shared_ptr<IFichaDB> I_TAZ_FichaDB() override;
  std::shared_ptr<IGlobales> I_TAZ_Globales() override;

  // Rows are never protected.
  QString CanBeDeleted() { return QString(); }

 protected:
  // The table's own name (the descriptor names start with it) and its
  // columns in table order.
  TablaCategorias(const QString& tablaPropia, QVector<Columna> columnas);

  // Deletes the current record in the named transaction; False (rolled back)
  // on any failure. antes runs first inside the transaction (False stops).
  bool BorrarEnTransaccion(const QString& transaccion, const std::function<bool()>& antes);

  std::shared_ptr<IFichaDB> fichaDB_;

 private:
  QString tablaPropia_;
  QVector<Columna> columnas_;
  QString tabla_;
  QVector<std::shared_ptr<I_DAZ>> descriptores_;
};

}  // namespace arboles
