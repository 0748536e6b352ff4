#pragma once
// The other databases of a file "server" beside the company: the
// installation's subject list and the consultant's template article tree.

#include <QString>

namespace zolmar {

class ServerDatabases {
 public:
  // ZolmarInstalacion.db (subjects) and Zolmar_Cons#1.db (template article
  // tree) in the folder, when missing. False with *error.
  static bool create(const QString& folder, QString* error = nullptr);

 private:
  static bool createInstallation(const QString& file, QString* error);
  static bool createConsultant(const QString& file, QString* error);
};

}  // namespace zolmar
