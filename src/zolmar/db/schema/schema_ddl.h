#pragma once
// The DDL of the table catalogue in one engine's dialect: SQLite (the
// program's own files), PostgreSQL and SQL Server. Each statement leaves what
// exists alone, so a script can be run again on a database half set up.

#include <QString>
#include <QStringList>

#include "zolmar/db/schema/table_catalogue.h"

namespace zolmar {

class SchemaDdl {
 public:
  enum Dialect { SQLite, PostgreSQL, SqlServer };
  // Which database of the server a script sets up.
  enum Database { Company, Installation, Consultant };

  explicit SchemaDdl(Dialect dialect) : dialect_(dialect) {}
  // "sqlite", "postgresql", "sqlserver"; false when the name is none of them.
  static bool dialectNamed(const QString& name, Dialect* dialect);

  QString createTable(const TableSpec& table) const;
  QString createIndex(const TableSpec& table, const IndexSpec& index) const;
  // The table, then its indexes.
  QStringList tableStatements(const TableSpec& table) const;
  // Everything one database needs, in order: what the tables use (on
  // PostgreSQL the schema "tsql", PgSupport), the tables, their indexes,
  // DBO.SubArboles.
  QStringList script(Database database) const;
  // CREATE FUNCTION of DBO.SubArboles; SQLite has it as a function of the program.
  QString subArboles() const;

 private:
  QString column(const ColumnSpec& c) const;
  QString text(int width) const;

  Dialect dialect_;
};

}  // namespace zolmar
