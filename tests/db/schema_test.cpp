#include <QHash>
#include <QTemporaryDir>

#include "db_fixture.h"
#include "host/i_recordset.h"
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

}  // namespace
}  // namespace zolmar
