// What the database layer does with statements and files it cannot use: a clear
// error through HasError/LastError, the program goes on, and nothing half-written stays.

#include <QElapsedTimer>
#include <QFile>
#include <stdexcept>

#include "db_fixture.h"
#include "host/host_types.h"
#include "host/i_recordset.h"
#include "zolmar/host.h"

namespace zolmar {
namespace {

using testing::openFile;
using testing::openMemory;

class BadInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cn = openMemory();
    cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '0100000000000000', 'Bebidas')");
    cn->ExecuteSQL("INSERT INTO Nombres (Nombre, Apellidos) VALUES ('Ana', 'O''Brien')");
    ASSERT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  }
  // A good statement after a bad one works and clears the error.
  void expectRecovered() {
    EXPECT_EQ(cn->ExecuteSQL("SELECT Nombre FROM Arboles WHERE ZolmarID=1", 2).toString(), "Bebidas");
    EXPECT_FALSE(cn->HasError());
    EXPECT_TRUE(cn->LastError().isEmpty());
  }
  std::shared_ptr<Connection> cn;
};

struct BadStatement {
  const char* what;
  const char* sql;
  const char* named;  // the error names the problem with this text
};

const BadStatement kBadStatements[] = {
    {"misspelt keyword", "SELEC Nombre FROM Arboles", "SELEC"},
    {"word out of place", "SELECT Nombre FORM Arboles", "Arboles"},
    {"unclosed parenthesis", "SELECT Nombre FROM Arboles WHERE (Tipo=3", "')'"},
    {"unclosed literal", "SELECT ZolmarID FROM Nombres WHERE Apellidos='O'Brien'", "sin cerrar"},
    {"function the server lacks", "SELECT NEWID() FROM Arboles", "NEWID"},
    {"missing table", "SELECT Nombre FROM Arbolitos", "Arbolitos"},
    {"missing table in a write", "UPDATE Arbolitos SET Nombre='x' WHERE ZolmarID=1", "Arbolitos"},
    {"missing column", "SELECT Apodo FROM Arboles", "Apodo"},
    {"missing column in a write", "UPDATE Arboles SET Apodo='x' WHERE ZolmarID=1", "Apodo"},
    {"missing database of the server", "SELECT Codigo FROM NoHay..IBIC", "NoHay"},
    {"batch whose second statement fails",
     "UPDATE Arboles SET Nombre='Cambiado' WHERE ZolmarID=1 ; UPDATE Arbolitos SET Nombre='x'", "Arbolitos"},
    {"batch whose second statement is not understood",
     "UPDATE Arboles SET Nombre='Cambiado' WHERE ZolmarID=1 ; UPDATE Arboles SET", "final"},
};

class BadStatementTest : public BadInputTest, public ::testing::WithParamInterface<BadStatement> {};

TEST_P(BadStatementTest, GivesAClearErrorChangesNothingAndTheNextStatementWorks) {
  const BadStatement& bad = GetParam();
  EXPECT_EQ(cn->ExecuteSQL(bad.sql, 2, "def").toString(), "def");
  EXPECT_TRUE(cn->HasError());
  EXPECT_TRUE(cn->LastError().contains(QString::fromUtf8(bad.named), Qt::CaseInsensitive))
      << cn->LastError().toStdString();
  expectRecovered();
}

INSTANTIATE_TEST_SUITE_P(Statements, BadStatementTest, ::testing::ValuesIn(kBadStatements),
                         [](const auto& info) {
                           std::string name;
                           for (const char* c = info.param.what; *c; ++c) name += std::isalnum(*c) ? *c : '_';
                           return name;
                         });

TEST_F(BadInputTest, LiteralsWithQuotesAreData) {
  cn->ExecuteSQL("INSERT INTO Nombres (Nombre, Apellidos) VALUES (" + cn->SQLLiteral("D'Ors") + ", '''x''')");
  EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  EXPECT_EQ(cn->ExecuteSQL("SELECT Apellidos FROM Nombres WHERE Nombre='D''Ors'", 2).toString(), "'x'");
  EXPECT_EQ(cn->ExecuteSQL("SELECT ZolmarID FROM Nombres WHERE Apellidos='O''Brien'", 2).toInt(), 1);
  EXPECT_EQ(
      cn->ExecuteSQL("SELECT ZolmarID FROM Nombres WHERE Apellidos=" + cn->SQLLiteral("O'Brien"), 2).toInt(),
      1);
  EXPECT_FALSE(cn->HasError());
}

TEST_F(BadInputTest, CriterionWithAnApostropheFindsTheRow) {
  cn->ExecuteSQL("INSERT INTO Nombres (Nombre, Apellidos) VALUES ('Luis', 'O')");
  auto rs = arboles::recordsetOf(cn->ExecuteSQL("SELECT ZolmarID, Nombre, Apellidos FROM Nombres", 7));
  ASSERT_TRUE(rs);
  EXPECT_EQ(rs->Find("Apellidos=" + rs->QuoteCriterion("O'Brien"), 0), 1);
  EXPECT_EQ(rs->Field("Nombre").toString(), "Ana");
  EXPECT_EQ(rs->Find("Apellidos=" + rs->QuoteCriterion("O"), 0), 2) << "not cut at the apostrophe";
  EXPECT_EQ(rs->Find("Apellidos LIKE " + rs->QuoteCriterion("O'B*"), 0), 1);
  EXPECT_EQ(rs->Find("Apellidos=" + rs->QuoteCriterion("O'Brien' OR Nombre='Luis"), 0), 0);
}

TEST(BadFile, AFileThatIsNotADatabaseIsRefusedByName) {
  QTemporaryDir dir;
  const QString path = dir.filePath("notas.db");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Esto es una nota, no una base de datos.\n" + QByteArray(4096, 'x'));
  file.close();

  QString error;
  EXPECT_FALSE(Connection::open(path, &error));
  EXPECT_TRUE(error.contains("notas.db") && error.contains("no es una base de datos")) << error.toStdString();
  try {
    Host::open(path);
    ADD_FAILURE() << "a text file opened as a company database";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(QString::fromUtf8(e.what()).contains("notas.db")) << e.what();
  }
  QFile check(path);
  ASSERT_TRUE(check.open(QIODevice::ReadOnly));
  EXPECT_TRUE(check.readAll().startsWith("Esto es una nota")) << "the file must be left as it was";
}

// The busy answer names the lock in the host's words, whichever statement met it.
bool namesTheLock(const QString& error) { return error.contains("bloqueada"); }

class LockedDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    first = openFile(dir);
    first->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '0100000000000000', 'Bebidas')");
    QString error;
    second = Connection::open(dir.filePath("empresa.db"), &error);
    ASSERT_TRUE(second) << error.toStdString();
    second->setBusyTimeout(150);
    // The first session holds a write transaction with a change of its own.
    first->BeginTrans("GuardarCategorias");
    first->ExecuteSQL(
        "INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '0200000000000000', 'Pendiente')");
    ASSERT_FALSE(first->HasError()) << first->LastError().toStdString();
  }
  qint32 count(Connection& cn) { return cn.ExecuteSQL("SELECT COUNT(*) FROM Arboles", 2, -1).toInt(); }

  QTemporaryDir dir;
  std::shared_ptr<Connection> first;
  std::shared_ptr<Connection> second;
};

struct LockedWrite {
  const char* what;
  const char* sql;
};

const LockedWrite kLockedWrites[] = {
    {"update", "UPDATE Arboles SET Nombre='Otro' WHERE ZolmarID=1"},
    {"insert", "INSERT INTO Arboles (Tipo, Nombre) VALUES (1, 'Otro')"},
    {"batch", "UPDATE Arboles SET Nombre='Otro' WHERE ZolmarID=1 ; DELETE FROM Arboles WHERE ZolmarID=1"},
};

class LockedWriteTest : public LockedDatabaseTest, public ::testing::WithParamInterface<LockedWrite> {};

TEST_P(LockedWriteTest, FailsAfterTheBusyTimeoutAndWorksOnceTheLockIsGone) {
  QElapsedTimer timer;
  timer.start();
  second->ExecuteSQL(GetParam().sql, 1);
  EXPECT_LT(timer.elapsed(), 5000) << "the short busy timeout was not used";
  EXPECT_TRUE(second->HasError());
  EXPECT_TRUE(namesTheLock(second->LastError())) << second->LastError().toStdString();

  // Readers are not blocked and see only what was committed.
  EXPECT_EQ(count(*second), 1);
  EXPECT_FALSE(second->HasError());
  EXPECT_EQ(second->ExecuteSQL("SELECT Nombre FROM Arboles WHERE ZolmarID=1", 2).toString(), "Bebidas");

  first->RollbackTrans("GuardarCategorias");
  EXPECT_FALSE(first->HasError());
  second->ExecuteSQL(GetParam().sql, 1);
  EXPECT_FALSE(second->HasError()) << second->LastError().toStdString();
  EXPECT_EQ(first->ExecuteSQL("SELECT COUNT(*) FROM Arboles WHERE Nombre='Pendiente'", 2, -1).toInt(), 0)
      << "the rolled-back transaction left its row";
}

INSTANTIATE_TEST_SUITE_P(Writes, LockedWriteTest, ::testing::ValuesIn(kLockedWrites),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(LockedDatabaseTest, ANamedTransactionCannotStartWhileAnotherSessionWrites) {
  second->BeginTrans("Unir Arbol");
  EXPECT_TRUE(second->HasError());
  EXPECT_TRUE(second->LastError().contains("Unir Arbol") && namesTheLock(second->LastError()))
      << second->LastError().toStdString();
  EXPECT_EQ(second->transactionDepth(), 0);
  first->CommitTrans("GuardarCategorias");
  second->BeginTrans("Unir Arbol");
  EXPECT_FALSE(second->HasError()) << second->LastError().toStdString();
  second->ExecuteSQL("DELETE FROM Arboles");
  second->RollbackTrans("Unir Arbol");
  EXPECT_EQ(count(*first), 2) << "rolled back: nothing deleted";
}

TEST_F(BadInputTest, AFailureInsideANamedTransactionLeavesNothingOnceRolledBack) {
  cn->BeginTrans("GuardarCategorias");
  cn->ExecuteSQL(
      "DELETE FROM Categorias WHERE Tipo=1 AND ID_Quien=1 ; "
      "INSERT INTO Categorias (Tipo, ID_Quien, ID_Categoria) VALUES (1, 1, 1) ; ");
  EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  cn->ExecuteSQL(
      "INSERT INTO Categorias (Tipo, ID_Quien, ID_Categoria) VALUES (1, 1, 2) ; "
      "INSERT INTO Categoria (Tipo) VALUES (1)");
  EXPECT_TRUE(cn->HasError());
  EXPECT_EQ(cn->ExecuteSQL("SELECT COUNT(*) FROM Categorias", 2, -1).toInt(), 1)
      << "the failed batch took back its own first statement only";
  cn->RollbackTrans("GuardarCategorias");
  EXPECT_FALSE(cn->HasError());
  EXPECT_EQ(cn->transactionDepth(), 0);
  EXPECT_EQ(cn->ExecuteSQL("SELECT COUNT(*) FROM Categorias", 2, -1).toInt(), 0);
}

}  // namespace
}  // namespace zolmar
