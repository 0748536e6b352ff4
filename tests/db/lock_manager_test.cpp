#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <iostream>

#include "db_fixture.h"
#include "zolmar/db/lock_manager.h"

namespace zolmar {
namespace {

TEST(LockManagerTest, ConflictMatrix) {
  struct Case {
    const char* heldTable;
    const char* heldFilter;
    const char* table;
    const char* filter;
    bool sameSession;
    bool refused;
  } cases[] = {
      {"Arboles", "Tipo=1", "Arboles", "Tipo=1", false, true},
      {"Arboles", "Tipo=1", "ARBOLES", "tipo = 1", false, true},
      {"Arboles", "Tipo=1", "Arboles", "Tipo=2", false, false},
      {"Arboles", "Tipo=1", "Arboles", "", false, true},
      {"Arboles", "", "Arboles", "Tipo=3", false, true},
      {"Arboles", "Tipo=1", "Clientes", "Tipo=1", false, false},
      {"Arboles", "Tipo=1", "Arboles", "Tipo=1", true, true},  // the same editor opened twice
      {"Arboles", "Tipo=1", "Arboles", "Tipo=2", true, false},
  };
  for (const auto& c : cases) {
    auto cn = testing::openMemory();
    LockManager first(cn);
    LockManager second(cn);
    ASSERT_FALSE(first.LockTable(3, true, c.heldTable, 0, c.heldFilter, 3));
    LockManager& other = c.sameSession ? first : second;
    EXPECT_EQ(other.LockTable(3, true, c.table, 0, c.filter, 3), c.refused) << c.table << " " << c.filter;
  }
}

// A refused person learns who holds the lock: the computer, the program and
// since when, or this very session (an editor of its own left open).
TEST(LockManagerTest, TheRefusalSaysWhoHoldsTheLock) {
  auto cn = testing::openMemory();
  LockManager mine(cn);
  LockManager theirs(cn);
  EXPECT_EQ(mine.lastHolderText(), QString());
  ASSERT_FALSE(theirs.LockTable(3, true, "Arboles", 0, "Tipo=3", 3));
  cn->executeNative("UPDATE ZolmarBloqueos SET Equipo='PC-ALMACEN', Fecha='2026-03-05 08:07:00'");
  const qint64 before = mine.refusals();
  ASSERT_TRUE(mine.LockTable(3, true, "Arboles", 0, "Tipo=3", 3));
  EXPECT_EQ(mine.refusals(), before + 1);
  EXPECT_EQ(
      mine.lastHolderText(),
      QString::fromUtf8("Lo tiene bloqueado el equipo PC-ALMACEN (programa db_tests) desde el 05/03/2026 "
                        "a las 08:07."));
  ASSERT_TRUE(theirs.LockTable(3, true, "Arboles", 0, "tipo = 3", 3));
  EXPECT_TRUE(theirs.lastHolderText().startsWith(QString::fromUtf8("Lo tiene bloqueado esta misma sesión")))
      << theirs.lastHolderText().toStdString();
  EXPECT_LE(theirs.sessionId().size(), 100) << "fits the column";
}

TEST(LockManagerTest, ReleaseAndSessionEnd) {
  auto cn = testing::openMemory();
  LockManager other(cn);
  {
    LockManager session(cn);
    ASSERT_FALSE(session.LockTable(3, true, "Arboles", 0, "Tipo=3", 2));
    ASSERT_FALSE(session.LockTable(3, true, "Articulos", 0, "", 3));
    EXPECT_TRUE(other.LockTable(3, true, "Arboles", 0, "Tipo=3", 2));
    EXPECT_FALSE(session.LockTable(3, false, "Arboles", 0, "Tipo=3", 3));
    EXPECT_FALSE(other.LockTable(3, true, "Arboles", 0, "Tipo=3", 2));
    EXPECT_TRUE(other.LockTable(3, true, "Articulos", 0, "", 3));
  }
  EXPECT_FALSE(other.LockTable(3, true, "Articulos", 0, "", 3)) << "a closed session leaves no locks";
  EXPECT_EQ(cn->ExecuteSQL("SELECT COUNT(*) FROM ZolmarBloqueos", 2).toInt(), 2);
}

// Found by the reliability suite: every session deleted its locks as it
// ended, so a program that had only read waited for another one's write.
TEST(LockManagerTest, ASessionWithoutLocksEndsWithoutWaitingForAWriter) {
  QTemporaryDir dir;
  auto escritor = Connection::open(dir.filePath("empresa.db"), nullptr);
  ASSERT_TRUE(escritor);
  auto cn = Connection::open(dir.filePath("empresa.db"), nullptr);
  ASSERT_TRUE(cn);
  cn->setBusyTimeout(100);
  for (const bool conBloqueo : {false, true}) {
    SCOPED_TRACE(conBloqueo);
    {
      LockManager sesion(cn);
      if (conBloqueo) {
        ASSERT_FALSE(sesion.LockTable(3, true, "Arboles", 0, "Tipo=3", 2));
      }
      escritor->executeNative("BEGIN IMMEDIATE");
      escritor->executeNative("INSERT INTO ZolmarBloqueos (Tabla) VALUES ('Otra')");
      ASSERT_FALSE(escritor->HasError()) << escritor->LastError().toStdString();
      sesion.releaseAll();
      // Only a session holding a lock needs the write, and has to wait for it.
      EXPECT_EQ(cn->HasError(), conBloqueo);
      escritor->executeNative("ROLLBACK");
    }
    EXPECT_EQ(cn->ExecuteSQL("SELECT COUNT(*) FROM ZolmarBloqueos", 2).toInt(), 0);
  }
}

// Runs in a child process: takes the lock, says so, then waits for an order.
TEST(LockHelper, Hold) {
  const QString db = qEnvironmentVariable("ZOLMAR_LOCK_DB");
  if (db.isEmpty()) GTEST_SKIP() << "run by the two-process tests";
  QString error;
  auto cn = Connection::open(db, &error);
  ASSERT_TRUE(cn);
  LockManager locks(cn);
  std::cout << (locks.LockTable(3, true, "Arboles", 0, "Tipo=3", 2) ? "REFUSED" : "LOCKED") << std::endl;
  std::string order;
  std::getline(std::cin, order);
  if (order == "die") _exit(0);  // no destructor: the lock row stays behind
}

class TwoProcesses : public ::testing::Test {
 protected:
  void SetUp() override {
    cn = testing::openFile(dir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOLMAR_LOCK_DB", dir.filePath("empresa.db"));
    helper.setProcessEnvironment(env);
    helper.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=LockHelper.Hold"});
    ASSERT_TRUE(helper.waitForStarted());
    QByteArray out;
    while (!out.contains("LOCKED") && !out.contains("REFUSED") && helper.waitForReadyRead(10000))
      out += helper.readAllStandardOutput();
    ASSERT_TRUE(out.contains("LOCKED")) << out.toStdString();
  }
  void finish(const char* order) {
    helper.write(order);
    helper.closeWriteChannel();
    ASSERT_TRUE(helper.waitForFinished(10000));
  }
  QTemporaryDir dir;
  std::shared_ptr<Connection> cn;
  QProcess helper;
};

TEST_F(TwoProcesses, SecondProcessIsRefusedUntilTheFirstReleases) {
  LockManager mine(cn);
  EXPECT_TRUE(mine.LockTable(3, true, "Arboles", 0, "Tipo=3", 2));
  EXPECT_FALSE(mine.LockTable(3, true, "Arboles", 0, "Tipo=1", 2));
  finish("release\n");
  EXPECT_FALSE(mine.LockTable(3, true, "Arboles", 0, "Tipo=3", 2));
}

TEST_F(TwoProcesses, LockOfADeadProcessIsTakenOver) {
  finish("die\n");
  EXPECT_EQ(cn->ExecuteSQL("SELECT COUNT(*) FROM ZolmarBloqueos", 2).toInt(), 1)
      << "the dead owner left its lock";
  LockManager mine(cn);
  EXPECT_FALSE(mine.LockTable(3, true, "Arboles", 0, "Tipo=3", 2));
  EXPECT_EQ(cn->ExecuteSQL("SELECT COUNT(*) FROM ZolmarBloqueos", 2).toInt(), 1);
}

}  // namespace
}  // namespace zolmar
