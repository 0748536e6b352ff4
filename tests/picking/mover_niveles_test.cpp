// A branch moved under another node must still fit in the eight levels of a key.

#include "mover_categorias_fixture.h"
#include "zolmar/db/database_dump.h"

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
