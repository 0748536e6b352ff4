#include "zolmar/db/schema/schema_ddl.h"

namespace zolmar {

QString SchemaDdl::column(const ColumnSpec& c) const {
  switch (c.kind) {
    case ColumnSpec::Integer:
      return c.name + " INTEGER DEFAULT 0";
    case ColumnSpec::Real:
      return c.name + " REAL DEFAULT 0";
    case ColumnSpec::Text:
      // Every text column compares like SQL Server's default collation.
      return c.name + " TEXT COLLATE ES_CI_AS DEFAULT ''";
    case ColumnSpec::Date:
      return c.name + " DATETIME";
  }
  return c.name;
}

QString SchemaDdl::createTable(const TableSpec& table) const {
  QStringList columns = {QStringLiteral("ZolmarID INTEGER PRIMARY KEY AUTOINCREMENT"),
                         QStringLiteral("Activo INTEGER DEFAULT 0")};
  for (const ColumnSpec& c : table.columns) columns << column(c);
  return "CREATE TABLE IF NOT EXISTS " + table.name + " (" + columns.join(", ") + ")";
}

QString SchemaDdl::createIndex(const TableSpec& table, const IndexSpec& index) const {
  return QString("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
      .arg(index.unique ? "UNIQUE " : "", index.name, table.name, index.columns.join(", "));
}

QStringList SchemaDdl::tableStatements(const TableSpec& table) const {
  QStringList statements = {createTable(table)};
  for (const IndexSpec& index : table.indexes) statements << createIndex(table, index);
  return statements;
}

}  // namespace zolmar
