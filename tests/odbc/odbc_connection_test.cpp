#include <gtest/gtest.h>

#include "host/host_types.h"
#include "host/i_recordset.h"
#include "host/i_row_view.h"
#include "odbc/odbc_target.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/odbc_batch.h"

namespace zolmar {
namespace {

using testing::odbcDriverInstalled;
using testing::odbcTarget;

// A real ODBC driver over a SQLite file: the statements are sent as written.
class OdbcConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!odbcDriverInstalled()) GTEST_SKIP() << "SQLite ODBC driver not installed";
    ASSERT_TRUE(dir.isValid());
    QString error;
    cn = Connection::open(connectionString(), &error);
    ASSERT_TRUE(cn) << error.toStdString();
    cn->ExecuteSQL(
        "CREATE TABLE Arboles (ZolmarID INTEGER PRIMARY KEY AUTOINCREMENT, Tipo INTEGER, "
        "Clave VARCHAR(16), Nombre VARCHAR(60))");
    cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '01', 'Bebidas')");
    cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '02', 'Droguería')");
    ASSERT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  }
  QString connectionString() const { return odbcTarget(dir); }
  qint32 count() { return cn->ExecuteSQL("SELECT COUNT(*) FROM Arboles", 2, -1).toInt(); }

  QTemporaryDir dir;
  std::shared_ptr<Connection> cn;
};

TEST_F(OdbcConnectionTest, ModesGiveValuesOrTheirDefaults) {
  struct Case {
    const char* sql;
    qint32 mode;
    QVariant def;
    QVariant expected;
  } cases[] = {
      {"SELECT Nombre FROM Arboles WHERE Clave='02'", 2, "x", "Droguería"},
      {"SELECT Nombre FROM Arboles WHERE Tipo=9", 2, "x", "x"},
      {"SELECT MAX(Clave) FROM Arboles WHERE Tipo=9", 2, "00", "00"},  // NULL gives the default
      {"SELECT Nombre FROM Arboles WHERE Tipo=9", 4, "vacío", "vacío"},
      {"UPDATE Arboles SET Tipo=4 WHERE Tipo=3", 0, -1, 2},
      {"UPDATE Arboles SET Tipo=5 WHERE Tipo=9", 1, -1, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cn->ExecuteSQL(c.sql, c.mode, c.def).toString(), c.expected.toString()) << c.sql;
    EXPECT_FALSE(cn->HasError()) << c.sql << ": " << cn->LastError().toStdString();
  }
  const QVariant array = cn->ExecuteSQL("SELECT Clave, Nombre FROM Arboles ORDER BY Clave", 4);
  ASSERT_TRUE(arboles::isSqlArray(array));
  const auto a = array.value<arboles::SqlArray>();
  EXPECT_EQ(a.rows, 2);
  EXPECT_EQ(a.columns, 2);
  EXPECT_EQ(a.cells.value(3).toString(), "Droguería");
}

TEST_F(OdbcConnectionTest, RecordSetsKeepAccentsAndBehaveLikeTheSqlitePath) {
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '03', 'Niño ñandú Ñu çà')");
  auto rs = arboles::recordsetOf(cn->ExecuteSQL("SELECT ZolmarID, Clave, Nombre FROM Arboles", 7));
  ASSERT_TRUE(rs) << cn->LastError().toStdString();
  EXPECT_EQ(rs->RecordCount(), 3);
  ASSERT_GT(rs->Find("Nombre='Niño ñandú Ñu çà'"), 0);
  EXPECT_EQ(rs->Field("Clave").toString(), "03");
  rs->SetField("Nombre", "Cañas");
  EXPECT_EQ(rs->Field("Nombre").toString(), "Cañas");
  rs->Sort("Clave DESC");
  rs->SetPosition(1);
  EXPECT_EQ(rs->Field("Clave").toString(), "03");

  const QString name =
      cn->ExecuteSQL("SELECT Nombre FROM Arboles WHERE Clave=" + cn->SQLLiteral("03"), 2).toString();
  EXPECT_EQ(name, "Niño ñandú Ñu çà");
  auto readOnly = arboles::recordsetOf(cn->ExecuteSQL("SELECT Nombre FROM Arboles WHERE Tipo=9", 6));
  ASSERT_TRUE(readOnly);
  EXPECT_EQ(readOnly->RecordCount(), 0);
}

TEST_F(OdbcConnectionTest, ReadRowsStreamsWhatTheRecordSetHolds) {
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, NULL, 'Niño ñandú')");
  const QString sql = "SELECT ZolmarID, Clave, Nombre FROM Arboles ORDER BY ZolmarID";
  const auto rs = arboles::recordsetOf(cn->ExecuteSQL(sql, 5));
  ASSERT_TRUE(rs);
  const bool read = cn->ReadRows(sql, [&](const arboles::IRowView& row) {
    EXPECT_TRUE(rs->Read());
    EXPECT_EQ(row.Int(0), rs->Field("ZolmarID").toInt());
    EXPECT_EQ(QString::fromUtf8(row.Utf8(1)), rs->Field("Clave").toString());
    EXPECT_EQ(QString::fromUtf8(row.Utf8(2)), rs->Field("Nombre").toString());
    return true;
  });
  EXPECT_TRUE(read) << cn->LastError().toStdString();
  EXPECT_EQ(rs->Position(), 3);
  EXPECT_FALSE(cn->ReadRows("SELECT 1 ; SELECT 2", [](const arboles::IRowView&) { return true; }));
}

TEST_F(OdbcConnectionTest, LiteralsWithApostrophesRoundTrip) {
  const QString odd = "D'Artagnan's 100% [vino]";
  cn->ExecuteSQL("UPDATE Arboles SET Nombre=" + cn->SQLLiteral(odd) + " WHERE Clave='01'");
  EXPECT_EQ(cn->ExecuteSQL("SELECT Nombre FROM Arboles WHERE Clave='01'", 2).toString(), odd);
}

TEST_F(OdbcConnectionTest, InsertGivesTheNewIdAndNothingWhenNoRowWasAdded) {
  const qlonglong id =
      cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '03', 'Vinos')", 9, 0)
          .toLongLong();
  EXPECT_EQ(id, cn->ExecuteSQL("SELECT ZolmarID FROM Arboles WHERE Clave='03'", 2).toLongLong());
  EXPECT_EQ(id, 3);
  EXPECT_EQ(cn->ExecuteSQL("INSERT INTO Arboles (Tipo) SELECT Tipo FROM Arboles WHERE Tipo=9", 9, -7).toInt(),
            -7);
}

TEST_F(OdbcConnectionTest, BadStatementSetsTheDriversErrorAndTheNextOneClearsIt) {
  EXPECT_EQ(cn->ExecuteSQL("SELECT Nada FROM NoExiste", 2, "def").toString(), "def");
  EXPECT_TRUE(cn->HasError());
  EXPECT_TRUE(cn->LastError().contains("NoExiste")) << cn->LastError().toStdString();
  EXPECT_EQ(count(), 2);
  EXPECT_FALSE(cn->HasError());
}

TEST_F(OdbcConnectionTest, BatchRunsInOrderAndIsAllOrNothing) {
  EXPECT_EQ(cn->ExecuteSQL("UPDATE Arboles SET Tipo=7 WHERE Clave='01' ; "
                           "SELECT Nombre FROM Arboles WHERE Tipo=7",
                           2)
                .toString(),
            "Bebidas");
  cn->ExecuteSQL("DELETE FROM Arboles WHERE Clave='01' ; INSERT INTO Nada VALUES (1)");
  EXPECT_TRUE(cn->HasError());
  EXPECT_EQ(count(), 2);  // the DELETE went back with the failed INSERT
  cn->ExecuteSQL(
      "INSERT INTO Arboles (Clave, Nombre) VALUES ('09', 'a;b') ; DELETE FROM Arboles WHERE Clave='01'");
  EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  EXPECT_EQ(cn->ExecuteSQL("SELECT Nombre FROM Arboles WHERE Clave='09'", 2).toString(), "a;b");
}

TEST_F(OdbcConnectionTest, NamedTransactionsNestAndRollBack) {
  cn->BeginTrans("Externa");
  cn->ExecuteSQL("DELETE FROM Arboles WHERE Clave='01'");
  cn->BeginTrans("Interna");
  cn->ExecuteSQL("DELETE FROM Arboles WHERE Clave='02'");
  EXPECT_EQ(count(), 0);
  cn->RollbackTrans("Interna");
  EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  EXPECT_EQ(count(), 1);
  EXPECT_EQ(cn->transactionDepth(), 1);
  cn->RollbackTrans("Externa");
  EXPECT_EQ(count(), 2);

  cn->BeginTrans("Guardar");
  cn->ExecuteSQL("DELETE FROM Arboles WHERE Clave='01'");
  cn->CommitTrans("Guardar");
  EXPECT_EQ(cn->transactionDepth(), 0);
  cn->RollbackTrans("Guardar");
  EXPECT_TRUE(cn->HasError());
  EXPECT_EQ(count(), 1);
}

TEST_F(OdbcConnectionTest, CommittedWorkIsSeenByAnotherConnectionAndAtomicWorkFailsWhole) {
  cn->BeginTrans("Alta");
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '05', 'Cafés')");
  cn->CommitTrans("Alta");
  QString error;
  auto other = Connection::open(connectionString(), &error);
  ASSERT_TRUE(other) << error.toStdString();
  EXPECT_EQ(other->ExecuteSQL("SELECT Nombre FROM Arboles WHERE Clave='05'", 2).toString(), "Cafés");
  other.reset();

  const bool done = cn->atomically(
      [&] {
        cn->executeNative("DELETE FROM Arboles WHERE Clave=?1 OR Clave=?2", 0, {}, {"01", "05"});
        return false;
      },
      &error);
  EXPECT_FALSE(done);
  EXPECT_EQ(count(), 3);
}

// A person's query on a server: one SELECT, anything else refused, and no
// transaction of its own left open.
TEST_F(OdbcConnectionTest, AQueryReadsAndWritesAreRefused) {
  const auto rs = cn->QueryReadOnly("SELECT Nombre FROM Arboles WHERE Tipo=3 ORDER BY Clave");
  ASSERT_TRUE(rs) << cn->LastError().toStdString();
  EXPECT_EQ(rs->RecordCount(), 2);
  for (const char* sql : {"DELETE FROM Arboles", "SELECT 1 ; DELETE FROM Arboles", "DROP TABLE Arboles"}) {
    EXPECT_FALSE(cn->QueryReadOnly(sql)) << sql;
    EXPECT_TRUE(cn->LastError().startsWith("Solo se puede ejecutar una consulta")) << sql;
  }
  EXPECT_EQ(count(), 2);
  EXPECT_EQ(cn->transactionDepth(), 0);
  // Nothing of it is left pending: a transaction of the program still commits alone.
  cn->BeginTrans("Alta");
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '03', 'Frutas')");
  cn->CommitTrans("Alta");
  EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  EXPECT_EQ(count(), 3);
}

TEST(OdbcOpenTest, RefusalsNameTheProblemWithoutThePassword) {
  QString error;
  EXPECT_FALSE(Connection::open("odbc:DRIVER=/no/such/driver.so;PWD=secreto", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(Connection::displayName("odbc:DRIVER=FreeTDS;UID=sa;PWD=secreto;DATABASE=E"),
            "odbc:DRIVER=FreeTDS;UID=sa;PWD=***;DATABASE=E");
}

TEST(OdbcBatchTest, SplitsOnSemicolonsOutsideQuotesAndNumbersValues) {
  EXPECT_EQ(OdbcBatch::split("A ; B 'x;y' ; [c;d] ; ; -- e;f\nC"),
            QStringList({"A", "B 'x;y'", "[c;d]", "-- e;f\nC"}));
  QString text;
  QVariantList values;
  ASSERT_TRUE(OdbcBatch::positional("WHERE a=?2 AND b='?1' AND c=?1", {1, 2}, &text, &values));
  EXPECT_EQ(text, "WHERE a=? AND b='?1' AND c=?");
  EXPECT_EQ(values, QVariantList({2, 1}));
  EXPECT_FALSE(OdbcBatch::positional("a=?3", {1}, &text, &values));
}

}  // namespace
}  // namespace zolmar
