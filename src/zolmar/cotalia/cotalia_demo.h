#pragma once
// The demo company's copy of the service's classification: a file of about
// 150 categories (sectors, families, subfamilies) written beside the database
// and named in the configuration, so the import can be tried without the
// service.

#include <QString>
#include <QStringList>

namespace zolmar {

class Connection;

class CotaliaDemo {
 public:
  static constexpr const char* kFichero = "Cotalia_clasificacion.csv";

  // The file's lines, header first.
  static QStringList Lineas();
  // Writes the file into the database's server folder (the temporary folder
  // for a database in memory) and sets "CFG_COTALIA:FICHERO". False with *error.
  static bool Instalar(Connection& cn, QString* error = nullptr);
};

}  // namespace zolmar
