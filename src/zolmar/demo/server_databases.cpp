#include "zolmar/demo/server_databases.h"

#include <QDir>
#include <QFileInfo>

#include "zolmar/db/connection.h"
#include "zolmar/db/schema.h"
#include "zolmar/db/schema/schema_ddl.h"
#include "zolmar/demo/restaurant_template.h"
#include "zolmar/demo/tree_builder.h"

namespace zolmar {

bool ServerDatabases::create(const QString& folder, QString* error) {
  QDir().mkpath(folder);
  const QDir dir(folder);
  for (const auto& [name, database] : {std::pair{Schema::kInstallationDatabase, SchemaDdl::Installation},
                                       std::pair{Schema::kConsultantDatabase, SchemaDdl::Consultant}}) {
    const QString file = dir.filePath(QString::fromLatin1(name) + ".db");
    if (QFileInfo::exists(file)) continue;
    auto cn = Connection::open(file, error);
    if (!cn || !fill(*cn, database, error)) return false;
  }
  return true;
}

bool ServerDatabases::create(Connection& company, QString* error) {
  return createOnServer(company, QString::fromLatin1(Schema::kInstallationDatabase), SchemaDdl::Installation,
                        error) &&
         createOnServer(company, QString::fromLatin1(Schema::kConsultantDatabase), SchemaDdl::Consultant,
                        error);
}

// A database the server already has with its table is left as it is.
bool ServerDatabases::createOnServer(Connection& company, const QString& name, SchemaDdl::Database database,
                                     QString* error) {
  QString missing;
  if (const auto cn = company.openDatabase(name, &missing)) {
    const QString table =
        database == SchemaDdl::Installation ? QStringLiteral("IBIC") : QStringLiteral("Arboles");
    cn->executeNative("SELECT COUNT(*) FROM " + table, 2);
    return !cn->HasError() || fill(*cn, database, error);
  }
  QString quoted = name;
  company.executeNative(company.isPostgres()
                            ? "CREATE SCHEMA \"" + quoted.replace('"', QStringLiteral("\"\"")) + "\""
                            : "CREATE DATABASE [" + quoted.replace(']', QStringLiteral("]]")) + "]");
  if (company.HasError()) {
    if (error) *error = company.LastError();
    return false;
  }
  auto cn = company.openDatabase(name, error);
  return cn && fill(*cn, database, error);
}

// The tables and their rows in one transaction: a database is never left
// with its tables and without the rows a later open would take as there.
bool ServerDatabases::fill(Connection& cn, SchemaDdl::Database database, QString* error) {
  QString failure;
  const bool ok = cn.atomically(
      [&] {
        if (!Schema::run(cn, SchemaDdl(Schema::dialectOf(cn)).script(database), &failure)) return false;
        if (database == SchemaDdl::Installation) return Schema::run(cn, subjectRows(), &failure);
        return TreeBuilder(cn).addTree(3, RestaurantTemplate::nodes(), &failure);
      },
      &failure);
  if (!ok && error) *error = failure;
  return ok;
}

QStringList ServerDatabases::subjectRows() {
  static const char* subjects[][2] = {
      {"$version$", "2"},
      {"A", "Artes"},
      {"AB", "Bellas artes: tratamientos y temas"},
      {"AF", "Artes: formas"},
      {"AFC", "Pintura y pinturas"},
      {"D", "Biografía, literatura y estudios literarios"},
      {"DC", "Poesía"},
      {"DD", "Obras de teatro"},
      {"F", "Narrativa y temas afines"},
      {"FA", "Narrativa moderna y contemporánea"},
      {"FF", "Novela policíaca y de misterio"},
      {"W", "Estilo de vida, deporte y ocio"},
      {"WB", "Gastronomía y bebida"},
      {"WBA", "Cocina general"},
      {"WBX", "Bebidas"},
      {"WBXD", "Vinos y bebidas alcohólicas"},
      {"1D", "Europa"},
      {"1DS", "Europa del Sur"},
      {"1DSE", "España"},
  };
  QStringList statements;
  for (const auto& s : subjects)
    statements << QString("INSERT INTO IBIC (Codigo, Nombre) VALUES ('%1', '%2')").arg(s[0], s[1]);
  return statements;
}

}  // namespace zolmar
