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

// Rows in no asked order may come in any: those are compared as sorted.
QString inOrderAsked(const QString& tsql, const QString& rows) {
  if (tsql.contains("ORDER BY", Qt::CaseInsensitive)) return rows;
  QStringList list = rows.split(';');
  list.sort();
  return list.join(';');
}

TEST_P(TSqlCorpusTest, TranslatesAndReturnsTheServerRows) {
  QString error;
  const QString tsql = QString::fromUtf8(GetParam().tsql);
  const QString result = run(tsql, &error);
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
  EXPECT_EQ(inOrderAsked(tsql, result), inOrderAsked(tsql, QString::fromUtf8(GetParam().rows)));
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
     "7|0202000000000000|nata|5;6|0201000000000000|Ñoquis|5;9|0301000000000000|Vinagres|8"},
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
     "6|Ñoquis|5|0102010000000000|0;7|nata|5|0102020000000000|0;8|Cotalia|999999999|0103000000000000|0;"
     "9|Vinagres|8|0103010000000000|0"},
    {"SELECT ZolmarID FROM Arboles WHERE Nombre='Alimentación' AND Tipo=3 AND SUBSTRING(Clave,3,2)='00'",
     "5"},
    {"SELECT TOP 1 Clave FROM Arboles WHERE Tipo=3 ORDER BY Clave DESC", "0301000000000000"},
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
    // Usage checks before a node is deleted.
    {"SELECT TOP 1 zolmarID FROM Proveedores WHERE ID_Grupo=12 AND (activo & 2)=0", "2"},
    {"SELECT TOP 1 Id_grupo FROM GruposComisionesX WHERE ID_Categoria=6", "4"},
    {"SELECT TOP 1 zolmarID FROM Articulos WHERE (ID_Categoria1=3) AND (activo & 2)=0", "1"},
    {"SELECT TOP 1 ID_Compuesto FROM ArtCompuestos WHERE ID_Categoria=6", "21"},
    {"SELECT TOP 1 zolmarID FROM Data_ImpX WHERE ID_Categoria1=9", "2"},
    // Key renumbering in key order.
    {"SELECT zolmarID, clave, nombre, id_padre FROM Arboles WHERE tipo = 3 ORDER BY id_padre, clave",
     "1|0100000000000000|Bebidas|0;5|0200000000000000|Alimentación|0;8|0300000000000000|Cotalia|0;"
     "2|0101000000000000|Vinos|1;4|0102000000000000|Viños|1;3|0101010000000000|Tintos|2;"
     "6|0201000000000000|Ñoquis|5;7|0202000000000000|nata|5;9|0301000000000000|Vinagres|8"},
    // Tree editor: loading, saving, new-record defaults, key allocation.
    {"SELECT zolmarID, nombre,id_padre, CriterioHijos FROM Arboles WHERE tipo = 1 ORDER BY clave",
     "10|Mayoristas|0|NULL;11|Minoristas|0|NULL"},
    {"SELECT Activo FROM Arboles WHERE ZolmarID=4", "2"},
    {"SELECT RutaPadre FROM arboles WHERE ZolmarID=3", "Bebidas:Vinos:"},
    {"SELECT NomAux1, NomAux2, NomAux3, NomAux4, NomAux5, NomAux6, UsoAux FROM arboles WHERE zolmarID=1",
     "Añada|Región|NULL|NULL|NULL|NULL|321111"},
    {"SELECT ZolmarID, nombre FROM arboles WHERE tipo=3 AND nombre='D''Oro' AND id_padre=1", ""},
    {"SELECT MAX(SUBSTRING(clave,3,2))FROM arboles WHERE tipo=3 AND left(clave,2)='02'", "02"},
    {"SELECT MAX(SUBSTRING(clave,1,2))FROM arboles WHERE tipo=3", "03"},
    {"SELECT COUNT(*) FROM Arboles WHERE Tipo=3 AND ID_Padre=0", "3"},
    {"SELECT ZolmarID FROM clientes WHERE ID_Grupo=6 UNION ALL SELECT ZolmarID FROM proveedores WHERE "
     "ID_Grupo=6 "
     "UNION ALL SELECT ZolmarID FROM articulos WHERE ID_Categoria1=6 UNION ALL SELECT ZolmarID FROM "
     "categorias "
     "WHERE ID_Categoria=6",
     "3"},
    // Key reconstruction of a damaged tree.
    {"SELECT * FROM arboles WHERE Tipo=3 AND ID_Padre=2 ORDER BY ID_padre, ZolmarID",
     "3|0|3|0101010000000000|Tintos|Bebidas:Vinos:|NULL|2|NULL|NULL|NULL|NULL|NULL|NULL|NULL|0|NULL|NULL|0"},
    // Moving a branch, references of a leaf.
    {"SELECT ZolmarID FROM Arboles  WHERE Tipo=3 AND Clave LIKE '0101%'", "2;3"},
    {"SELECT TOP 1 ZolmarID FROM Arboles WHERE ID_Padre=5", "6"},
    {"SELECT TOP 500 ZolmarID, Barras, Nombre FROM Articulos WHERE ID_categoria1=3",
     "1|8410|Rioja;3|8412|Toro"},
    // Pick dialog: name search, all nodes, tree without preselection.
    {"SELECT TOP 500 zolmarID, Nombre, RutaPadre AS [Categoría del Nivel Superior] FROM arboles WHERE "
     "activo=0 "
     "AND tipo=3 AND (ZolmarID NOT IN (SELECT ID_Padre FROM arboles WHERE activo=0)) AND nombre LIKE 'vi%'",
     "9|Vinagres|Cotalia:"},
    {"SELECT TOP 500 zolmarID, Nombre, RutaPadre AS [Categoría del Nivel Superior] FROM arboles WHERE "
     "activo=0 "
     "AND tipo=3 AND Arboles.ZolmarID=2",
     "2|Vinos|Bebidas:"},
    {"SELECT zolmarID, nombre, id_padre, CriterioHijos, Clave, 0 as Activo FROM Arboles WHERE tipo = 1 AND "
     "(Activo & 2)=0 ORDER BY clave",
     "10|Mayoristas|0|NULL|0100000000000000|0;11|Minoristas|0|NULL|0200000000000000|0"},
    // Category organisation: reference counts.
    {"SELECT A.ZolmarID, count(*) AS Numero FROM Clientes C LEFT JOIN Arboles A ON A.ZolmarID = C.ID_Grupo "
     "GROUP BY A.ZolmarID",
     "10|2;11|1"},
    {"SELECT A.ZolmarID, count(*) AS Numero FROM Proveedores P LEFT JOIN Arboles A ON A.ZolmarID = "
     "P.ID_Grupo "
     "GROUP BY A.ZolmarID",
     "11|1;12|1"},
    {"SELECT count(*) AS Numero FROM Articulos WHERE ID_Categoria1=3", "2"},
    {"SELECT count(*) AS Numero FROM Proveedores WHERE ID_Grupo=11", "1"},
    // Category assignment grid and the category filter other windows embed.
    {"SELECT * FROM Categorias WHERE Tipo=1 AND ID_Quien=1", "1|1|1|3"},
    {"SELECT * FROM AutoCategorias WHERE Tipo=2", "2|0|2|WEB|7"},
    {"SELECT ZolmarID FROM Clientes WHERE ZolmarID IN (SELECT DISTINCT Categorias.ID_Quien FROM Categorias "
     "LEFT JOIN Arboles ON Categorias.ID_Categoria=Arboles.ZolmarID WHERE  Categorias.Tipo=1 AND "
     "(Categorias.ID_Quien IN(SELECT ID_Quien FROM Categorias LEFT JOIN Arboles ON "
     "Categorias.ID_Categoria=Arboles.ZolmarID WHERE Categorias.ID_Categoria IN(7) AND Categorias.Tipo=1)))",
     "3"},
    // Import from the price-information service.
    {"SELECT TOP 1 ZolmarID FROM Arboles WHERE (Opciones & 1)>0", "8"},
    {"SELECT LEFT(Clave,2) FROM Arboles WHERE ZolmarID=8", "03"},
    {"SELECT ZolmarID, CodigoExterno, NivelExterno FROM Arboles WHERE Tipo=3 AND (Opciones & 1)>0",
     "8|NULL|NULL;9|120|1"},
    {"SELECT Clave FROM Arboles WHERE ZolmarID=9", "0301000000000000"},
    {"SELECT MAX(SUBSTRING(Clave,5,2)) FROM Arboles WHERE Tipo=3 AND Clave LIKE '0301%'", "00"},
    {"SELECT ZolmarID FROM Arboles WHERE Tipo=3 AND Clave LIKE '0300%'", "8"},
    // Restaurant categories: family and subcategory look-ups.
    {"SELECT ZolmarID FROM Arboles WHERE Nombre='ÑOQUIS' AND Tipo=3 AND ID_Padre=5", "6"},
    {"SELECT TOP 1 Clave FROM Arboles WHERE Tipo=3 AND ID_Padre=5 ORDER BY Clave DESC", "0202000000000000"},
    {"SELECT LEFT(Clave,4) FROM Arboles WHERE ZolmarID=2", "0101"},
    {"SELECT TOP 1 Clave FROM Arboles WHERE Tipo=3 AND Clave LIKE '0101%' ORDER BY Clave DESC",
     "0101010000000000"},
    // Tree document import (an empty prefix for a top-level branch).
    {"SELECT Clave FROM Arboles WHERE Tipo=3 AND Nombre='tintos' AND Clave LIKE '01%'", "0101010000000000"},
    {"SELECT Clave FROM Arboles WHERE Tipo=3 AND Nombre='Cotalia' AND Clave LIKE '%'", "0300000000000000"},
    {"SELECT MAX(SUBSTRING(Clave,3,2)) FROM Arboles WHERE Tipo=3 AND Clave LIKE '02%'", "02"},
    {"SELECT MAX(SUBSTRING(Clave,1,2)) FROM Arboles WHERE Tipo=1 AND Clave LIKE '%'", "02"},
    {"SELECT ZolmarID FROM Arboles WHERE Tipo=3 AND Clave LIKE '0100%'", "1"},
    {"SELECT ZolmarID FROM Arboles WHERE Tipo=3 AND Clave LIKE '00%'", ""},
    // Tree report: search, filter markers, printed report with comments, branch lines.
    {"SELECT TOP 500 Arboles.ZolmarID AS SearchedID, Arboles.ZolmarID AS F_ZOLMARID, Arboles.Nombre AS "
     "F_NOMBRE, "
     "Arboles.NomAux1 AS F_NOMAUX1 FROM Arboles WHERE tipo=3 AND (Arboles.ZolmarID IN (1, 2) OR "
     "Arboles.ZolmarID BETWEEN 5 AND 6) AND Arboles.Nombre LIKE 'a%' ORDER BY Arboles.Clave",
     "5|5|Alimentación|NULL"},
    {"SELECT Arboles.ZolmarID FROM Arboles WHERE tipo=3 AND (Arboles.ZolmarID NOT IN (SELECT ID_Padre FROM "
     "Arboles WHERE activo=0))",
     "3;4;6;7;9"},
    {"SELECT Arboles.ZolmarID FROM Arboles WHERE tipo=2", "12"},
    {"SELECT TOP 1 Arboles.ZolmarID AS F_ZOLMARID, Arboles.Nombre AS F_NOMBRE FROM Arboles WHERE tipo=1 "
     "ORDER "
     "BY Arboles.Clave DESC",
     "11|Minoristas"},
    {"SELECT  Arboles.ZolmarID AS F_ZOLMARID, Arboles.Nombre AS F_NOMBRE,CASE Arboles.ID_Comentario  WHEN 0 "
     "THEN '' ELSE isnull((SELECT comentario FROM ZolmarEmpresa..comentarios  WHERE "
     "zolmarID=Arboles.ID_Comentario),'') END AS Comentario FROM Arboles WHERE tipo=3 AND Arboles.ZolmarID "
     "IN "
     "(1, 2) ORDER BY Arboles.Nombre",
     "1|Bebidas|Nota de bebidas;2|Vinos|"},
    {"SELECT  TOP 250 Arboles.ZolmarID AS F_ZOLMARID FROM Arboles WHERE tipo=1 ORDER BY Arboles.Nombre DESC",
     "11;10"},
    {"SELECT max(substring(clave,3,2)) FROM arboles WHERE tipo=3 AND clave LIKE '01%'", "02"},
    // Category report: node condition, report rows for customers and suppliers, filter marker.
    {"SELECT DISTINCT ZolmarID FROM Arboles WHERE Tipo=3 AND Arboles.ZolmarID=7", "7"},
    {"SELECT  TOP 250 Categorias.ZolmarID AS F_ZOLMARID, Categorias.ID_Quien AS F_ID_QUIEN, Arboles.Nombre "
     "AS "
     "F_CATEGORIA, NombreClientes.Nombre + ' ' + NombreClientes.Apellidos AS Cliente FROM Categorias LEFT "
     "JOIN "
     "Arboles ON Categorias.ID_Categoria=Arboles.ZolmarID LEFT JOIN Clientes ON "
     "Categorias.ID_Quien=Clientes.ZolmarID LEFT JOIN Nombres AS NombreClientes ON "
     "Clientes.ID_Nombre=NombreClientes.ZolmarID WHERE  Categorias.Tipo=1",
     "1|1|Tintos|Juan Pérez;2|3|nata|NULL"},
    {"SELECT  TOP 250 Categorias.ZolmarID AS F_ZOLMARID, NombreProveedores.Nombre + ' ' + "
     "NombreProveedores.Apellidos AS Proveedor FROM Categorias LEFT JOIN Arboles ON "
     "Categorias.ID_Categoria=Arboles.ZolmarID LEFT JOIN Proveedores ON "
     "Categorias.ID_Quien=Proveedores.ZolmarID "
     "LEFT JOIN Nombres AS NombreProveedores ON Proveedores.ID_Nombre=NombreProveedores.ZolmarID WHERE  "
     "Categorias.ID_Quien=1 AND (Categorias.ID_Quien IN(SELECT ID_Quien FROM Categorias LEFT JOIN Arboles ON "
     "Categorias.ID_Categoria=Arboles.ZolmarID WHERE Categorias.ID_Categoria IN(6) AND Categorias.Tipo=2) OR "
     "Categorias.ID_Quien IN(SELECT ID_Quien FROM Categorias LEFT JOIN Arboles ON "
     "Categorias.ID_Categoria=Arboles.ZolmarID WHERE Categorias.ID_Categoria IN(3,7) AND Categorias.Tipo=2)) "
     "AND "
     "Categorias.Tipo=2",
     "3|Ana O'Brien"},
    {"SELECT TOP 1 Categorias.ID_Quien FROM Categorias LEFT JOIN Arboles ON "
     "Categorias.ID_Categoria=Arboles.ZolmarID WHERE  Categorias.ID_Categoria=7 AND Categorias.Tipo=1",
     "3"},
};

INSTANTIATE_TEST_SUITE_P(Module, TSqlCorpusTest, ::testing::ValuesIn(kCorpus));

struct WriteCase {
  const char* tsql;
  const char* check;  // the engine's own query whose rows show the effect
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
    {"DELETE FROM Categorias WHERE ID_Categoria=3", "SELECT ZolmarID FROM Categorias", "2;3"},
    {"UPDATE arboles SET RutaPadre='' WHERE tipo= 3 ; ",
     "SELECT count(*) FROM Arboles WHERE Tipo=3 AND RutaPadre<>''", "0"},
    {"UPDATE Arboles SET Clave='0102000000000000' WHERE ZolmarID=2",
     "SELECT Clave FROM Arboles WHERE ZolmarID=2", "0102000000000000"},
    {"UPDATE Arboles SET Clave='0102' + RIGHT(Clave,12) WHERE ZolmarID IN(2,3) ; UPDATE Arboles SET "
     "Clave='0101' + RIGHT(Clave,12) WHERE ZolmarID IN(4)",
     "SELECT Clave FROM Arboles WHERE ZolmarID IN (2,3,4) ORDER BY ZolmarID",
     "0102000000000000;0102010000000000;0101000000000000"},
    {"UPDATE Articulos SET ID_Categoria1=6, FechaModificacion='2024-05-17 10:30:00' WHERE ID_Categoria1=7 ; "
     "UPDATE Tarifas SET ID_Categoria=6 WHERE ID_Categoria=7 ; UPDATE GruposComisionesX SET ID_Categoria=6 "
     "WHERE "
     "ID_Categoria=7 ; UPDATE ArtCompuestos SET ID_Categoria=6 WHERE ID_Categoria=7",
     "SELECT (SELECT max(ZolmarID) FROM Articulos WHERE ID_Categoria1=6 AND FechaModificacion IS NOT NULL), "
     "(SELECT count(*) FROM Tarifas WHERE ID_Categoria=6)",
     "2|2"},
    {"UPDATE Clientes SET ID_Grupo=11, FechaModificacion='2024-05-17 10:30:00' WHERE ID_Grupo=10",
     "SELECT ZolmarID FROM Clientes WHERE ID_Grupo=11 AND FechaModificacion IS NOT NULL", "1;2"},
    {"UPDATE Proveedores SET ID_Grupo=11, FechaModificacion='2024-05-17 10:30:00' WHERE ID_Grupo=12",
     "SELECT ZolmarID FROM Proveedores WHERE ID_Grupo=11", "1;2"},
    {"DELETE FROM Arboles WHERE ZolmarID=7", "SELECT count(*) FROM Arboles WHERE ZolmarID=7", "0"},
    {"DELETE FROM Categorias WHERE Tipo=1 AND ID_Quien=1 ; INSERT INTO Categorias (Tipo, ID_Quien, "
     "ID_Categoria) "
     "VALUES (1, 1, 6) ; INSERT INTO Categorias (Tipo, ID_Quien, ID_Categoria) VALUES (1, 1, 9) ; ",
     "SELECT ID_Categoria FROM Categorias WHERE Tipo=1 AND ID_Quien=1 ORDER BY ZolmarID", "6;9"},
    {"DELETE FROM Categorias WHERE Tipo=1 AND ID_Quien=1 ; ", "SELECT count(*) FROM Categorias", "2"},
    {"INSERT INTO Arboles (Tipo, Clave, Nombre, CriterioHijos, ID_Padre, UsoAux, RutaPadre, Opciones, "
     "CodigoExterno, NivelExterno) VALUES (3, '0301010000000000', 'Vinagre de Módena', '', 9, '111111', "
     "'Cotalia:Vinagres:', 1, 121, 2) ; ",
     "SELECT Nombre, RutaPadre FROM Arboles WHERE CodigoExterno=121", "Vinagre de Módena|Cotalia:Vinagres:"},
    {"INSERT INTO Arboles (Tipo, Clave, Nombre, ID_Padre, UsoAux, RutaPadre) VALUES (3, '0203000000000000', "
     "'Pan', 5, '111111', 'Alimentación:')",
     "SELECT Clave, id_padre FROM Arboles WHERE Nombre='Pan'", "0203000000000000|5"},
};

INSTANTIATE_TEST_SUITE_P(Module, TSqlWriteTest, ::testing::ValuesIn(kWrites));

}  // namespace
}  // namespace zolmar
