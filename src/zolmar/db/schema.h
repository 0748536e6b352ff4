#pragma once
// The tables of a company database, of the installation database and of a
// consultant database, as SQLite DDL shaped like the SQL Server rows: text
// compared with ES_CI_AS, ZolmarID the row id, '' and 0 as defaults.

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
  // ZolmarInstalacion.db (subjects) and Zolmar_Cons#1.db (template article
  // tree) in the folder, when missing.
  static bool createServerDatabases(const QString& folder, QString* error = nullptr);

  // CREATE TABLE IF NOT EXISTS text of one table of the company database.
  static QString tableDdl(const QString& table);
  static QStringList tables();

 private:
  static bool run(Connection& cn, const QStringList& statements, QString* error);
  static bool createInstallation(const QString& file, QString* error);
  static bool createConsultant(const QString& file, QString* error);
};

}  // namespace zolmar
