// A branch moved under another node must still fit in the eight levels of a key.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include "mover_categorias_fixture.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/ui/tree_view.h"

using arboles::FrmMoverCategorias;

class MoverNivelesTest : public MoverCategoriasFixture {
 protected:
  // A chain N1 > N2 > ... > N7 beside the sample tree, N7 on the seventh level.
  void Cadena() {
    QString clave = QStringLiteral("04");
    QString padre;
    for (int nivel = 1; nivel <= 7; ++nivel) {
      const QString nombre = QStringLiteral("N%1").arg(nivel);
      Nodo(3, nombre, clave.leftJustified(16, '0'), padre);
      padre = nombre;
      clave += QStringLiteral("01");
    }
  }
};

TEST_F(MoverNivelesTest, UnaRamaQueNoCabeEnOchoNivelesSeRechaza) {
  struct Caso {
    const char* origen;
    const char* destino;
    bool aceptado;
  } const casos[] = {
      {"Refrescos", "N7", true},                     // a leaf reaches the eighth level
      {"Vinos", "N6", true},                         // Vinos > Tintos: levels 7 and 8
      {"Vinos", "N7", false},                        // Tintos would be on a ninth level
      {"Bebidas", "N5", true},                       // three levels under the fifth: exactly eight
      {"Bebidas", "N6", false},  {"N2", "/", true},  // a branch moved up always fits
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.origen) + " -> " + c.destino);
    Empresa();
    Cadena();
    const QString antes = zolmar::DatabaseDump::of(*cn);
    ui().queueAnswer(true);
    Organizar([&](FrmMoverCategorias& f) {
      Elegir(f, c.origen, c.destino);
      f.btnAccion[1]->Click();
      EXPECT_EQ(f.AccionRealizada(), c.aceptado);
    });
    if (c.aceptado) {
      Sano();
      continue;
    }
    EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
    ASSERT_FALSE(ui().messages().isEmpty());
    EXPECT_EQ(ui().messages().last().text, QString::fromUtf8("No se pueden añadir más niveles"));
  }
}

// Dragged from the origin tree and dropped onto a node of the destination
// tree (the drop event sent to the view): the move, with its question.
TEST_F(MoverNivelesTest, UnaRamaArrastradaSobreOtroNodoSeAnadeComoNuevoNivel) {
  for (const bool si : {false, true}) {
    SCOPED_TRACE(si);
    Empresa();
    ui().queueAnswer(si);
    Organizar([&](FrmMoverCategorias& f) {
      std::unique_ptr<QMimeData> datos(f.TreeArbol[0]->DragData(K("Vinos")));
      const QPoint punto =
          f.TreeArbol[1]->DropPoint(K(QString::fromUtf8("Alimentación")), zolmar::TreeView::DropOnto);
      QDragEnterEvent entrar(punto, Qt::MoveAction, datos.get(), Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(f.TreeArbol[1]->viewport(), &entrar);
      QDropEvent soltar(QPointF(punto), Qt::MoveAction, datos.get(), Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(f.TreeArbol[1]->viewport(), &soltar);
      EXPECT_EQ(f.AccionRealizada(), si);
    });
    ASSERT_EQ(Preguntas(), 1);
    EXPECT_TRUE(ui().messages().first().text.contains(
        QString::fromUtf8("como hija de la categoría <B>Alimentación</B>")));
    EXPECT_EQ(Clave(Id("Vinos")), si ? "0201000000000000" : "0102000000000000");
  }
}
