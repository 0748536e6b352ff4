#include "zolmar/db/schema.h"

#include <QSet>

#include "host/i_recordset.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/schema/schema_ddl.h"
#include "zolmar/db/schema/table_catalogue.h"

namespace zolmar {

namespace {

// Whether every table and index is there already: a read, so that opening a
// company database does not wait for another program's write transaction.
bool complete(Connection& cn) {
  QSet<QString> faltan;
  for (const TableSpec& table : TableCatalogue::company()) {
    faltan << table.name.toLower();
    for (const IndexSpec& index : table.indexes) faltan << index.name.toLower();
  }
  const auto rs = arboles::recordsetOf(
      cn.executeNative(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'index')"), 5));
  if (cn.HasError() || !rs) return false;
  while (rs->Read()) faltan.remove(rs->Field(QStringLiteral("name")).toString().toLower());
  return faltan.isEmpty();
}

}  // namespace

QStringList Schema::tables() {
  QStringList names;
  for (const TableSpec& table : TableCatalogue::company()) names << table.name;
  return names;
}

QString Schema::tableDdl(const QString& table, SchemaDdl::Dialect dialect) {
  const TableSpec* descripcion = TableCatalogue::find(table);
  return descripcion ? SchemaDdl(dialect).createTable(*descripcion) : QString();
}

SchemaDdl::Dialect Schema::dialectOf(const Connection& cn) {
  if (cn.isPostgres()) return SchemaDdl::PostgreSQL;
  // Another engine behind an ODBC driver (SQLite's, in the tests) takes SQLite's.
  return cn.isSqlServer() ? SchemaDdl::SqlServer : SchemaDdl::SQLite;
}

bool Schema::run(Connection& cn, const QStringList& statements, QString* error) {
  QString failure;
  const bool ok = cn.atomically(
      [&] {
        for (const QString& sql : statements) {
          cn.executeNative(sql);
          if (cn.HasError()) {
            failure = cn.LastError();
            return false;
          }
        }
        return true;
      },
      &failure);
  cn.schemaChanged();
  if (!ok && error) *error = failure;
  return ok;
}

bool Schema::create(Connection& cn, QString* error) {
  QStringList statements;
  if (cn.isPostgres()) {
    // The company is a schema of the server; every statement leaves what exists alone.
    QString name = cn.databaseName();
    statements << "CREATE SCHEMA IF NOT EXISTS \"" + name.replace('"', "\"\"") + "\"";
  } else if (!cn.isOdbc() && complete(cn)) {
    return true;
  }
  statements << SchemaDdl(dialectOf(cn)).script(SchemaDdl::Company);
  // The reports' SQL editor is for whom it is granted: refused to everybody
  // ('*') unless a person's own row allows it.
  statements << QStringLiteral(
      "INSERT INTO ZolmarPermisos (Usuario, Ventana, Permitido) SELECT '*', 'INFORMES_SQL_EXPERTO', 0 "
      "WHERE NOT EXISTS (SELECT 1 FROM ZolmarPermisos WHERE Ventana='INFORMES_SQL_EXPERTO')");
  return run(cn, statements, error);
}

}  // namespace zolmar
