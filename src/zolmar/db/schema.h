#pragma once
// The tables of the catalogue created on a connection, in its engine's
// dialect: text compared as ES_CI_AS, ZolmarID the row id, '' and 0 as
// defaults.

#include <QString>
#include <QStringList>

#include "zolmar/db/schema/schema_ddl.h"

namespace zolmar {

class Connection;

class Schema {
 public:
  static constexpr const char* kInstallationDatabase = "ZolmarInstalacion";
  static constexpr const char* kConsultantDatabase = "Zolmar_Cons#1";

  // Every table and index of a company database; existing ones are kept.
  // False with *error on failure (nothing is left half-created).
  static bool create(Connection& cn, QString* error = nullptr);

  // The text that creates one table of the company database when it is missing.
  static QString tableDdl(const QString& table, SchemaDdl::Dialect dialect = SchemaDdl::SQLite);
  static SchemaDdl::Dialect dialectOf(const Connection& cn);
  static QStringList tables();
  // Runs the statements in one transaction; false with *error.
  static bool run(Connection& cn, const QStringList& statements, QString* error);
};

}  // namespace zolmar
