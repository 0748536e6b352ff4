#pragma once
// I_TAZ: a table-access class.

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

namespace arboles {

class I_DAZ;
class IFichaDB;
class IGlobales;
class IAppGlobal;

class I_TAZ {
 public:
  virtual ~I_TAZ() = default;
  virtual bool I_TAZ_Configure(std::shared_ptr<IGlobales> oGlobalesActual,
                               std::shared_ptr<IAppGlobal> oAppGlobalActual = nullptr,
                               const QString& cTabla = QString(), bool lCrear = false) = 0;
  virtual std::shared_ptr<I_DAZ> I_TAZ_Str2DAZ(const QString& cCampo) = 0;
  virtual QVector<std::shared_ptr<I_DAZ>> I_TAZ_EnumerateDAZs() = 0;
  virtual QString I_TAZ_Name() = 0;
  virtual qint32 I_TAZ_SeekID(qint32 nID) = 0;
  virtual QVariant I_TAZ_Field(const QString& cFieldName) = 0;
  virtual std::shared_ptr<IFichaDB> I_TAZ_FichaDB() = 0;
  virtual std::shared_ptr<IGlobales> I_TAZ_Globales() = 0;
};

}  // namespace arboles
