#pragma once
// A raw SQLite database with the tables the module's statements touch, the
// translator's functions registered, and a runner that translates and executes.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QString>
#include <QStringList>
#include <memory>

#include "zolmar/db/engine/sql_functions.h"
#include "zolmar/db/engine/sqlite_column_types.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

class TSqlFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void exec(const char* sql);
  // Translates and runs a statement or a " ; " batch; rows as "a|b" joined with ";".
  // Sets *error when refused or failed.
  QString run(const QString& tsql, QString* error = nullptr);
  QString runOne(const TSqlTranslation& t, QString* error);
  QString query(const QString& sqliteSql);  // raw SQLite, rows as above

  sqlite3* db = nullptr;
  std::shared_ptr<SqliteColumnTypes> types;
  std::unique_ptr<TSqlTranslator> translator;
};

}  // namespace zolmar
