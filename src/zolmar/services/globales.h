#pragma once
// oGlobales of the reference host: the connection and the factories of the
// host's data objects and field descriptors.

#include <memory>

#include "host/i_globales.h"

namespace zolmar {

class Connection;

class Globales : public arboles::IGlobales {
 public:
  explicit Globales(std::shared_ptr<Connection> cn) : cn_(std::move(cn)) {}

  std::shared_ptr<arboles::IConnection> GetConnection() override;
  // Null when the database does not exist on the server.
  std::shared_ptr<arboles::IConnection> OpenConnection(const QString& database) override;
  std::shared_ptr<arboles::IFichaDB> CreateFichaDB() override;
  std::shared_ptr<arboles::IListObject> CreateListObject() override;
  arboles::RecordsetPtr CreateRecordset(const arboles::RecordsetFields& fields) override;
  std::shared_ptr<arboles::I_DAZ> CreateIdDAZ(const QString& name) override;
  std::shared_ptr<arboles::I_DAZ> CreateStatusDAZ(const QString& name) override;
  std::shared_ptr<arboles::INumberDAZ> CreateNumberDAZ() override;
  std::shared_ptr<arboles::ITextDAZ> CreateTextDAZ() override;
  std::shared_ptr<arboles::IInsertBuilder> CreateInsertBuilder(std::shared_ptr<arboles::IConnection> cn,
                                                               const QString& table) override;

  std::shared_ptr<Connection> connection() const { return cn_; }
  // Why the last OpenConnection failed.
  QString lastError() const { return lastError_; }

 private:
  std::shared_ptr<Connection> cn_;
  QString lastError_;
};

}  // namespace zolmar
