// The restaurant categories created from a consultant database, driven as a
// person drives the window: choosing the consultant, the checks, and what
// the creation writes.

#include "common/textos_marcados.h"
#include "crear_categorias_rest_fixture.h"
#include "zolmar/db/database_dump.h"

namespace {

using arboles::FrmCrearCategoriasRest;
using CrearCategoriasRestTest = CrearCategoriasRestFixture;

TEST_F(CrearCategoriasRestTest, MuestraLosDosPrimerosNivelesDelConsultorBajoLaRaiz) {
  FrmCrearCategoriasRest* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  EXPECT_EQ(frm->windowTitle(), QString::fromUtf8("Crear categorías de artículos de restaurante"));
  const zolmar::TreeNode raiz = frm->TreeArbol->Node(K(FrmCrearCategoriasRest::IdRaiz));
  ASSERT_TRUE(raiz);
  EXPECT_EQ(raiz.Text(), "Restaurante");
  EXPECT_EQ(frm->TreeArbol->topLevelItemCount(), 1);
  EXPECT_EQ(raiz.Children(), 3);
  EXPECT_EQ(frm->TreeArbol->Node(K(5)).Parent(), frm->TreeArbol->Node(K(4)));
  EXPECT_FALSE(frm->TreeArbol->Node(K(6))) << "the consultant's third level is not offered";
  EXPECT_EQ(frm->IdSeleccionado(), FrmCrearCategoriasRest::IdRaiz);
  EXPECT_EQ(raiz.BackColor(), zolmar::TreeView::ActiveTitleBarColor());
  frm->TreeArbol->ClickNode(K(4));
  EXPECT_EQ(frm->IdSeleccionado(), 4);
  EXPECT_EQ(raiz.BackColor(), zolmar::TreeView::WindowBackgroundColor());
  EXPECT_EQ(frm->TreeArbol->Node(K(4)).BackColor(), zolmar::TreeView::ActiveTitleBarColor());
}

TEST_F(CrearCategoriasRestTest, LasMarcasSiguenADescendientesYAntecesores) {
  const qint32 raiz = FrmCrearCategoriasRest::IdRaiz;
  const struct {
    const char* nombre;
    std::function<void(FrmCrearCategoriasRest&)> acciones;
    QList<qint32> marcados;
  } casos[] = {
      {"a subcategory checks its family and the root", [](auto& f) { Marcar(f, 5); }, {raiz, 4, 5}},
      {"unchecking it leaves them checked",
       [](auto& f) {
         Marcar(f, 5);
         Marcar(f, 5);
       },
       {raiz, 4}},
      {"a family checks its subcategories", [](auto& f) { Marcar(f, 1); }, {raiz, 1, 2, 3}},
      {"the root checks everything", [](auto& f) { Marcar(f, raiz); }, {raiz, 1, 2, 3, 4, 5, 7, 8}},
      {"the space bar acts as the click",
       [](auto& f) {
         f.TreeArbol->setSelectedItem(f.TreeArbol->Node(K(7)));
         f.TreeArbol->PressKey(32);
       },
       {raiz, 4, 7}},
  };
  for (const auto& c : casos) {
    FrmCrearCategoriasRest* frm = Ventana();
    ASSERT_NE(frm, nullptr);
    c.acciones(*frm);
    EXPECT_EQ(Marcados(*frm), c.marcados) << c.nombre;
  }
}

TEST_F(CrearCategoriasRestTest, UnArbolVacioRecibeLaRamaYSusFamiliasConSusClaves) {
  FrmCrearCategoriasRest* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  ASSERT_TRUE(Crear(*frm, {2, 5, 7}));
  EXPECT_EQ(ui().messageTexts(), QStringList{QString::fromUtf8("El proceso ha concluido con éxito")});
  const QStringList rama = Nodo("Restaurante", 0);
  ASSERT_FALSE(rama.isEmpty());
  EXPECT_EQ(rama[1], "0100000000000000");
  const qint32 idRama = rama[0].toInt();
  const QStringList entrantes = Nodo("Entrantes", idRama);
  const QStringList carnes = Nodo("Carnes", idRama);
  EXPECT_EQ(entrantes.mid(1), QStringList({"0101000000000000", "Restaurante:", "111111"}));
  EXPECT_EQ(carnes.mid(1, 2), QStringList({"0102000000000000", "Restaurante:"}));
  EXPECT_EQ(Nodo("Ensaladas", entrantes[0].toInt()).mid(1, 2),
            QStringList({"0101010000000000", "Restaurante:Entrantes:"}));
  EXPECT_EQ(Nodo("Ternera", carnes[0].toInt()).value(1), "0102010000000000");
  EXPECT_EQ(Nodo("Cordero", carnes[0].toInt()).value(1), "0102020000000000");
  EXPECT_EQ(Filas(), 6) << "Sopas and Postres were not checked";
}

TEST_F(CrearCategoriasRestTest, SeReutilizanLaRamaLasFamiliasYLasHojasPorNombre) {
  InsertarNodo(3, "0100000000000000", "Bebidas", 0, 0);
  InsertarNodo(3, "0200000000000000", "Menaje", 0, 0);
  const qint32 rama = InsertarNodo(3, "0300000000000000", "restaurante", 0, 0);
  const qint32 carnes = InsertarNodo(3, "0301000000000000", "Carnes", rama, 0);
  const qint32 ternera = InsertarNodo(3, "0301010000000000", "Ternera", carnes, 0);
  InsertarNodo(3, "0301010100000000", "Lomo", ternera, 0);
  InsertarNodo(3, "0301050000000000", "Cordero", carnes, 0);
  const qint32 antes = Filas();

  FrmCrearCategoriasRest* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  ASSERT_TRUE(Crear(*frm, {5, 7}));
  EXPECT_EQ(Filas(), antes + 1) << "only the new leaf Ternera";
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Arboles WHERE Nombre='Restaurante'").toInt(), 1);
  EXPECT_EQ(Nodo("Ternera", carnes).value(1), "0301010000000000") << "the node with children is kept";
  EXPECT_EQ(Valor(QStringLiteral("SELECT Clave FROM Arboles WHERE Nombre='Ternera' AND ID_Padre=%1 AND "
                                 "ZolmarID<>%2")
                      .arg(carnes)
                      .arg(ternera))
                .toString(),
            "0301060000000000")
      << "a new leaf after the greatest segment";

  FrmCrearCategoriasRest* otra = Ventana();
  ASSERT_NE(otra, nullptr);
  ASSERT_TRUE(Crear(*otra, {5, 7}));
  EXPECT_EQ(Filas(), antes + 1) << "a second run with the same checks adds nothing";
}

TEST_F(CrearCategoriasRestTest, UnaFamiliaSinSubcategoriasNoCreaNada) {
  InsertarNodo(3, "0100000000000000", "Restaurante", 0, 0);
  const QString antes = zolmar::DatabaseDump::of(*cn);
  FrmCrearCategoriasRest* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  ASSERT_TRUE(Crear(*frm, {8}));
  EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
}

TEST_F(CrearCategoriasRestTest, SinMarcasOCancelandoNoSeEscribeNada) {
  FrmCrearCategoriasRest* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  frm->btnAceptar->Click();
  EXPECT_EQ(ui().messageTexts(), QStringList{QString::fromUtf8("No ha seleccionado ninguna categoría")});
  Marcar(*frm, 2);
  ui().queueAnswer(false);
  frm->btnAceptar->Click();
  EXPECT_FALSE(frm->IsClosed());
  ui().queueAnswer(false);
  frm->btnCancelar->Click();
  EXPECT_FALSE(frm->IsClosed());
  EXPECT_EQ(ui().messages().last().text, QString::fromUtf8("¿Desea cancelar los cambios?"));
  ui().queueAnswer(true);
  frm->btnCancelar->Click();
  EXPECT_TRUE(frm->IsClosed());
  EXPECT_EQ(Filas(), 0);
}

TEST_F(CrearCategoriasRestTest, ConVariosConsultoresSeEligeEnUnMenu) {
  Consultor("Zolmar_Cons#2", {{1, 0, "0100000000000000", "Tapas"}, {2, 1, "0101000000000000", "Frías"}});
  const struct {
    int eleccion;
    const char* consultor;  // empty: nothing shown
  } casos[] = {{2, "Zolmar_Cons#2"}, {1, "Zolmar_Cons#1"}, {3, ""}, {0, ""}};
  for (const auto& c : casos) {
    ui().clear();
    ui().queueAnswer(c.eleccion);
    FrmCrearCategoriasRest* frm = Ventana();
    ASSERT_EQ(ui().messages().size(), 1);
    EXPECT_EQ(ui().messages().first().kind, "choice");
    EXPECT_EQ(ui().messages().first().title, QString::fromUtf8("Selección un consultor de artículos..."));
    EXPECT_EQ(ui().messages().first().text, "Zolmar_Cons#1\nZolmar_Cons#2\n&Salir");
    EXPECT_EQ(frm != nullptr, *c.consultor != 0) << c.eleccion;
    if (frm) {
      EXPECT_EQ(frm->Consultor(), c.consultor);
    }
  }
}

TEST_F(CrearCategoriasRestTest, SinConsultorNoSeAbreYSeAvisa) {
  ASSERT_TRUE(QFile::remove(dir_.filePath(QString::fromLatin1(zolmar::Schema::kConsultantDatabase) + ".db")));
  EXPECT_FALSE(taz->MostrarCrearCategoriasRest());
  EXPECT_EQ(ui().messageTexts(),
            QStringList{QString::fromUtf8("Primero debe instalar el consultor de artículos con fotografía")});
}

TEST_F(CrearCategoriasRestTest, MostrarCrearCategoriasRestEsperaHastaQueSeCierra) {
  ui().whenWaitingFor("FrmCrearCategoriasRest", [this](QWidget* w) {
    auto* frm = static_cast<FrmCrearCategoriasRest*>(w);
    EXPECT_TRUE(Crear(*frm, {3}));
  });
  EXPECT_TRUE(taz->MostrarCrearCategoriasRest());
  EXPECT_EQ(ui().pendingScripts(), 0);
  EXPECT_EQ(Filas(), 3);
}

}  // namespace

TEST_F(CrearCategoriasRestTest, TodosSusTextosSeTraducen) {
  TextosMarcados::Marcar(*host);
  FrmCrearCategoriasRest* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  EXPECT_EQ(TextosMarcados::SinMarcar(frm, {"Zolmar_Cons#1"}).join("\n").toStdString(), "");
  frm->btnAceptar->Click();  // nothing checked
  ui().queueAnswer(false);
  Marcar(*frm, 2);
  frm->btnCancelar->Click();
  EXPECT_EQ(ui().messages().size(), 2);
  EXPECT_EQ(TextosMarcados::MensajesSinMarcar(ui()).join("\n").toStdString(), "");
}
