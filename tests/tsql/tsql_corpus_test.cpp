// Every statement shape the module sends, run against the fixture database,
// with the rows the server returns for it.

#include "tsql_fixture.h"

namespace zolmar {
namespace {

struct CorpusCase {
  const char* tsql;
  const char* rows;
};

class TSqlCorpusTest : public TSqlFixture, public ::testing::WithParamInterface<CorpusCase> {};

TEST_P(TSqlCorpusTest, TranslatesAndReturnsTheServerRows) {
  QString error;
  const QString result = run(QString::fromUtf8(GetParam().tsql), &error);
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
  EXPECT_EQ(result.toStdString(), GetParam().rows);
}

const CorpusCase kCorpus[] = {
    {"SELECT TOP 1 zolmarID FROM Arboles WHERE ID_Padre=1 AND (activo & 2)=0", "2"},
    {"SELECT TOP 1 zolmarID FROM Clientes WHERE ID_Grupo=10 AND (activo & 2)=0", "1"},
    {"SELECT TOP 1 (CASE WHEN ID_GrupoClientes=0 THEN ID_TarifaHotel ELSE ID_GrupoClientes END) FROM tarifas "
     "WHERE ID_Categoria=7",
     "55"},
    {"SELECT TOP 1 zolmarID FROM Articulos WHERE (ID_Categoria1=7) AND (activo & 2)=0", ""},
    {"SELECT zolmarID, clave, nombre, id_padre FROM Arboles WHERE tipo = 3 ORDER BY id_padre, nombre",
     "5|0200000000000000|Alimentación|0;1|0100000000000000|Bebidas|0;8|0300000000000000|Cotalia|0;"
     "2|0101000000000000|Vinos|1;4|0102000000000000|Viños|1;3|0101010000000000|Tintos|2;"
     "7|0202000000000000|nata|5;6|0201000000000000|Ñoquis|5"},
    {"SELECT RutaPadre + Nombre FROM arboles WHERE ZolmarID=2", "Bebidas:Vinos"},
    {"SELECT Nombre FROM arboles WHERE ZolmarID=6", "Ñoquis"},
    {"SELECT TOP 500 zolmarID, Nombre, RutaPadre AS [Categoría del Nivel Superior] FROM arboles WHERE "
     "activo=0 "
     "AND tipo=3 AND (ZolmarID NOT IN (SELECT ID_Padre FROM arboles WHERE activo=0)) AND arboles.ZolmarID=3",
     "3|Tintos|Bebidas:Vinos:"},
    {"SELECT ZolmarID, nombre FROM arboles WHERE tipo=3 AND nombre='VINOS' AND id_padre=1 AND ZolmarID<>99",
     "2|Vinos"},
    {"SELECT ZolmarID, nombre FROM arboles WHERE tipo=3 AND nombre='Vinos ' AND id_padre=1", "2|Vinos"},
    {"SELECT COUNT(*) FROM Arboles WHERE Tipo=3 AND ID_Padre=1", "2"},
    {"SELECT ZolmarID FROM clientes WHERE ID_Grupo=3 UNION ALL SELECT ZolmarID FROM proveedores WHERE "
     "ID_Grupo=3 "
     "UNION ALL SELECT ZolmarID FROM articulos WHERE ID_Categoria1=3 UNION ALL SELECT ZolmarID FROM "
     "categorias "
     "WHERE ID_Categoria=3",
     "1;3;1"},
    {"SELECT MAX(SUBSTRING(clave,3,2)) FROM arboles WHERE tipo=3 AND left(clave,2)='01'", "02"},
    {"SELECT Clave FROM Arboles WHERE Tipo=3 AND Clave LIKE '01__000000000000' AND Clave NOT LIKE "
     "'0100000000000000' ORDER BY Clave",
     "0101000000000000;0102000000000000"},
    {"SELECT C.ZolmarID, N.Nombre + ' ' + N.Apellidos FROM Clientes C LEFT JOIN Nombres N ON C.ID_Nombre = "
     "N.ZolmarID WHERE C.ID_Grupo=10",
     "1|Juan Pérez;2|Ana O'Brien"},
    {"SELECT P.ZolmarID, N.Nombre + ' ' + N.Apellidos FROM Proveedores P LEFT JOIN Nombres N ON P.ID_Nombre "
     "= "
     "N.ZolmarID WHERE P.ID_Grupo=11",
     "1|Ana O'Brien"},
    {"SELECT C.ZolmarID, N.Nombre + ' ' + N.Apellidos FROM Clientes C LEFT JOIN Nombres N ON C.ID_Nombre = "
     "N.ZolmarID WHERE C.ID_Grupo=11",
     "3|NULL"},
    {"SELECT zolmarID, nombre, id_padre, CriterioHijos, Clave, (CASE WHEN ZolmarID IN(2,3) THEN 1 ELSE 0 "
     "END) as "
     "Activo FROM Arboles WHERE tipo = 3 AND (Activo & 2)=0 AND ZolmarID<4 ORDER BY clave",
     "1|Bebidas|0|NULL|0100000000000000|0;2|Vinos|1|NULL|0101000000000000|1;3|Tintos|2|NULL|0101010000000000|"
     "1"},
    {"SELECT ZolmarID, Codigo + ' - ' + Nombre AS Nombre, 0 AS ID_Padre, '' AS CriterioHijos, Codigo AS "
     "Clave, "
     "(CASE WHEN ISNUMERIC(LEFT(Codigo,1))=1 THEN 'zzzzz' + Codigo ELSE Codigo END) AS Orden FROM "
     "ZolmarInstalacion..IBIC WHERE Codigo<>'$version$' ORDER BY Orden",
     "1|A - Agricultura|0||A|A;2|A1 - Cereales|0||A1|A1;3|1 - Numérico|0||1|zzzzz1"},
    {"SELECT A.ZolmarID, count(*) AS Numero FROM Articulos Art LEFT JOIN Arboles A ON A.ZolmarID = "
     "Art.ID_Categoria1 GROUP BY A.ZolmarID",
     "3|2;7|1"},
    {"SELECT count(*) AS Numero FROM Clientes WHERE ID_Grupo=10", "2"},
    {"SELECT TOP 1 ZolmarID FROM Arboles WHERE nombre='Cotalia' AND (Opciones & 1)>0 AND Tipo=3", "8"},
    {"SELECT TOP 1 ZolmarID FROM Arboles WHERE nombre='Cotalia' AND (Opciones & 1)=0 AND Tipo=3", ""},
    {"SELECT MAX(LEFT(Clave,2)) FROM Arboles WHERE Tipo=3", "03"},
    {"SELECT Name FROM Master..SysDatabases WHERE Name Like 'Zolmar_Cons#%'", "Zolmar_Cons#1"},
    {"SELECT 999999999 AS ZolmarID, 'Restaurante' AS Nombre, 0 AS ID_Padre, '0100000000000000' AS Clave, 0 "
     "AS "
     "Activo UNION ALL SELECT zolmarID, nombre, (CASE WHEN id_padre=0 THEN 999999999 ELSE ID_Padre END) AS "
     "ID_Padre, '01' + LEFT(Clave,14) AS Clave, 0 AS Activo FROM Arboles WHERE tipo = 3 AND "
     "SUBSTRING(Clave,5,2)='00' ORDER BY clave",
     "999999999|Restaurante|0|0100000000000000|0;1|Bebidas|999999999|0101000000000000|0;"
     "2|Vinos|1|0101010000000000|0;4|Viños|1|0101020000000000|0;5|Alimentación|999999999|0102000000000000|0;"
     "6|Ñoquis|5|0102010000000000|0;7|nata|5|0102020000000000|0;8|Cotalia|999999999|0103000000000000|0"},
    {"SELECT ZolmarID FROM Arboles WHERE Nombre='Alimentación' AND Tipo=3 AND SUBSTRING(Clave,3,2)='00'",
     "5"},
    {"SELECT TOP 1 Clave FROM Arboles WHERE Tipo=3 ORDER BY Clave DESC", "0300000000000000"},
    {"SELECT ZolmarID FROM Arboles WHERE Nombre='nata' AND Tipo=3 AND ID_Padre=5 AND ZolmarID NOT IN(SELECT "
     "ID_Padre FROM Arboles WHERE Tipo=3)",
     "7"},
    {"SELECT Arboles.ZolmarID AS F_ZOLMARID, Arboles.Nombre AS F_NOMBRE FROM Arboles WHERE tipo=1 "
     "ORDER BY ARBOLES.CLAVE ASC",
     "10|Mayoristas;11|Minoristas"},
    {"SELECT TOP 250 Arboles.ZolmarID FROM Arboles WHERE tipo=3 AND Arboles.ZolmarID=3ORDER BY ARBOLES.CLAVE "
     "ASC",
     "3"},
    {"SELECT Arboles.Nombre, CASE Arboles.ID_Comentario  WHEN 0 THEN '' ELSE isnull((SELECT comentario FROM "
     "comentarios  WHERE zolmarID=Arboles.ID_Comentario),'') END AS Comentario FROM Arboles WHERE ZolmarID<3",
     "Bebidas|Nota de bebidas;Vinos|"},
    {"SELECT DBO.SubArboles(2)", "0101%"},
    {"SELECT DISTINCT ZolmarID FROM Arboles WHERE Tipo=3 AND Arboles.Clave LIKE '0101%'", "2;3"},
    {"SELECT DISTINCT Categorias.ID_Quien FROM Categorias LEFT JOIN Arboles ON "
     "Categorias.ID_Categoria=Arboles.ZolmarID WHERE  Categorias.Tipo=1 AND (Categorias.ID_Quien "
     "IN(SELECT ID_Quien FROM Categorias LEFT JOIN Arboles ON Categorias.ID_Categoria=Arboles.ZolmarID WHERE "
     "Categorias.ID_Categoria IN(3,7) AND Categorias.Tipo=1))",
     "1;3"},
    {"SELECT LEN('abc  '), RIGHT('abcdef',2), RIGHT('abc',0), ISNUMERIC(' -12.5 '), ISNUMERIC('12a'), "
     "UPPER('ñandú'), LTRIM('  x'), SUBSTRING('abcdef',0,3)",
     "3|ef||1|0|ÑANDÚ|x|ab"},
    {"SELECT ZolmarID + 1, '01' + '02', ISNULL(NULL, 'x') FROM Arboles WHERE ZolmarID=1", "2|0102|x"},
};

INSTANTIATE_TEST_SUITE_P(Module, TSqlCorpusTest, ::testing::ValuesIn(kCorpus));

struct WriteCase {
  const char* tsql;
  const char* check;  // SQLite query whose rows show the effect
  const char* rows;
};

class TSqlWriteTest : public TSqlFixture, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(TSqlWriteTest, ChangesTheRowsAsTheServerWould) {
  QString error;
  run(QString::fromUtf8(GetParam().tsql), &error);
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
  EXPECT_EQ(query(QString::fromUtf8(GetParam().check)).toStdString(), GetParam().rows);
}

const WriteCase kWrites[] = {
    {"UPDATE arboles SET clave='0105' WHERE zolmarID= 2", "SELECT Clave FROM Arboles WHERE ZolmarID=2",
     "0105"},
    {"UPDATE arboles SET RutaPadre = LEFT(RutaPadre + 'Otra:',150) WHERE zolmarID= 3",
     "SELECT RutaPadre FROM Arboles WHERE ZolmarID=3", "Bebidas:Vinos:Otra:"},
    {"UPDATE Arboles SET Clave='02' + RIGHT(Clave,14) WHERE ZolmarID IN(2,3)",
     "SELECT Clave FROM Arboles WHERE ZolmarID IN (2,3) ORDER BY ZolmarID",
     "0201000000000000;0201010000000000"},
    {"UPDATE Arboles SET ID_padre=5 WHERE ZolmarID=2", "SELECT id_padre FROM Arboles WHERE ZolmarID=2", "5"},
    {"DELETE FROM Categorias WHERE Tipo=1 AND ID_Quien=1", "SELECT count(*) FROM Categorias", "2"},
    {"INSERT INTO Categorias (Tipo, ID_Quien, ID_Categoria) VALUES (1, 3, 6)",
     "SELECT Tipo, ID_Quien, ID_Categoria FROM Categorias WHERE ZolmarID=4", "1|3|6"},
    {"INSERT INTO Nombres (Nombre, Apellidos) VALUES ('O''Hara', '[x] 100%')",
     "SELECT Nombre, Apellidos FROM Nombres WHERE ZolmarID=4", "O'Hara|[x] 100%"},
};

INSTANTIATE_TEST_SUITE_P(Module, TSqlWriteTest, ::testing::ValuesIn(kWrites));

}  // namespace
}  // namespace zolmar
