#include <gtest/gtest.h>

#include "odbc/odbc_target.h"

#include "zolmar/db/connection.h"
#include "zolmar/db/lock_manager.h"

namespace zolmar {
namespace {

using testing::odbcDriverInstalled;
using testing::odbcTarget;

// Two sessions on two ODBC connections to one database contend for tree locks.
TEST(OdbcLockTest, ASecondSessionIsRefusedUntilTheFirstReleases) {
  if (!odbcDriverInstalled()) GTEST_SKIP() << "SQLite ODBC driver not installed";
  QTemporaryDir dir;
  const QString target = odbcTarget(dir);
  QString error;
  auto first = Connection::open(target, &error);
  auto second = Connection::open(target, &error);
  ASSERT_TRUE(first && second) << error.toStdString();
  // On a server the table is there already, as every other one.
  first->ExecuteSQL(
      "CREATE TABLE ZolmarBloqueos (ZolmarID INTEGER PRIMARY KEY AUTOINCREMENT, Activo INTEGER, "
      "Tabla VARCHAR(60), Filtro VARCHAR(250), Sesion VARCHAR(40), Pid INTEGER, "
      "Equipo VARCHAR(60), Fecha DATETIME)");
  ASSERT_FALSE(first->HasError()) << first->LastError().toStdString();
  LockManager mine(first);
  LockManager theirs(second);

  struct Step {
    LockManager* who;
    bool lock;
    const char* filter;
    bool refused;
  } steps[] = {
      {&mine, true, "Tipo=3", false},   {&theirs, true, "tipo = 3", true},  // same filter, other spelling
      {&theirs, true, "Tipo=1", false}, {&theirs, true, "", true},          // the empty filter takes all
      {&mine, false, "Tipo=3", false},  {&theirs, true, "Tipo=3", false},  {&mine, true, "Tipo=3", true},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.who->LockTable(3, s.lock, "Arboles", 0, s.filter, 0), s.refused)
        << (s.who == &mine ? "mine " : "theirs ") << s.filter << ": " << s.who->lastError().toStdString();
  }
  theirs.releaseAll();
  EXPECT_FALSE(mine.LockTable(3, true, "Arboles", 0, "", 0)) << mine.lastError().toStdString();
}

}  // namespace
}  // namespace zolmar
