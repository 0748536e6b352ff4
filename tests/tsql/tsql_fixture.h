#pragma once
// A database with the tables the module's statements touch, on the engine the
// suite runs against: SQLite in memory, or a schema of its own on the
// PostgreSQL server ZOLMAR_TEST_PG names (make test-pg). A runner translates
// with that engine's translator and executes.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <memory>

#include "zolmar/db/engine/backend.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

class TSqlFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The engine's own SQL.
  void exec(const QString& sql);
  // Translates and runs a statement or a " ; " batch; rows as "a|b" joined with ";".
  // Sets *error when refused or failed.
  QString run(const QString& tsql, QString* error = nullptr);
  QString runOne(const TSqlTranslation& t, QString* error);
  QString query(const QString& sql);  // the engine's own SQL, rows as above
  bool onServer() const { return !server.isEmpty(); }

  QString server;   // ZOLMAR_TEST_PG; empty on SQLite
  QString company;  // this test's schema on the server
  std::unique_ptr<Backend> backend;
  TSqlTranslator* translator = nullptr;
};

}  // namespace zolmar
