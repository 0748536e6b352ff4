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
  const QString installation = dir.filePath(QString(Schema::kInstallationDatabase) + ".db");
  const QString consultant = dir.filePath(QString(Schema::kConsultantDatabase) + ".db");
  if (!QFileInfo::exists(installation) && !createInstallation(installation, error)) return false;
  if (!QFileInfo::exists(consultant) && !createConsultant(consultant, error)) return false;
  return true;
}

bool ServerDatabases::createInstallation(const QString& file, QString* error) {
  auto cn = Connection::open(file, error);
  if (!cn) return false;
  QStringList statements = SchemaDdl(SchemaDdl::SQLite).script(SchemaDdl::Installation);
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
  for (const auto& s : subjects)
    statements << QString("INSERT INTO IBIC (Codigo, Nombre) VALUES ('%1', '%2')").arg(s[0], s[1]);
  return Schema::run(*cn, statements, error);
}

bool ServerDatabases::createConsultant(const QString& file, QString* error) {
  auto cn = Connection::open(file, error);
  if (!cn) return false;
  if (!Schema::run(*cn, SchemaDdl(SchemaDdl::SQLite).script(SchemaDdl::Consultant), error)) return false;
  TreeBuilder builder(*cn);
  QString failure;
  const bool ok =
      cn->atomically([&] { return builder.addTree(3, RestaurantTemplate::nodes(), &failure); }, &failure);
  if (!ok && error) *error = failure;
  return ok;
}

}  // namespace zolmar
