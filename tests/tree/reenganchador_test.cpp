// Nodes that no parent link joins to the top level are found in one read and
// hung from the top level, one statement each; their descendants follow them.

#include "arbol_fixture.h"
#include "tree/reenganchador_arbol.h"

using Reenganche = ArbolFixture;

TEST_F(Reenganche, SoloLaCabezaDeCadaCadenaRota) {
  // Rows are (name, parent name); a parent name not among the rows is a missing
  // id, "ajeno" is a node of tree type 3.
  const struct {
    const char* nombre;
    std::vector<std::pair<const char*, const char*>> filas;
    QStringList sueltos;
  } casos[] = {
      {"sano", {{"a", ""}, {"b", "a"}, {"c", "b"}}, {}},
      {"padre que falta con descendientes", {{"a", ""}, {"b", "falta"}, {"c", "b"}, {"d", "c"}}, {"b"}},
      {"padre de otro árbol", {{"a", ""}, {"b", "ajeno"}, {"c", "b"}}, {"b"}},
      {"su propio padre", {{"a", ""}, {"b", "b"}}, {"b"}},
      {"ciclo de dos, el menor id", {{"a", ""}, {"b", "c"}, {"c", "b"}}, {"b"}},
      {"ciclo de tres con cola", {{"x", "z"}, {"y", "x"}, {"z", "y"}, {"t", "y"}, {"u", "t"}}, {"x"}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    SetUp();
    const qint32 ajeno = Nodo(3, "0100000000000000", "ajeno", 0);
    QHash<QString, qint32> ids{{"", 0}, {"ajeno", ajeno}, {"falta", 99999}};
    for (const auto& f : c.filas) ids.insert(f.first, Nodo(2, "0100000000000000", f.first, 0));
    for (const auto& f : c.filas)
      Ejecutar(QStringLiteral("UPDATE Arboles SET id_padre=%1 WHERE ZolmarID=%2")
                   .arg(ids[f.second])
                   .arg(ids[f.first]));
    QVector<qint32> esperados;
    for (const QString& n : c.sueltos) esperados.append(ids[n]);

    arboles::ReenganchadorArbol reenganchador(taz->oGlobales, 2);
    QStringList& enviadas = Grabar();
    EXPECT_EQ(reenganchador.Desenganchados(), esperados);
    EXPECT_EQ(enviadas.size(), 1) << "one read";
    EXPECT_EQ(reenganchador.Reenganchar(), esperados.size());
    QStringList updates = enviadas.filter("UPDATE");
    EXPECT_EQ(updates.size(), esperados.size());
    for (qint32 id : esperados) {
      EXPECT_TRUE(
          updates.contains(QStringLiteral("UPDATE Arboles SET ID_Padre=0 WHERE ZolmarID=%1").arg(id)));
      EXPECT_EQ(Valor(QStringLiteral("SELECT id_padre FROM Arboles WHERE ZolmarID=%1").arg(id)).toInt(), 0);
    }
    EXPECT_TRUE(reenganchador.Desenganchados().isEmpty()) << "nothing is left unreachable";
    EXPECT_EQ(Valor(QStringLiteral("SELECT id_padre FROM Arboles WHERE Tipo=3")).toInt(), 0)
        << "other trees untouched";
  }
}
