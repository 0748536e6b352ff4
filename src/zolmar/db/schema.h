#pragma once
// The tables of the catalogue created on an SQLite connection: text compared
// with ES_CI_AS, ZolmarID the row id, '' and 0 as defaults.

#include <QString>
#include <QStringList>

namespace zolmar {

class Connection;

class Schema {
 public:
  static constexpr const char* kInstallationDatabase = "ZolmarInstalacion";
  static constexpr const char* kConsultantDatabase = "Zolmar_Cons#1";

  // Every table and index of a company database; existing ones are kept.
  // False with *error on failure (nothing is left half-created).
  static bool create(Connection& cn, QString* error = nullptr);

  // CREATE TABLE IF NOT EXISTS text of one table of the company database.
  static QString tableDdl(const QString& table);
  static QStringList tables();
  // Runs the statements in one transaction; false with *error.
  static bool run(Connection& cn, const QStringList& statements, QString* error);
};

}  // namespace zolmar
