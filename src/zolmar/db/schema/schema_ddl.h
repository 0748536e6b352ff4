#pragma once
// The DDL of the table catalogue in one engine's dialect.

#include <QString>
#include <QStringList>

#include "zolmar/db/schema/table_catalogue.h"

namespace zolmar {

class SchemaDdl {
 public:
  enum Dialect { SQLite };

  explicit SchemaDdl(Dialect dialect) : dialect_(dialect) {}

  QString createTable(const TableSpec& table) const;
  QString createIndex(const TableSpec& table, const IndexSpec& index) const;
  // The table, then its indexes.
  QStringList tableStatements(const TableSpec& table) const;

 private:
  QString column(const ColumnSpec& c) const;

  Dialect dialect_;
};

}  // namespace zolmar
