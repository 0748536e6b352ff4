#pragma once
// The other databases of the server beside the company: the installation's
// subject list and the consultant's template article tree. A file "server"
// holds them as files of its folder, PostgreSQL as schemas of the server's
// database, SQL Server as databases of its own.

#include <QString>
#include <QStringList>

#include "zolmar/db/schema/schema_ddl.h"

namespace zolmar {

class Connection;

class ServerDatabases {
 public:
  // ZolmarInstalacion.db (subjects) and Zolmar_Cons#1.db (template article
  // tree) in the folder, when missing. False with *error.
  static bool create(const QString& folder, QString* error = nullptr);
  // The same databases on the company's server, when missing.
  static bool create(Connection& company, QString* error = nullptr);

 private:
  static bool createOnServer(Connection& company, const QString& name, SchemaDdl::Database database,
                             QString* error);
  static bool fill(Connection& cn, SchemaDdl::Database database, QString* error);
  static QStringList subjectRows();
};

}  // namespace zolmar
