#pragma once
// The declared types of a PostgreSQL schema's columns, read from the server's
// catalogue on first use of each table (tables found through the search path).

#include <QHash>
#include <QString>

#include "zolmar/db/tsql/tsql_translator.h"

struct pg_conn;

namespace zolmar {

class PgColumnTypes : public ColumnTypes {
 public:
  explicit PgColumnTypes(pg_conn* conn) : conn_(conn) {}
  QString columnType(const QString& table, const QString& column) const override;
  void clear() { tables_.clear(); }

 private:
  using Columns = QHash<QString, QString>;  // upper-case column name -> upper-case type
  bool load(const QString& table, Columns* columns) const;

  pg_conn* conn_;
  mutable QHash<QString, Columns> tables_;
};

}  // namespace zolmar
