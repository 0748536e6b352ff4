// arboles merge and move, run as an administrator runs them, on a company
// file this test also reads.

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "mover_categorias_fixture.h"

namespace {

class ComandoOrganizarTest : public MoverCategoriasFixture {
 protected:
  void SetUp() override {
    Abrir(dir.filePath("empresa.db"));
    ArbolDeEjemplo();
    for (const char* n : {"Tintos", "Tintos", "Vinagres"}) Fila("Articulos", "ID_Categoria1", Id(n));
    Asignaciones({{1, 5, "Tintos"}, {1, 5, "Blancos"}, {2, 6, "Tintos"}});
    mayoristas = InsertarNodo(1, "0100000000000000", "Mayoristas", 0, 0);
  }

  struct Resultado {
    int salida = -1;
    QString out, err;
  };
  Resultado Arboles(const QStringList& args) {
    const QString programa = QCoreApplication::applicationDirPath() + "/../app/arboles";
    EXPECT_TRUE(QFileInfo(programa).isExecutable()) << programa.toStdString();
    QProcess p;
    p.start(programa, QStringList{"--db", dir.filePath("empresa.db")} + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
  }
  QString N(const char* nombre) { return QString::number(Id(QString::fromUtf8(nombre))); }

  QTemporaryDir dir;
  qint32 mayoristas = 0;
};

TEST_F(ComandoOrganizarTest, MergeAndMoveAnswerTheWindowsQuestionsAndCheckTheTree) {
  struct Caso {
    QStringList args;
    int salida;
    QString out;  // expected in stdout
    QString err;  // expected in stderr
  };
  const QList<Caso> casos = {
      {{"merge", N("Tintos"), N("Blancos"), "--delete"},
       0,
       "Articulos: 2 filas\nTarifas: 0 filas\nGruposComisionesX: 0 filas\nArtCompuestos: 0 filas\n"
       "Categorias: 2 filas\nFichas traspasadas: 4\n",
       ""},
      {{"move", N("Refrescos"), N("Vinagres")},
       1,
       "",
       "La categoría de destino esta asignada a 1 referencias."},
      {{"merge", N("Vinos"), N("Vinos")}, 1, "", arboles::FrmMoverCategorias::MensajeNoValida},
      {{"move", N("Refrescos"), N("Alimentación")}, 0, "Arboles: 1 fila\n", ""},
      {{"merge", "x", N("Vinos")}, 2, "", "ID no válido: x"},
      {{"merge", "999999", N("Vinos")}, 2, "", "No existe el nodo 999999"},
      {{"move", QString::number(mayoristas), N("Vinos")}, 2, "", "árboles distintos"},
      {{"move", N("Vinos")}, 2, "", "Uso: move"},
      {{"merge", N("Tintos"), N("Vinos"), "--now"}, 2, "", "Uso: merge"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Resultado r = Arboles(c.args);
    EXPECT_EQ(r.salida, c.salida) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(c.out)) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    if (c.salida == 0) {
      EXPECT_TRUE(r.out.contains("no tiene problemas")) << r.out.toStdString();
    }
  }
  EXPECT_EQ(Cuantas("Arboles", "ZolmarID", Id("Tintos")), 0);
  EXPECT_EQ(Cuantas("Articulos", "ID_Categoria1", Id("Blancos")), 2);
  // The customer who had both keeps one; the supplier follows the merge.
  EXPECT_EQ(Asignadas(), (QStringList{QStringLiteral("1 5 %1").arg(Id("Blancos")),
                                      QStringLiteral("2 6 %1").arg(Id("Blancos"))}));
  EXPECT_EQ(Valor("SELECT ID_Padre FROM Arboles WHERE ZolmarID=" + N("Refrescos")).toInt(),
            Id(QString::fromUtf8("Alimentación")));
  EXPECT_EQ(Cuantas("ZolmarBloqueos", "1", 1), 0);
}

}  // namespace
