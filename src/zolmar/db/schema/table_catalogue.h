#pragma once
// Every table of the databases the program uses, described once: columns
// with their kind, text width and default, and indexes. The DDL of each
// engine is written from here (SchemaDdl).

#include <QString>
#include <QStringList>
#include <QVector>

namespace zolmar {

struct ColumnSpec {
  enum Kind { Integer, Real, Text, Date };
  QString name;
  Kind kind = Integer;
  int width = 0;  // characters of a text column; 0 for unlimited
};

struct IndexSpec {
  QString name;
  QStringList columns;
  bool unique = false;
};

// Every table also has ZolmarID (the row id) and Activo (status flags) first.
struct TableSpec {
  QString name;
  QVector<ColumnSpec> columns;
  QVector<IndexSpec> indexes;
};

class TableCatalogue {
 public:
  // The tables of a company database, in the order they are created.
  static const QVector<TableSpec>& company();
  // The subjects table of the installation database.
  static const TableSpec& installation();
  // A company table by name (any case); null when unknown.
  static const TableSpec* find(const QString& name);
};

}  // namespace zolmar
