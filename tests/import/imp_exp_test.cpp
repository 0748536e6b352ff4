// The merge of tree documents into Arboles, through the host's framework.

#include <algorithm>

#include "import_fixture.h"

namespace {

const QVector<Rama> kBebidas = {
    {10, 0, "Bebidas"}, {11, 10, "Vinos"}, {12, 11, "Tintos"},  {13, 11, "Blancos"},
    {14, 10, "Aguas"},  {20, 0, "Quesos"}, {21, 20, "Curados"},
};

const QStringList kArbolBebidas = {
    "Bebidas",       "Bebidas/Vinos", "Bebidas/Vinos/Tintos", "Bebidas/Vinos/Blancos",
    "Bebidas/Aguas", "Quesos",        "Quesos/Curados"};

TEST_F(ImportFixture, RowsInAnyOrderImportTheSameTree) {
  QVector<Rama> alReves(kBebidas.rbegin(), kBebidas.rend());
  QVector<Rama> mezcladas = {kBebidas[3], kBebidas[6], kBebidas[0], kBebidas[2],
                             kBebidas[5], kBebidas[1], kBebidas[4]};
  const struct {
    const char* caso;
    QVector<Rama> ramas;
  } casos[] = {{"padres primero", kBebidas}, {"hijos primero", alReves}, {"mezcladas", mezcladas}};
  for (const auto& c : casos) {
    cn->ExecuteSQL("DELETE FROM Arboles");
    const auto r = Importar(c.ramas);
    EXPECT_EQ(r.result, 0) << c.caso << r.status.toStdString();
    EXPECT_EQ(r.status, QString()) << c.caso;
    EXPECT_EQ(r.created, 7) << c.caso;
    // Siblings keep the order the document gives them, whatever order the rows came in.
    QStringList arbol = Arbol();
    QStringList esperado = kArbolBebidas;
    if (QString(c.caso) != "padres primero") {
      std::sort(arbol.begin(), arbol.end());
      std::sort(esperado.begin(), esperado.end());
    }
    EXPECT_EQ(arbol, esperado) << c.caso;
  }
}

TEST_F(ImportFixture, BranchesThatExistByNameUnderTheSameParentsAreReused) {
  const qint32 bebidas = InsertarNodo(3, "0100000000000000", "Bebidas", 0, 0, {{"RutaPadre", "''"}});
  const qint32 vinos =
      InsertarNodo(3, "0101000000000000", "vinos", bebidas, 0, {{"RutaPadre", "'Bebidas:'"}});
  InsertarNodo(3, "0105000000000000", "Zumos", bebidas, 0, {{"RutaPadre", "'Bebidas:'"}});
  InsertarNodo(3, "0101010000000000", "Tintos", vinos, 0, {{"RutaPadre", "'Bebidas:vinos:'"}});
  const struct {
    const char* caso;
    QVector<Rama> ramas;
    qint32 creadas;
    QStringList nuevas;  // key and name of each row created
  } casos[] = {
      {"todo existe (mayúsculas distintas)", {{1, 0, "BEBIDAS"}, {2, 1, "Vinos"}, {3, 2, "tintos"}}, 0, {}},
      {"hijo nuevo tras el mayor segmento en uso",
       {{1, 0, "Bebidas"}, {2, 1, "Aguas"}},
       1,
       {"0106000000000000 Aguas"}},
      {"nieto nuevo bajo rama existente",
       {{1, 0, "Bebidas"}, {2, 1, "Vinos"}, {3, 2, "Rosados"}},
       1,
       {"0101020000000000 Rosados"}},
      // A top-level branch is looked for in the whole tree.
      {"primer nivel encontrado más abajo", {{7, 0, "Tintos"}}, 0, {}},
      {"primer nivel nuevo",
       {{7, 0, "Quesos"}, {8, 7, "Curados"}},
       2,
       {"0200000000000000 Quesos", "0201000000000000 Curados"}},
  };
  for (const auto& c : casos) {
    const QString antes = Volcado();
    const qint32 mayor = Valor("SELECT MAX(ZolmarID) FROM Arboles").toInt();
    const auto r = Importar(c.ramas);
    EXPECT_EQ(r.result, 0) << c.caso << r.status.toStdString();
    EXPECT_TRUE(r.status.isEmpty()) << c.caso;
    EXPECT_EQ(r.created, c.creadas) << c.caso;
    EXPECT_EQ(r.reused, c.ramas.size() - c.creadas) << c.caso;
    const auto rs = arboles::recordsetOf(cn->ExecuteSQL(
        QStringLiteral("SELECT Clave, Nombre, UsoAux FROM Arboles WHERE ZolmarID>%1 ORDER BY Clave")
            .arg(mayor),
        5));
    QStringList nuevas;
    while (rs->Read()) {
      nuevas << rs->Field("Clave").toString() + ' ' + rs->Field("Nombre").toString();
      EXPECT_EQ(rs->Field("UsoAux").toString(), "111111");
    }
    EXPECT_EQ(nuevas, c.nuevas) << c.caso;
    if (c.creadas == 0) {
      EXPECT_EQ(Volcado(), antes) << c.caso;
    }
    // The same document again finds everything in place.
    const QString despues = Volcado();
    const auto otra = Importar(c.ramas);
    EXPECT_EQ(otra.result, 0) << c.caso;
    EXPECT_EQ(otra.created, 0) << c.caso;
    EXPECT_EQ(Volcado(), despues) << c.caso;
    cn->ExecuteSQL(QStringLiteral("DELETE FROM Arboles WHERE ZolmarID>%1").arg(mayor));
  }
}

TEST_F(ImportFixture, NamesThatLookLikeSqlOrPatternsAreMatchedOnTheSecondImport) {
  const QString largo = QString("Nombre muy largo ").repeated(4);  // 68 characters
  const QVector<Rama> ramas = {
      {1, 0, "O'Donnell"}, {2, 1, "100% natural"},
      {3, 1, "Sin_gas"},   {4, 1, "[Oferta]"},
      {5, 1, "O'Donnell"},  // named like its parent: the search from the parent down finds the parent
      {6, 3, largo},       {7, 0, "%"},
      {8, 0, "_"},
  };
  const auto r = Importar(ramas);
  ASSERT_EQ(r.result, 0) << r.status.toStdString();
  EXPECT_EQ(r.created, 7);
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Arboles WHERE Nombre=" + cn->SQLLiteral(largo.left(50))).toInt(), 1);
  const QString antes = Volcado();
  const auto otra = Importar(ramas);
  EXPECT_EQ(otra.result, 0) << otra.status.toStdString();
  EXPECT_EQ(otra.created, 0);
  EXPECT_EQ(Volcado(), antes);
  Arbol();  // sound tree, paths included
}

TEST_F(ImportFixture, PathsAreCutTo150Characters) {
  QVector<Rama> cadena;
  const QString nombre = QString(40, 'x');
  for (qint32 i = 1; i <= 6; ++i) cadena.push_back({i, i - 1, nombre + QString::number(i)});
  ASSERT_EQ(Importar(cadena).result, 0);
  const auto rs =
      arboles::recordsetOf(cn->ExecuteSQL("SELECT RutaPadre FROM Arboles WHERE Tipo=3 ORDER BY Clave", 5));
  QList<qsizetype> largos;
  while (rs->Read()) largos << rs->Field("RutaPadre").toString().size();
  EXPECT_EQ(largos, (QList<qsizetype>{0, 42, 84, 126, 150, 150}));
  Arbol();
}

TEST_F(ImportFixture, AParentWithNoRoomLeftRefusesTheDocumentAndWritesNothing) {
  const qint32 padre = InsertarNodo(3, "0100000000000000", "Bebidas", 0, 0, {{"RutaPadre", "''"}});
  InsertarNodo(3, "01FF000000000000", "Vinos", padre, 0, {{"RutaPadre", "'Bebidas:'"}});
  const QString antes = Volcado();
  const auto r = Importar({{1, 0, "Aguas"}, {2, 0, "Bebidas"}, {3, 2, "Zumos"}});
  EXPECT_EQ(r.result, -1);
  EXPECT_EQ(r.status, arboles::ClaveArbol::MensajeMaxHijos);
  EXPECT_EQ(Volcado(), antes) << "the branch created before the failing one is rolled back";
}

// Found by the reliability suite: the children of a branch found deeper than
// it stands in the document went under that node's ancestor, and under a
// branch found as its own parent they got a key with a segment after "00".
TEST_F(ImportFixture, ABranchFoundFurtherDownTakesItsChildrenWithIt) {
  const qint32 bebidas = InsertarNodo(3, "0100000000000000", "Bebidas", 0, 0, {{"RutaPadre", "''"}});
  const qint32 vinos =
      InsertarNodo(3, "0101000000000000", "Vinos", bebidas, 0, {{"RutaPadre", "'Bebidas:'"}});
  InsertarNodo(3, "0101010000000000", "Tintos", vinos, 0, {{"RutaPadre", "'Bebidas:Vinos:'"}});
  const struct {
    const char* caso;
    QVector<Rama> ramas;
    QStringList nuevas;  // key, parent's name and path of each row created
  } casos[] = {
      {"primer nivel hallado en el tercero",
       {{1, 0, "Tintos"}, {2, 1, "Reserva"}, {3, 2, "Crianza"}},
       {"0101010100000000 Tintos Bebidas:Vinos:Tintos:",
        "0101010101000000 Reserva Bebidas:Vinos:Tintos:Reserva:"}},
      {"rama hallada como su propio padre",
       {{1, 0, "Bebidas"}, {2, 1, "bebidas"}, {3, 2, "Zumos"}},
       {"0102000000000000 Bebidas Bebidas:"}},
      {"hermanos tras una rama hallada más abajo",
       {{1, 0, "Vinos"}, {2, 1, "Tintos"}, {3, 2, "Joven"}, {4, 1, "Rosados"}},
       {"0101010100000000 Tintos Bebidas:Vinos:Tintos:", "0101020000000000 Vinos Bebidas:Vinos:"}},
  };
  for (const auto& c : casos) {
    const qint32 mayor = Valor("SELECT MAX(ZolmarID) FROM Arboles").toInt();
    const auto r = Importar(c.ramas);
    EXPECT_EQ(r.result, 0) << c.caso << r.status.toStdString();
    const auto rs = arboles::recordsetOf(cn->ExecuteSQL(
        QStringLiteral("SELECT A.Clave, P.Nombre, A.RutaPadre FROM Arboles A JOIN Arboles P ON "
                       "P.ZolmarID=A.id_padre WHERE A.ZolmarID>%1 ORDER BY A.Clave")
            .arg(mayor),
        5));
    QStringList nuevas;
    while (rs && rs->Read())
      nuevas << rs->Field("Clave").toString() + ' ' + rs->Field("Nombre").toString() + ' ' +
                    rs->Field("RutaPadre").toString();
    EXPECT_EQ(nuevas, c.nuevas) << c.caso;
    Arbol();
    cn->ExecuteSQL(QStringLiteral("DELETE FROM Arboles WHERE ZolmarID>%1").arg(mayor));
  }
}

// A branch found on the last level cannot take children: the document is
// refused as a whole.
TEST_F(ImportFixture, AChildOfABranchFoundOnTheLastLevelRefusesTheDocument) {
  qint32 padre = 0;
  for (qint32 nivel = 1; nivel <= 8; ++nivel)
    padre = InsertarNodo(3, QString("01").repeated(nivel).leftJustified(16, '0'),
                         QStringLiteral("N%1").arg(nivel), padre, 0);
  const QString antes = Volcado();
  const auto r = Importar({{1, 0, "Nueva"}, {2, 0, "N8"}, {3, 2, "Hoja"}});
  EXPECT_EQ(r.result, -1);
  EXPECT_EQ(r.status, QString::fromUtf8("No se pueden añadir más niveles"));
  EXPECT_EQ(Volcado(), antes);
}

TEST_F(ImportFixture, ProgressCountsEveryRowAndClosesAtTheEnd) {
  zolmar::ExchangeDocument documento;
  ASSERT_TRUE(documento.parse(Documento(kBebidas), "bebidas.json"));
  zolmar::ExchangeImport importacion(host->appGlobal(), handler);
  QList<QPair<qint32, qint32>> avances;
  importacion.setProgress([&](qint32 hechas, qint32 total) { avances.append({hechas, total}); });
  ASSERT_EQ(importacion.importDocument(documento).result, 0);
  ASSERT_GE(avances.size(), 2);
  EXPECT_EQ(avances.first(), qMakePair(0, 7));
  EXPECT_EQ(avances[avances.size() - 2], qMakePair(7, 7));
  EXPECT_EQ(avances.last(), qMakePair(-1, -1)) << "the end of the import lets the progress close";
}

}  // namespace

// The person is told which tree the document went into and which branches it
// created (the first 20, then how many more); a name cut at 50 characters
// does not keep the blank it was cut at.
TEST_F(ImportFixture, TheSummaryNamesTheTreeAndTheBranchesCreated) {
  const QString largo = QString(49, 'A') + QStringLiteral(" BCDEF");
  QVector<Rama> ramas = {{1, 0, "Bebidas"}, {2, 1, largo}};
  for (qint32 i = 3; i <= 26; ++i) ramas.append({i, 1, QStringLiteral("Vino %1").arg(i, 2, 10, QChar('0'))});
  const auto r = Importar(ramas);
  ASSERT_EQ(r.result, 0) << r.status.toStdString();
  const QString resumen = handler->ResumenRamasCreadas(20);
  QStringList lineas = resumen.split("<BR>");
  EXPECT_EQ(lineas.value(0), QString::fromUtf8("Importado en el árbol de <B>categorías de artículos</B>."));
  EXPECT_EQ(lineas.value(1), "Ramas creadas:");
  EXPECT_EQ(lineas.value(2), "Bebidas");
  EXPECT_EQ(lineas.value(3), "Bebidas/" + QString(49, 'A'));
  EXPECT_EQ(lineas.value(21), "Bebidas/Vino 20");
  EXPECT_EQ(lineas.value(22), QString::fromUtf8("... y 6 más"));
  EXPECT_EQ(lineas.size(), 23);
  EXPECT_EQ(Valor("SELECT Nombre FROM Arboles WHERE Nombre LIKE 'AAA%'").toString(), QString(49, 'A'));

  ASSERT_EQ(Importar(ramas).result, 0);
  EXPECT_EQ(handler->ResumenRamasCreadas(20),
            QString::fromUtf8("Importado en el árbol de <B>categorías de artículos</B>.<BR>"
                              "No se ha creado ninguna rama nueva."));
}
