#include "comando_esquema.h"

#include "zolmar/db/schema/schema_ddl.h"

namespace zolmar {

int ComandoEsquema::Ejecutar(const QStringList& args) {
  static const QString uso =
      QStringLiteral("uso: arboles schema sqlite|postgresql|sqlserver [empresa|instalacion|consultor]\n");
  SchemaDdl::Dialect dialect;
  if (args.isEmpty() || args.size() > 2 || !SchemaDdl::dialectNamed(args.first(), &dialect)) {
    err_ << uso;
    return 2;
  }
  const QString base = args.value(1, QStringLiteral("empresa")).toLower();
  SchemaDdl::Database database;
  if (base == QLatin1String("empresa"))
    database = SchemaDdl::Company;
  else if (base == QLatin1String("instalacion"))
    database = SchemaDdl::Installation;
  else if (base == QLatin1String("consultor"))
    database = SchemaDdl::Consultant;
  else {
    err_ << uso;
    return 2;
  }
  // SQL Server's tools run a script batch by batch, GO ending each.
  const QString end = dialect == SchemaDdl::SqlServer ? QStringLiteral("\nGO\n") : QStringLiteral(";\n");
  for (const QString& statement : SchemaDdl(dialect).script(database)) out_ << statement << end;
  return 0;
}

}  // namespace zolmar
