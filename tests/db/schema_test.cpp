#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "db_fixture.h"
#include "host/i_recordset.h"
#include "zolmar/db/schema/schema_ddl.h"
#include "zolmar/demo/sample_data.h"

namespace zolmar {
namespace {

TEST(SchemaTest, SampleTreesAreSound) {
  auto cn = testing::openMemory();
  QString error;
  ASSERT_TRUE(SampleData::fill(*cn, &error)) << error.toStdString();
  auto rs = arboles::recordsetOf(cn->ExecuteSQL(
      "SELECT ZolmarID, Tipo, Clave, Nombre, RutaPadre, id_padre FROM Arboles ORDER BY Tipo, Clave", 6));
  ASSERT_TRUE(rs);
  struct Node {
    qint32 tipo;
    QString clave, path;
  };
  QHash<qint32, Node> nodes;
  QHash<qint32, int> perTree;
  while (rs->Read()) {
    const qint32 id = rs->Field("ZolmarID").toInt();
    const qint32 parent = rs->Field("id_padre").toInt();
    const QString clave = rs->Field("Clave").toString();
    const QString used = clave.left(clave.indexOf("00") < 0 ? 16 : clave.indexOf("00"));
    ++perTree[rs->Field("Tipo").toInt()];
    ASSERT_EQ(clave.size(), 16);
    if (parent == 0) {
      EXPECT_EQ(used.size(), 2) << clave.toStdString();
      EXPECT_EQ(rs->Field("RutaPadre").toString(), "");
    } else {
      ASSERT_TRUE(nodes.contains(parent)) << "parents come before children in key order";
      const Node& p = nodes[parent];
      EXPECT_EQ(p.tipo, rs->Field("Tipo").toInt());
      EXPECT_TRUE(clave.startsWith(p.clave)) << clave.toStdString();
      EXPECT_EQ(used.size(), p.clave.size() + 2);
      EXPECT_EQ(rs->Field("RutaPadre").toString(), p.path);
    }
    nodes.insert(id, {rs->Field("Tipo").toInt(), used,
                      rs->Field("RutaPadre").toString() + rs->Field("Nombre").toString() + ":"});
  }
  for (qint32 tipo : {1, 2, 3}) EXPECT_GE(perTree[tipo], 10) << tipo;
  const struct {
    const char* sql;
    QVariant expected;
  } checks[] = {
      {"SELECT RutaPadre FROM Arboles WHERE Nombre='Tintos'", "Bebidas:Vinos:"},
      {"SELECT Opciones FROM Arboles WHERE Nombre='Cotalia' AND Tipo=3 AND id_padre=0", 1},
      {"SELECT Valor FROM ZolmarConfig WHERE Clave='CFG_EMPRESA:NOMBRE'", SampleData::kCompanyName},
      {"SELECT COUNT(*) FROM Clientes WHERE ID_Grupo=0", 0},
      {"SELECT COUNT(*) FROM Articulos WHERE ID_Categoria1=0", 0},
      {"SELECT COUNT(*) FROM Arboles WHERE Nombre='BEBIDAS ' AND Tipo=3",
       1},  // the collation of text columns
  };
  for (const auto& c : checks) EXPECT_EQ(cn->ExecuteSQL(c.sql, 2).toString(), c.expected.toString()) << c.sql;
  EXPECT_GT(cn->ExecuteSQL("SELECT COUNT(*) FROM Categorias", 2).toInt(), 10);
  EXPECT_GT(cn->ExecuteSQL("SELECT COUNT(*) FROM Tarifas", 2).toInt(), 0);
}

TEST(SchemaTest, CreateIsRepeatableAndDefaultsLikeTheServer) {
  auto cn = testing::openMemory();
  QString error;
  EXPECT_TRUE(Schema::create(*cn, &error)) << error.toStdString();
  cn->ExecuteSQL("INSERT INTO Clientes (Codigo) VALUES ('C1')");
  const QVariant activo = cn->ExecuteSQL("SELECT Activo FROM Clientes", 2, "null");
  EXPECT_EQ(activo.toInt(), 0);
  EXPECT_EQ(cn->ExecuteSQL("SELECT ID_Grupo FROM Clientes", 2, "null").toInt(), 0);
  EXPECT_EQ(cn->ExecuteSQL("SELECT NIF FROM Nombres", 2, "none").toString(), "none");
  for (const QString& table : Schema::tables())
    EXPECT_TRUE(Schema::tableDdl(table).contains("ZolmarID INTEGER PRIMARY KEY AUTOINCREMENT"));
}

// Found by the reliability suite: every open took the write lock to create
// what was there, so no program could even read while another one wrote.
TEST(SchemaTest, ACompleteSchemaOpensWhileAnotherProgramWrites) {
  for (const bool completo : {true, false}) {
    SCOPED_TRACE(completo);
    QTemporaryDir dir;
    const QString fichero = dir.filePath("empresa.db");
    auto escritor = Connection::open(fichero, nullptr);
    ASSERT_TRUE(escritor);
    ASSERT_TRUE(Schema::create(*escritor, nullptr));
    if (!completo) escritor->executeNative("DROP INDEX IX_Tarifas_Categoria");
    escritor->executeNative("BEGIN IMMEDIATE");
    escritor->executeNative("INSERT INTO ZolmarConfig (Clave, Valor) VALUES ('x', 'y')");
    ASSERT_FALSE(escritor->HasError()) << escritor->LastError().toStdString();
    auto lector = Connection::open(fichero, nullptr);
    ASSERT_TRUE(lector);
    lector->setBusyTimeout(50);
    QString error;
    // What is missing still needs the write, and waits for it.
    EXPECT_EQ(Schema::create(*lector, &error), completo) << error.toStdString();
    escritor->executeNative("COMMIT");
    EXPECT_TRUE(Schema::create(*lector, &error)) << error.toStdString();
  }
}

// Each engine's script creates every table and index of the catalogue; on
// SQL Server every text column has its width (a bare NVARCHAR is one character).
TEST(SchemaTest, EveryDialectScriptsTheWholeCatalogue) {
  const struct Case {
    SchemaDdl::Dialect dialect;
    const char* clave;
    const char* subArboles;  // "" where the program registers it itself
  } cases[] = {
      {SchemaDdl::SQLite, "Clave TEXT COLLATE ES_CI_AS DEFAULT ''", ""},
      {SchemaDdl::PostgreSQL, "Clave VARCHAR(16) COLLATE tsql.es_ci_as DEFAULT ''",
       "FUNCTION SubArboles(id INTEGER)"},
      {SchemaDdl::SqlServer, "Clave NVARCHAR(16) DEFAULT ''", "CREATE FUNCTION dbo.SubArboles (@id INT)"},
  };
  static const QRegularExpression bareText("NVARCHAR(?!\\((\\d+|MAX)\\))|\\bVARCHAR(?!\\(\\d+\\))");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clave);
    const QString script = SchemaDdl(c.dialect).script(SchemaDdl::Company).join("\n");
    for (const TableSpec& table : TableCatalogue::company()) {
      EXPECT_TRUE(script.contains(QRegularExpression("CREATE TABLE.* (dbo\\.)?" + table.name + " \\(")))
          << table.name.toStdString();
      for (const IndexSpec& index : table.indexes) EXPECT_TRUE(script.contains(" " + index.name + " ON "));
    }
    EXPECT_TRUE(script.contains(c.clave));
    EXPECT_EQ(script.contains("SubArboles"), *c.subArboles != 0);
    EXPECT_TRUE(script.contains(c.subArboles));
    EXPECT_FALSE(script.contains(bareText)) << script.toStdString();
  }
}

// The administrator's script: one batch per statement, GO after each.
TEST(SchemaTest, TheCommandPrintsTheScriptOfAnEngine) {
  const QString programa = QCoreApplication::applicationDirPath() + "/../app/arboles";
  if (!QFileInfo(programa).isExecutable()) GTEST_SKIP() << "arboles not built";
  const struct Case {
    QStringList args;
    int salida;
    const char* contains;
  } cases[] = {
      {{"schema", "sqlserver"}, 0, "IF OBJECT_ID(N'dbo.Arboles', N'U') IS NULL CREATE TABLE dbo.Arboles"},
      {{"schema", "sqlserver"}, 0, "RETURN LEFT(@clave, @usados) + ''%''; END')\nGO\n"},
      {{"schema", "sqlserver", "instalacion"},
       0,
       "CREATE TABLE dbo.IBIC (ZolmarID INT IDENTITY(1,1) PRIMARY KEY"},
      {{"schema", "sqlite", "consultor"},
       0,
       "CREATE INDEX IF NOT EXISTS IX_Arboles_Padre ON Arboles (id_padre);\n"},
      {{"schema", "oracle"}, 2, ""},
      {{"schema", "postgresql", "otra"}, 2, ""},
  };
  for (const Case& c : cases) {
    QProcess p;
    p.start(programa, c.args);
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), c.salida) << c.args.join(' ').toStdString();
    EXPECT_TRUE(out.contains(c.contains)) << out.toStdString();
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(err.startsWith("uso: arboles schema"), c.salida != 0) << err.toStdString();
  }
}

}  // namespace
}  // namespace zolmar
