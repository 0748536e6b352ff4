#pragma once
// oGlobales: the host's data globals.

#include <QString>
#include <memory>

#include "host/host_types.h"

namespace arboles {

class IConnection;
class IFichaDB;
class IListObject;
class IInsertBuilder;
class I_DAZ;
class INumberDAZ;
class ITextDAZ;

class IGlobales {
 public:
  virtual ~IGlobales() = default;
  virtual std::shared_ptr<IConnection> GetConnection() = 0;
  // A second connection of the same kind, same server and login, on another database.
  virtual std::shared_ptr<IConnection> OpenConnection(const QString& database) = 0;
  virtual std::shared_ptr<IFichaDB> CreateFichaDB() = 0;
  virtual std::shared_ptr<IListObject> CreateListObject() = 0;
  // An empty, writable row set with these fields; rows are added with AddRow.
  virtual RecordsetPtr CreateRecordset(const RecordsetFields& fields) = 0;
  // The host's descriptor classes: id, status, number, text.
  virtual std::shared_ptr<I_DAZ> CreateIdDAZ(const QString& name) = 0;
  virtual std::shared_ptr<I_DAZ> CreateStatusDAZ(const QString& name) = 0;
  virtual std::shared_ptr<INumberDAZ> CreateNumberDAZ() = 0;
  virtual std::shared_ptr<ITextDAZ> CreateTextDAZ() = 0;
  virtual std::shared_ptr<IInsertBuilder> CreateInsertBuilder(std::shared_ptr<IConnection> cn,
                                                              const QString& table) = 0;
};

}  // namespace arboles
