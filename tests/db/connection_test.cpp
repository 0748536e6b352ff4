#include <QFile>

#include "db_fixture.h"
#include "host/host_types.h"
#include "host/i_recordset.h"

namespace zolmar {
namespace {

using testing::openMemory;

class ConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cn = openMemory();
    cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '0100000000000000', 'Bebidas')");
    cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '0200000000000000', 'Droguería')");
    ASSERT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  }
  qint32 count(const QString& where = "1=1") {
    return cn->ExecuteSQL("SELECT COUNT(*) FROM Arboles WHERE " + where, 2, -1).toInt();
  }
  std::shared_ptr<Connection> cn;
};

TEST_F(ConnectionTest, ModesGiveValuesOrTheirDefaults) {
  struct Case {
    const char* sql;
    qint32 mode;
    QVariant def;
    QVariant expected;
  } cases[] = {
      {"SELECT Nombre FROM Arboles WHERE Clave='0100000000000000'", 2, "x", "Bebidas"},
      {"SELECT Nombre FROM Arboles WHERE Tipo=9", 2, "x", "x"},
      {"SELECT MAX(Clave) FROM Arboles WHERE Tipo=9", 2, "00", "00"},  // NULL gives the default
      {"SELECT Nombre FROM Arboles WHERE Tipo=9", 4, "vacío", "vacío"},
      {"SELECT Nombre FROM Arboles WHERE Tipo=9", 9, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cn->ExecuteSQL(c.sql, c.mode, c.def), c.expected) << c.sql;
    EXPECT_FALSE(cn->HasError()) << c.sql;
  }
  const QVariant array = cn->ExecuteSQL("SELECT ZolmarID, Nombre FROM Arboles ORDER BY Clave", 4);
  ASSERT_TRUE(arboles::isSqlArray(array));
  const auto a = array.value<arboles::SqlArray>();
  EXPECT_EQ(a.columns, 2);
  EXPECT_EQ(a.rows, 2);
  EXPECT_EQ(a.at(1, 1).toString(), "Droguería");
  const QVariant id = cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Nombre) VALUES (1, 'Hoteles')", 9, 0);
  EXPECT_EQ(id.toInt(), cn->ExecuteSQL("SELECT MAX(ZolmarID) FROM Arboles", 2).toInt());
}

TEST_F(ConnectionTest, RecordSetModesAndWritableRows) {
  for (qint32 mode : {5, 6, 7}) {
    auto rs =
        arboles::recordsetOf(cn->ExecuteSQL("SELECT ZolmarID, Nombre FROM Arboles ORDER BY Clave", mode));
    ASSERT_TRUE(rs) << mode;
    EXPECT_EQ(rs->RecordCount(), 2);
    ASSERT_TRUE(rs->Read());
    rs->SetField("nombre", "Cambiado");
    EXPECT_EQ(rs->Field("NOMBRE").toString(), mode == 7 ? "Cambiado" : "Bebidas") << mode;
  }
  auto empty = arboles::recordsetOf(cn->ExecuteSQL("SELECT * FROM Arboles WHERE Tipo=9", 6));
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->Eof());
  EXPECT_FALSE(empty->Read());
}

TEST_F(ConnectionTest, FailureSetsHasErrorAndTheNextSuccessClearsIt) {
  const char* bad[] = {"SELEC Nombre FROM Arboles", "SELECT * FROM TablaQueNoExiste",
                       "INSERT INTO Arboles (ColumnaQueNoExiste) VALUES (1)"};
  for (const char* sql : bad) {
    EXPECT_EQ(cn->ExecuteSQL(sql, 2, "def"), "def") << sql;
    EXPECT_TRUE(cn->HasError()) << sql;
    EXPECT_FALSE(cn->LastError().isEmpty());
  }
  EXPECT_TRUE(cn->LastError().contains("ColumnaQueNoExiste"));
  EXPECT_EQ(count(), 2);
  EXPECT_FALSE(cn->HasError());
  EXPECT_TRUE(cn->LastError().isEmpty());
}

TEST_F(ConnectionTest, BatchRunsEveryStatementOrNone) {
  cn->ExecuteSQL(
      "UPDATE Arboles SET Activo=2 WHERE Tipo=3 ; INSERT INTO Arboles (Tipo, Nombre) VALUES (1, 'A')");
  EXPECT_FALSE(cn->HasError());
  EXPECT_EQ(count("Activo=2"), 2);
  EXPECT_EQ(count("Tipo=1"), 1);
  cn->ExecuteSQL("UPDATE Arboles SET Activo=0 ; UPDATE NoExiste SET x=1");
  EXPECT_TRUE(cn->HasError());
  EXPECT_EQ(count("Activo=2"), 2) << "the first statement of a failed batch must not stay";
}

TEST_F(ConnectionTest, NamedTransactionsNestAndRollBack) {
  cn->BeginTrans("Unir Arbol");
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Nombre) VALUES (1, 'exterior')");
  cn->BeginTrans("GuardarCategorias");
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Nombre) VALUES (1, 'interior')");
  EXPECT_EQ(cn->transactionDepth(), 2);
  cn->RollbackTrans("GuardarCategorias");
  EXPECT_FALSE(cn->HasError());
  EXPECT_EQ(count("Tipo=1"), 1);
  cn->BeginTrans("GuardarCategorias");
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Nombre) VALUES (1, 'otra')");
  cn->CommitTrans("GuardarCategorias");
  EXPECT_EQ(count("Tipo=1"), 2);
  cn->RollbackTrans("Unir Arbol");
  EXPECT_EQ(cn->transactionDepth(), 0);
  EXPECT_EQ(count("Tipo=1"), 0) << "rolling back the outermost leaves nothing";

  cn->BeginTrans("BorrandoArboles");
  cn->ExecuteSQL("DELETE FROM Arboles");
  cn->CommitTrans("BorrandoArboles", 0);
  EXPECT_EQ(count(), 0);
  cn->CommitTrans("NoAbierta");
  EXPECT_TRUE(cn->HasError());
}

TEST_F(ConnectionTest, SqlLiteralsSurviveARoundTrip) {
  const QVariant values[] = {QString("O'Donnell"),
                             QString("''"),
                             QString("a;b ; c"),
                             QString("Viños [%_]"),
                             QString(""),
                             42,
                             -7,
                             3.25};
  for (const QVariant& v : values) {
    const QVariant back = cn->ExecuteSQL("SELECT " + cn->SQLLiteral(v), 2);
    EXPECT_FALSE(cn->HasError()) << cn->SQLLiteral(v).toStdString();
    EXPECT_EQ(back.toString(), v.toString());
  }
  EXPECT_EQ(cn->SQLLiteral("O'Donnell"), "'O''Donnell'");
  EXPECT_EQ(cn->SQLLiteral(12), "12");
  EXPECT_EQ(cn->SQLLiteral(QVariant()), "NULL");
}

TEST_F(ConnectionTest, ConditionsFromTypedText) {
  struct Case {
    const char* typed;
    qint32 kind;
    const char* expected;
  } cases[] = {
      {"vin", 0, " AND Nombre LIKE 'vin%'"},
      {"*vin", 0, " AND Nombre LIKE '%vin%'"},
      {"vi*to", 0, " AND Nombre LIKE 'vi%to%'"},
      {"50%", 0, " AND Nombre LIKE '50[%]%'"},
      {"a_b[c", 0, " AND Nombre LIKE 'a[_]b[[]c%'"},
      {"O'D", 0, " AND Nombre LIKE 'O''D%'"},
      {"  ", 0, ""},
      {"12", 3, " AND Nombre=12"},
      {"0", 3, ""},
      {"", 3, ""},
      {"1,5-9", 7, " AND (Nombre IN (1) OR Nombre BETWEEN 5 AND 9)"},
      {"3, 4", 7, " AND (Nombre IN (3, 4))"},
  };
  for (const auto& c : cases) EXPECT_EQ(cn->BuildCondition(c.typed, "Nombre", c.kind), c.expected) << c.typed;
  EXPECT_EQ(cn->NameSearchWhere("beb", "Nombre"), "WHERE Nombre LIKE 'beb%'");
}

TEST_F(ConnectionTest, RecorderSeesTheStatementsAsSent) {
  QStringList seen;
  cn->setStatementRecorder([&](const QString& sql, qint32) { seen << sql; });
  cn->ExecuteSQL("SELECT 1", 2);
  cn->ExecuteSQL("DELETE FROM Arboles WHERE ZolmarID=1");
  EXPECT_EQ(seen, QStringList({"SELECT 1", "DELETE FROM Arboles WHERE ZolmarID=1"}));
}

TEST(ConnectionOpen, RefusesWhatIsNotADatabase) {
  QTemporaryDir dir;
  const QString path = dir.filePath("texto.db");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, 'x'));
  file.close();
  QString error;
  EXPECT_FALSE(Connection::open(path, &error));
  EXPECT_TRUE(error.contains("no es una base de datos")) << error.toStdString();
  EXPECT_FALSE(Connection::open("odbc:DRIVER=FreeTDS;SERVER=x", &error));
  EXPECT_TRUE(error.contains("ODBC"));
}

TEST(ConnectionOpen, ServerDatabasesAreReachable) {
  QTemporaryDir dir;
  auto cn = testing::openFile(dir);
  QString error;
  ASSERT_TRUE(Schema::createServerDatabases(dir.path(), &error)) << error.toStdString();
  auto consultant = cn->openDatabase("zolmar_cons#1", &error);
  ASSERT_TRUE(consultant) << error.toStdString();
  EXPECT_GT(consultant->ExecuteSQL("SELECT COUNT(*) FROM Arboles WHERE Tipo=3", 2).toInt(), 10);
  EXPECT_FALSE(cn->openDatabase("NoExiste", &error));
  EXPECT_EQ(cn->databaseName(), "empresa");
}

// A person's query reads, other databases of the server included, and leaves
// the connection able to write, whether it ran, was refused or failed.
TEST(ConnectionReadOnly, AQueryReadsAndLeavesTheConnectionWritable) {
  QTemporaryDir dir;
  auto cn = testing::openFile(dir);
  QString error;
  ASSERT_TRUE(Schema::createServerDatabases(dir.path(), &error)) << error.toStdString();
  QStringList recorded;
  cn->setStatementRecorder([&](const QString& sql, qint32 mode) { recorded << QString::number(mode) + sql; });
  const auto subjects = cn->QueryReadOnly("SELECT COUNT(*) AS n FROM ZolmarInstalacion..IBIC");
  ASSERT_TRUE(subjects) << cn->LastError().toStdString();
  EXPECT_EQ(recorded, QStringList{"5SELECT COUNT(*) AS n FROM ZolmarInstalacion..IBIC"});
  cn->BeginTrans("Fuera");
  const struct {
    const char* sql;
    qint32 rows;  // -1: refused or failed
  } cases[] = {
      {"UPDATE Arboles SET Nombre='x'", -1},
      {"SELECT RIGHT(Nombre, -1) FROM ZolmarPermisos", -1},  // fails while it runs
      {"SELECT Ventana FROM ZolmarPermisos", 1},
  };
  for (const auto& c : cases) {
    const auto rs = cn->QueryReadOnly(c.sql);
    EXPECT_EQ(rs ? rs->RecordCount() : -1, c.rows) << c.sql;
    EXPECT_EQ(cn->HasError(), c.rows < 0) << c.sql;
    EXPECT_GT(cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Nombre) VALUES (3, 'Sigue')", 9, 0).toInt(), 0)
        << c.sql << cn->LastError().toStdString();
  }
  cn->CommitTrans("Fuera");
  EXPECT_EQ(cn->ExecuteSQL("SELECT COUNT(*) FROM Arboles WHERE Nombre='Sigue'", 2).toInt(), 3);
}

}  // namespace
}  // namespace zolmar
