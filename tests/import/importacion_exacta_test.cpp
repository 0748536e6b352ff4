// Repeated names in a tree document: the framework's import joins a branch to
// a node of its name found further down (and says so), the exact import
// reproduces the document.

#include <gtest/gtest.h>
// rapidcheck's integration needs GoogleTest declared first.
#include <rapidcheck/gtest.h>

#include <QTemporaryDir>

#include "import_fixture.h"
#include "zolmar/exchange/tree_export.h"

namespace {

// Bebidas/{Vinos/{Tintos, Otros}, Otros/{Sidras}}: "Otros" under two families.
const QVector<Rama> kOtrosRepetidos = {{1, 0, "Bebidas"}, {2, 1, "Vinos"}, {3, 2, "Tintos"},
                                       {4, 2, "Otros"},   {5, 1, "Otros"}, {6, 5, "Sidras"}};

class ImportacionExacta : public ImportFixture {
 protected:
  zolmar::ExchangeImport::Outcome ImportarExacto(const QVector<Rama>& ramas) {
    handler->lExacta = true;
    const auto r = Importar(ramas);
    handler->lExacta = false;
    return r;
  }
};

TEST_F(ImportacionExacta, UnNombreRepetidoSeUneEnOtroNivelYSeDiceOSeReproduce) {
  const auto r = Importar(kOtrosRepetidos);
  ASSERT_EQ(r.result, 0) << r.status.toStdString();
  EXPECT_EQ(r.created, 5);
  EXPECT_EQ(Arbol(), QStringList({"Bebidas", "Bebidas/Vinos", "Bebidas/Vinos/Tintos", "Bebidas/Vinos/Otros",
                                  "Bebidas/Vinos/Otros/Sidras"}));
  ASSERT_EQ(handler->RamasUnidasEnOtroNivel().size(), 1);
  EXPECT_EQ(handler->RamasUnidasEnOtroNivel()[0].rama, "Bebidas/Otros");
  EXPECT_EQ(handler->RamasUnidasEnOtroNivel()[0].destino, "Bebidas/Vinos/Otros");
  EXPECT_EQ(handler->ResumenRamasUnidas(),
            QString::fromUtf8("Ramas del documento unidas a otra del mismo nombre en otro nivel del árbol:"
                              "<BR><B>Bebidas/Otros</B> se ha unido a <B>Bebidas/Vinos/Otros</B>"));

  cn->ExecuteSQL("DELETE FROM Arboles");
  const auto exacta = ImportarExacto(kOtrosRepetidos);
  ASSERT_EQ(exacta.result, 0) << exacta.status.toStdString();
  EXPECT_EQ(exacta.created, 6);
  EXPECT_EQ(Arbol(), QStringList({"Bebidas", "Bebidas/Vinos", "Bebidas/Vinos/Tintos", "Bebidas/Vinos/Otros",
                                  "Bebidas/Otros", "Bebidas/Otros/Sidras"}));
  EXPECT_TRUE(handler->RamasUnidasEnOtroNivel().isEmpty());
  EXPECT_EQ(handler->ResumenRamasUnidas(), QString());
}

TEST_F(ImportacionExacta, SoloSeReutilizaUnHijoDelPadreConEseNombre) {
  const qint32 bebidas = InsertarNodo(3, "0100000000000000", "Bebidas", 0, 0, {{"RutaPadre", "''"}});
  const qint32 vinos =
      InsertarNodo(3, "0101000000000000", "Vinos", bebidas, 0, {{"RutaPadre", "'Bebidas:'"}});
  InsertarNodo(3, "0101010000000000", "Tintos", vinos, 0, {{"RutaPadre", "'Bebidas:Vinos:'"}});
  InsertarNodo(3, "0102000000000000", "Zumos", bebidas, 2, {{"RutaPadre", "'Bebidas:'"}});
  const struct {
    const char* caso;
    QVector<Rama> ramas;
    QStringList nuevas;  // key and path of each row created
  } casos[] = {
      {"todo existe (mayúsculas distintas)", {{1, 0, "BEBIDAS"}, {2, 1, "vinos"}, {3, 2, "tintos"}}, {}},
      {"el primer nivel no se busca más abajo", {{1, 0, "Tintos"}}, {"0200000000000000 Tintos"}},
      {"hijo con el nombre de su padre",
       {{1, 0, "Bebidas"}, {2, 1, "bebidas"}, {3, 2, "Zumos"}},
       {"0103000000000000 Bebidas/bebidas", "0103010000000000 Bebidas/bebidas/Zumos"}},
      {"dos hermanos con un nombre siguen siendo dos",
       {{1, 0, "Bebidas"}, {2, 1, "Otros"}, {3, 1, "Otros"}},
       {"0103000000000000 Bebidas/Otros", "0104000000000000 Bebidas/Otros"}},
      {"una rama marcada como borrada no representa a ninguna",
       {{1, 0, "Bebidas"}, {2, 1, "Zumos"}},
       {"0103000000000000 Bebidas/Zumos"}},
  };
  for (const auto& c : casos) {
    const qint32 mayor = Valor("SELECT MAX(ZolmarID) FROM Arboles").toInt();
    const auto r = ImportarExacto(c.ramas);
    ASSERT_EQ(r.result, 0) << c.caso << r.status.toStdString();
    EXPECT_EQ(r.created, c.nuevas.size()) << c.caso;
    const auto rs = arboles::recordsetOf(cn->ExecuteSQL(
        QStringLiteral("SELECT Clave, RutaPadre, Nombre FROM Arboles WHERE ZolmarID>%1 ORDER BY Clave")
            .arg(mayor),
        5));
    QStringList nuevas;
    while (rs && rs->Read())
      nuevas << rs->Field("Clave").toString() + ' ' +
                    QString(rs->Field("RutaPadre").toString() + rs->Field("Nombre").toString())
                        .replace(':', '/');
    EXPECT_EQ(nuevas, c.nuevas) << c.caso;
    EXPECT_TRUE(handler->RamasUnidasEnOtroNivel().isEmpty()) << c.caso;
    // The same document again finds every branch in its place.
    const QString despues = Volcado();
    EXPECT_EQ(ImportarExacto(c.ramas).created, 0) << c.caso;
    EXPECT_EQ(Volcado(), despues) << c.caso;
    Arbol();
    cn->ExecuteSQL(QStringLiteral("DELETE FROM Arboles WHERE ZolmarID>%1").arg(mayor));
  }
}

// A document with ids left aside: each branch as its parent's position in
// the document and its name.
QStringList Forma(const QString& fichero) {
  zolmar::ExchangeDocument documento;
  if (!documento.read(fichero)) return {documento.error()};
  QHash<qint32, qsizetype> posicion;
  QStringList forma;
  for (const auto& rama : documento.branches()) {
    posicion.insert(rama.idRamaOriginal, forma.size());
    forma << QString::number(rama.idRamaPadreOriginal == 0 ? -1
                                                           : posicion.value(rama.idRamaPadreOriginal, -2)) +
                 ' ' + rama.nombre;
  }
  return forma;
}

// Export, exact import into an empty tree, export: the same document. And the
// same import into the tree that now holds it creates nothing.
RC_GTEST_FIXTURE_PROP(ImportacionExacta, UnArbolLlevadoDeIdaYVueltaLlegaComoSalio, ()) {
  const auto nodos = *rc::gen::inRange(1, 40);
  // Few names, in two spellings, so that they repeat under one parent and across families.
  const QStringList nombres = {"Otros", "OTROS", "Vinos", "Bebidas", "Varios", "Tintos"};
  struct Nodo {
    qint32 id, nivel;
    QString prefijo, ruta;  // ruta: the RutaPadre of its children
    qint32 hijos;
  };
  QVector<Nodo> arbol;
  qint32 primerNivel = 0;
  for (qint32 i = 0; i < nodos; ++i) {
    // A parent with room for a child's level, or the top level.
    qint32 padre = *rc::gen::inRange(-1, static_cast<int>(arbol.size()));
    if (padre >= 0 && arbol[padre].nivel == arboles::ClaveArbol::Niveles) padre = -1;
    const QString nombre = nombres.at(*rc::gen::inRange(0, static_cast<int>(nombres.size())));
    const QString prefijo =
        (padre < 0 ? QString() : arbol[padre].prefijo) +
        arboles::ClaveArbol::NumeroASegmento(padre < 0 ? ++primerNivel : ++arbol[padre].hijos);
    const QString rutaPadre = padre < 0 ? QString() : arbol[padre].ruta;
    const qint32 id =
        InsertarNodo(3, arboles::ClaveArbol::Rellenar(prefijo), nombre, padre < 0 ? 0 : arbol[padre].id, 0,
                     {{"RutaPadre", cn->SQLLiteral(rutaPadre)}});
    arbol.push_back({id, padre < 0 ? 1 : arbol[padre].nivel + 1, prefijo, rutaPadre + nombre + ':', 0});
  }
  QTemporaryDir dir;
  const QString ida = dir.filePath("ida.json"), vuelta = dir.filePath("vuelta.json");
  QString error;
  RC_ASSERT(zolmar::TreeExport::write(*cn, 3, ida, &error) == nodos);
  cn->ExecuteSQL("DELETE FROM Arboles WHERE Tipo=3");
  handler->lExacta = true;
  zolmar::ExchangeImport importacion(host->appGlobal(), handler);
  const auto primera = importacion.importFile(ida);
  RC_ASSERT(primera.status.toStdString() == "");
  RC_ASSERT(primera.created == nodos);
  RC_ASSERT(zolmar::TreeExport::write(*cn, 3, vuelta, &error) == nodos);
  RC_ASSERT(Forma(vuelta) == Forma(ida));
  const QString antes = Volcado();
  const auto segunda = importacion.importFile(ida);
  RC_ASSERT(segunda.result == 0);
  RC_ASSERT(segunda.created == 0);
  RC_ASSERT(Volcado() == antes);
}

}  // namespace
