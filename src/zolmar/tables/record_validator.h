#pragma once
// "Clientes.cDAZ_Cliente" and "Proveedores.cDAZ_Proveedor": checks what was
// typed in a name entry and puts the record's id and name in the two controls.

#include "host/i_host_objects.h"

namespace zolmar {

class RecordValidator : public arboles::IHostFieldValidator {
 public:
  static constexpr const char* kCustomerClassName = "Clientes.cDAZ_Cliente";
  static constexpr const char* kSupplierClassName = "Proveedores.cDAZ_Proveedor";

  // An empty entry is valid (id 0) unless the list is forced. A record
  // number, or a name that only one record matches, is taken as it is;
  // otherwise (or with lForzarLista) the table's search list decides, and
  // cancelling it makes the value invalid.
  bool Validate(std::shared_ptr<arboles::IHostTableAccess> oTAZ, QWidget* sayID, QWidget* getName,
                bool lForzarLista) override;

 private:
  static void put(QWidget* sayID, QWidget* getName, qint32 id, const QString& name);
};

}  // namespace zolmar
