// Refusals, the shape cache, and the Spanish collation and LIKE semantics.

#include <QElapsedTimer>

#include "tsql_fixture.h"
#include "zolmar/db/tsql/tsql_collation.h"

namespace zolmar {
namespace {

struct RefusalCase {
  const char* tsql;
  const char* error;  // expected start of the message
};

class TSqlRefusalTest : public TSqlFixture, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(TSqlRefusalTest, RefusesWithAClearMessageAndNoText) {
  const TSqlTranslation t = translator->translate(QString::fromUtf8(GetParam().tsql));
  EXPECT_FALSE(t.ok());
  EXPECT_TRUE(t.error.startsWith(QString::fromUtf8(GetParam().error))) << t.error.toStdString();
  EXPECT_TRUE(t.sql.isEmpty());
  EXPECT_TRUE(t.literals.isEmpty());
}

const RefusalCase kRefusals[] = {
    {"SELECT FROM Arboles", "Sintaxis no admitida cerca de 'FROM'"},
    {"SELECT Nombre FROM Arboles WHERE", "Sintaxis no admitida cerca de el final de la instrucción"},
    {"SELECT Nombre FROM Arboles WHERE Clave = 'abc", "Literal de texto sin cerrar"},
    {"SELECT SOUNDEX(Nombre) FROM Arboles", "Función no admitida 'SOUNDEX'"},
    {"SELECT LEFT(Nombre) FROM Arboles", "Número de argumentos incorrecto en 'LEFT'"},
    {"SELECT @x", "Sintaxis no admitida cerca de '@x'"},
    {"EXEC sp_who", "Sintaxis no admitida cerca de 'EXEC'"},
    {"UPDATE Arboles SET Nombre='x' FROM Arboles", "Sintaxis no admitida cerca de 'FROM'"},
    {"SELECT TOP 10 PERCENT Nombre FROM Arboles", "Sintaxis no admitida cerca de 'PERCENT'"},
    {"SELECT Nombre FROM Arboles WHERE Nombre LIKE 'a' ORDER", "Sintaxis no admitida cerca de el final"},
    {"INSERT INTO Categorias (Tipo, ID_Quien) VALUES (1)", "El número de valores no coincide"},
    {"SELECT * FROM (SELECT 1)", "Sintaxis no admitida cerca de el final de la instrucción (una subconsulta"},
    {"SELECT Nombre FROM Arboles; DROP TABLE Arboles", "Se esperaba una sola instrucción"},
};

INSTANTIATE_TEST_SUITE_P(Translator, TSqlRefusalTest, ::testing::ValuesIn(kRefusals));

TEST_F(TSqlFixture, BatchSplitsOnSemicolonsOutsideLiteralsAndSkipsEmptyStatements) {
  const auto all = translator->translateBatch(
      "UPDATE Arboles SET Nombre='a;b' WHERE ZolmarID=1 ; DELETE FROM Tarifas WHERE ID_Categoria=7 ; ");
  ASSERT_EQ(all.size(), 2);
  EXPECT_TRUE(all[0].ok() && all[1].ok());
  EXPECT_EQ(all[0].literals.first().toString(), "a;b");
  EXPECT_TRUE(all[1].sql.startsWith("DELETE FROM"));
}

TEST_F(TSqlFixture, StatementsThatDifferOnlyInLiteralsShareOneShape) {
  for (int i = 0; i < 50; ++i) {
    const TSqlTranslation t = translator->translate(
        QStringLiteral("UPDATE arboles SET clave='%1' WHERE zolmarID= %2").arg(i, 16, 10, QChar('0')).arg(i));
    ASSERT_TRUE(t.ok());
    ASSERT_EQ(t.literals.size(), 2);
    EXPECT_EQ(t.literals[1].toLongLong(), i);
  }
  EXPECT_EQ(translator->cachedShapes(), 1);
  translator->translate("SELECT Nombre FROM Arboles WHERE ZolmarID=1");
  EXPECT_EQ(translator->cachedShapes(), 2);
}

TEST_F(TSqlFixture, OrderByPositionStaysPositionalAcrossCachedShapes) {
  EXPECT_EQ(run("SELECT ZolmarID, Nombre FROM Arboles WHERE Tipo=1 ORDER BY 2 DESC"),
            "11|Minoristas;10|Mayoristas");
  EXPECT_EQ(run("SELECT ZolmarID, Nombre FROM Arboles WHERE Tipo=1 ORDER BY 1 DESC"),
            "11|Minoristas;10|Mayoristas");
  EXPECT_EQ(run("SELECT Nombre, ZolmarID FROM Arboles WHERE Tipo=1 ORDER BY 2 ASC"),
            "Mayoristas|10;Minoristas|11");
}

TEST_F(TSqlFixture, TranslationOfACachedShapeIsCheap) {
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < 100000; ++i)
    translator->translate(
        QStringLiteral("UPDATE arboles SET clave='0101000000000000' WHERE zolmarID= %1").arg(i));
  EXPECT_LT(timer.elapsed(), 3000) << "100,000 cached translations took " << timer.elapsed() << " ms";
}

TEST_F(TSqlFixture, QuotesBracketsAndPercentInsideLiteralsAreData) {
  exec("INSERT INTO Nombres VALUES (10, 'O''Brien', '[50%] _x_')");
  EXPECT_EQ(run("SELECT ZolmarID FROM Nombres WHERE Nombre='O''Brien' AND ZolmarID=10"), "10");
  EXPECT_EQ(run("SELECT ZolmarID FROM Nombres WHERE Apellidos='[50%] _x_'"), "10");
  EXPECT_EQ(run("SELECT ZolmarID FROM Nombres WHERE Apellidos LIKE '[[]50[%]]%'"), "10");
  EXPECT_EQ(run("SELECT ZolmarID FROM Nombres WHERE Apellidos LIKE '%![50!%]%' ESCAPE '!'"), "10");
  EXPECT_EQ(run("SELECT 'a;b', '--no comment', '/*x*/'"), "a;b|--no comment|/*x*/");
}

TEST_F(TSqlFixture, NamesAndKeywordsAreCaseInsensitiveAndBracketedNamesQuoted) {
  EXPECT_EQ(run("select [Nombre] AS [Categoría del Nivel Superior] from ARBOLES where [ZOLMARID]=5"),
            "Alimentación");
  EXPECT_EQ(run("SELECT a.nombre FROM dbo.Arboles a WHERE A.ZolmarID=7"), "nata");
  QString error;
  run("SELECT \"NoSuchColumn\" FROM Arboles", &error);
  EXPECT_FALSE(error.isEmpty()) << "a misspelt quoted name must fail, not become text";
}

TEST_F(TSqlFixture, CrossDatabaseNamesAreListedForAttaching) {
  const TSqlTranslation t = translator->translate("SELECT Codigo FROM ZolmarInstalacion..IBIC");
  EXPECT_EQ(t.databases, QStringList{"ZolmarInstalacion"});
  translator->setCurrentDatabase("Empresa");
  const TSqlTranslation own = translator->translate("SELECT comentario FROM Empresa..comentarios");
  EXPECT_TRUE(own.databases.isEmpty());
  EXPECT_EQ(own.sql, "SELECT \"comentario\" FROM \"comentarios\"");
}

struct CollationCase {
  const char* a;
  const char* b;
  int order;  // sign of compare(a, b)
};

class TSqlCollationTest : public ::testing::TestWithParam<CollationCase> {};

TEST_P(TSqlCollationTest, ComparesTheSpanishWay) {
  const QByteArray a(GetParam().a), b(GetParam().b);
  const int c = TSqlCollation::compare(a.constData(), a.size(), b.constData(), b.size());
  EXPECT_EQ((c > 0) - (c < 0), GetParam().order) << GetParam().a << " vs " << GetParam().b;
}

const CollationCase kCollation[] = {
    {"Vinos", "vinos", 0}, {"Vinos ", "Vinos", 0}, {"Vinos", "Viños", -1}, {"nata", "Ñoquis", -1},
    {"Ñoquis", "oca", -1}, {"ñ", "Ñ", 0},          {"Álava", "alava", 1},  {"Álava", "Alba", -1},
    {"cafe", "café", -1},  {"café", "cafez", -1},  {"10", "9", -1},        {"a", "", 1},
    {"", "   ", 0},        {"Zorro", "árbol", 1},  {"ÁRBOL", "árbol", 0},  {"abc", "abd", -1},
};

INSTANTIATE_TEST_SUITE_P(EsCiAs, TSqlCollationTest, ::testing::ValuesIn(kCollation));

TEST_F(TSqlFixture, OrderByNameFollowsTheSpanishAlphabet) {
  exec(
      "INSERT INTO Nombres VALUES (20, 'Oca', ''), (21, 'nube', ''), (22, 'ñu', ''), (23, 'Ábaco', ''),"
      "(24, 'abeja', ''), (25, 'Zorro', '')");
  EXPECT_EQ(run("SELECT Nombre FROM Nombres WHERE ZolmarID>=20 ORDER BY Nombre"),
            "Ábaco;abeja;nube;ñu;Oca;Zorro");
}

struct LikeCase {
  const char* text;
  const char* pattern;
  const char* matches;  // "1", "0" or "NULL"
};

class TSqlLikeTest : public TSqlFixture, public ::testing::WithParamInterface<LikeCase> {};

TEST_P(TSqlLikeTest, MatchesAsTheServerDoes) {
  QString error;
  const QString sql = QStringLiteral("SELECT CASE WHEN %1 LIKE %2 THEN 1 WHEN NOT (%1 LIKE %2) THEN 0 END")
                          .arg(QString::fromUtf8(GetParam().text), QString::fromUtf8(GetParam().pattern));
  EXPECT_EQ(run(sql, &error).toStdString(), GetParam().matches)
      << GetParam().text << " LIKE " << GetParam().pattern;
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
}

const LikeCase kLike[] = {
    {"'Vinos'", "'vin%'", "1"},
    {"'VIÑA'", "'viña'", "1"},
    {"'Viña'", "'Vina'", "0"},
    {"'Café'", "'CAFÉ'", "1"},
    {"'Café'", "'cafe'", "0"},
    {"'abc'", "'a_c'", "1"},
    {"'abc'", "'a_'", "0"},
    {"'b1'", "'[abc]1'", "1"},
    {"'d1'", "'[abc]1'", "0"},
    {"'m'", "'[a-z]'", "1"},
    {"'M'", "'[a-z]'", "1"},
    {"'5'", "'[a-z]'", "0"},
    {"'ñ'", "'[a-z]'", "1"},
    {"'Á'", "'[a-c]'", "1"},
    {"'ñ'", "'[a-n]'", "0"},
    {"'x'", "'[^x]'", "0"},
    {"'y'", "'[^x]'", "1"},
    {"'abc  '", "'abc'", "1"},
    {"'abc'", "'abc '", "0"},
    {"'abc '", "'abc '", "1"},
    {"'Zolmar_Cons#1'", "'Zolmar_Cons#%'", "1"},
    {"'Zolmar_Consola'", "'Zolmar_Cons#%'", "0"},
    {"NULL", "'%'", "NULL"},
    {"''", "'%'", "1"},
    {"'0101000000000000'", "'0101%'", "1"},
    {"'0102000000000000'", "'0101%'", "0"},
    {"'a%b'", "'a[%]b'", "1"},
};

INSTANTIATE_TEST_SUITE_P(TSql, TSqlLikeTest, ::testing::ValuesIn(kLike));

TEST_F(TSqlFixture, PlusDecidesOnValuesWhenTypesAreUnknown) {
  // Expressions of a derived table carry no declared type: the decision is made per value.
  EXPECT_EQ(run("SELECT t.a + t.b, t.n + t.m FROM (SELECT Nombre AS a, Clave AS b, ZolmarID AS n, 1 AS m "
                "FROM (SELECT * FROM Arboles) x WHERE ZolmarID=2) t"),
            "Vinos0101000000000000|3");
  EXPECT_EQ(run("SELECT '1' + 1"), "2");
  QString error;
  run("SELECT x.v + 1 FROM (SELECT Nombre AS v FROM (SELECT * FROM Arboles) y WHERE ZolmarID=1) x", &error);
  EXPECT_TRUE(error.contains("Bebidas")) << error.toStdString();
}

TEST_F(TSqlFixture, SubArbolesGivesTheKeyPatternOfANode) {
  EXPECT_EQ(run("SELECT DBO.SubArboles(3), DBO.SubArboles(8), DBO.SubArboles(999)"), "010101%|03%|NULL");
}

}  // namespace
}  // namespace zolmar

namespace zolmar {
namespace {

struct CastCase {
  const char* expression;
  const char* value;  // as the server shows it; "" with refused for a refusal
  bool refused = false;
};

class TSqlCastTest : public TSqlFixture, public ::testing::WithParamInterface<CastCase> {};

TEST_P(TSqlCastTest, ConvertsAsTheServerDoes) {
  QString error;
  const QString result = run(QStringLiteral("SELECT ") + QString::fromUtf8(GetParam().expression), &error);
  EXPECT_EQ(!error.isEmpty(), GetParam().refused) << error.toStdString();
  EXPECT_EQ(result.toStdString(), GetParam().value) << GetParam().expression;
}

const CastCase kCasts[] = {
    {"RIGHT('000' + CAST(7 AS VARCHAR), 3)", "007"},
    {"CAST(ZolmarID AS VARCHAR(10)) + ':' FROM Arboles WHERE ZolmarID=12", "12:"},
    {"CAST('abcdef' AS VARCHAR(3)), CAST('abcdef' AS VARCHAR(4))", "abc|abcd"},
    {"CAST('abcdef' AS NVARCHAR(MAX))", "abcdef"},
    {"'[' + CAST('ab' AS CHAR(4)) + ']'", "[ab  ]"},
    {"CONVERT(INT, '42') + 1, CAST(7.9 AS INT), CAST(-7.9 AS BIGINT)", "43|7|-7"},
    {"CAST(2.345 AS DECIMAL(10,2)), CONVERT(NUMERIC(10,1), 2.25 * 2)", "2.35|4.5"},
    {"CONVERT(VARCHAR(10), GETDATE(), 103)", "", true},
    {"CAST(1 AS UNIQUEIDENTIFIER)", "", true},
};

INSTANTIATE_TEST_SUITE_P(Conversions, TSqlCastTest, ::testing::ValuesIn(kCasts));

}  // namespace
}  // namespace zolmar

namespace zolmar {
namespace {

// The text written for PostgreSQL: names as the server folds them, the rows'
// column names as written, $n values, the other databases as schemas, NULLs first.
TEST(TSqlPgTextTest, WritesTheServersDialect) {
  const struct Case {
    const char* tsql;
    const char* sql;
  } cases[] = {
      {"SELECT TOP 1 Nombre AS [Categoría] FROM Arboles WHERE (Activo & 2)=0 ORDER BY Clave DESC",
       "SELECT \"nombre\" AS \"Categoría\" FROM \"arboles\" WHERE ((\"activo\" & $2) = $3) "
       "ORDER BY \"clave\" DESC NULLS LAST LIMIT $1"},
      {"SELECT Codigo FROM ZolmarInstalacion..IBIC",
       "SELECT \"codigo\" AS \"Codigo\" FROM \"ZolmarInstalacion\".\"ibic\""},
      {"SELECT Name FROM Master..SysDatabases WHERE Name LIKE 'Z%'",
       "SELECT \"name\" AS \"Name\" FROM tsql.sysdatabases WHERE (tsql.\"like\"(\"name\", $1))"},
      {"SELECT t.Orden FROM (SELECT Nombre AS Orden FROM Arboles) t ORDER BY t.Orden",
       "SELECT \"t\".\"orden\" AS \"Orden\" FROM (SELECT \"nombre\" AS \"orden\" FROM \"arboles\") AS \"t\" "
       "ORDER BY \"t\".\"orden\" NULLS FIRST"},
      {"SELECT 'a' + 'b', Activo ^ 2, ISNULL(Clave, ''), LEFT(Clave, 2) FROM Arboles",
       "SELECT CAST(($1 || $2) AS text) COLLATE tsql.es_ci_as, (\"activo\" # $3), coalesce(\"clave\", $4), "
       "CAST(left(CAST(\"clave\" AS text), ($5)::int) AS text) COLLATE tsql.es_ci_as FROM \"arboles\""},
      {"SELECT ZolmarID FROM Arboles WHERE 'x' = 'X '",
       "SELECT \"zolmarid\" AS \"ZolmarID\" FROM \"arboles\" WHERE (rtrim($1, ' ') COLLATE tsql.es_ci_as = "
       "rtrim($2, ' '))"},
      {"SELECT TOP 1 ZolmarID FROM Clientes UNION ALL SELECT ZolmarID FROM Proveedores",
       "(SELECT \"zolmarid\" AS \"ZolmarID\" FROM \"clientes\" LIMIT $1) UNION ALL SELECT \"zolmarid\" AS "
       "\"ZolmarID\" FROM \"proveedores\""},
      {"SELECT CAST(Clave AS INT), CAST(1.5 AS DECIMAL(10,2)) FROM Arboles",
       "SELECT CAST(trunc(CAST(\"clave\" AS numeric)) AS integer), CAST($1 AS numeric(10, 2)) FROM "
       "\"arboles\""},
      {"INSERT INTO Arboles (Tipo, Nombre) VALUES (3, DBO.SubArboles(7))",
       "INSERT INTO \"arboles\" (\"tipo\", \"nombre\") VALUES ($1, subarboles(($2)::int))"},
  };
  TSqlTranslator translator(nullptr, TSqlDialect::postgres());
  for (const Case& c : cases) {
    const TSqlTranslation t = translator.translate(QString::fromUtf8(c.tsql));
    EXPECT_TRUE(t.ok()) << t.error.toStdString();
    EXPECT_EQ(t.sql.toStdString(), c.sql);
  }
}

}  // namespace
}  // namespace zolmar
