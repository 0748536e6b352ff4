// The category grid driven as a person uses it: typing names, picking,
// deleting rows, moving on, accepting and cancelling.

#include "categorias_fixture.h"
#include "common/textos_marcados.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/db/fault_injector.h"
#include "zolmar/ui/event_guard.h"
#include "zolmar/ui/list_window.h"
#include "zolmar/ui/st_bar.h"
#include "zolmar/ui/tree_view.h"

namespace {

class FrmCategoriasTest : public CategoriasFixture {
 protected:
  QString Fila(const QString& nombre) { return QString::number(id[nombre]) + " " + nombre; }
  void ElegirConF4(const QString& nombre) {
    ui().whenWaitingFor("FrmBuscaArbol", [this, nombre](QWidget* w) {
      auto* dialogo = static_cast<arboles::FrmBuscaArbol*>(w);
      dialogo->TreeArbol->ClickNode(K(nombre));
      dialogo->btnAceptar->Click();
    });
    Pulsar(Qt::Key_F4);
    // The window manager gives the keyboard back to the grid's window.
    frm->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(frm.get()));
  }
};

QString Borrado(qint32 tipo = 1) {
  return QStringLiteral("DELETE FROM Categorias WHERE Tipo=%1 AND ID_Quien=%2 ; ").arg(tipo).arg(7);
}

TEST_F(FrmCategoriasTest, SinCategoriasUnaFilaVaciaYAceptarNoEscribeNada) {
  AbrirRejilla();
  EXPECT_EQ(frm->windowTitle(), QString::fromUtf8("Categorías"));
  EXPECT_EQ(Filas(), QStringList{""});
  EXPECT_EQ(frm->grdCategorias->horizontalHeaderItem(0)->text(), "ID");
  EXPECT_EQ(frm->grdCategorias->horizontalHeaderItem(1)->text(), "Nombre");
  const QStringList& enviadas = Grabar();
  frm->btnAceptar->Click();
  EXPECT_TRUE(frm->IsClosed());
  EXPECT_TRUE(enviadas.isEmpty()) << enviadas.join('\n').toStdString();
}

TEST_F(FrmCategoriasTest, LlenaEnElOrdenDeLaBaseConSusNombres) {
  Asignar({"Vinagres", "Tintos"});
  Asignar({"Refrescos"}, 2);  // a supplier's row with the same id is not shown
  const QStringList& enviadas = Grabar();
  AbrirRejilla();
  EXPECT_TRUE(enviadas.contains("SELECT * FROM Categorias WHERE Tipo=1 AND ID_Quien=7"));
  EXPECT_EQ(Filas(), (QStringList{QString::number(id["Vinagres"]) + " Vinagres",
                                  QString::number(id["Tintos"]) + " Tintos"}));
  // Colours of the palette: the current row's id 12 and name 10, other ids 11.
  auto* g = frm->grdCategorias;
  EXPECT_EQ(g->CellColor(0, 0), 12);
  EXPECT_EQ(g->CellColor(0, 1), 10);
  EXPECT_EQ(g->CellColor(1, 0), 11);
  EXPECT_EQ(g->CellColor(1, 1), 0);
}

TEST_F(FrmCategoriasTest, GuardarUnLoteConElBorradoYUnaInsercionPorFila) {
  Asignar({"Vinagres"});
  AbrirRejilla();
  Escribir(1, "Tintos");
  Intro();  // validates, adds the one empty row and moves on
  Escribir(2, "Refrescos");
  Intro();
  EXPECT_EQ(Filas().size(), 3);
  const QStringList& enviadas = Grabar();
  frm->btnAceptar->Click();
  EXPECT_TRUE(frm->IsClosed());
  // The categories are checked to exist, then the one batch.
  ASSERT_EQ(enviadas.size(), 2);
  EXPECT_EQ(enviadas[0], QStringLiteral("SELECT ZolmarID FROM Arboles WHERE ZolmarID IN (%1,%2)")
                             .arg(id["Tintos"])
                             .arg(id["Refrescos"]));
  EXPECT_EQ(
      enviadas[1],
      Borrado() + QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, ID_Categoria) VALUES (1, 7, %1) ; "
                                 "INSERT INTO Categorias (Tipo, ID_Quien, ID_Categoria) VALUES (1, 7, %2) ; ")
                      .arg(id["Tintos"])
                      .arg(id["Refrescos"]));
  EXPECT_EQ(Asignadas(), (QStringList{"Tintos", "Refrescos"}));
}

TEST_F(FrmCategoriasTest, SeguirNuncaAnadeDosFilasVacias) {
  AbrirRejilla();
  Intro();  // empty last row: the move is refused
  EXPECT_EQ(Filas(), QStringList{""});
  Escribir(1, "Tintos");
  Intro();
  Intro();  // the new empty row is the last one
  EXPECT_EQ(Filas(), (QStringList{QString::number(id["Tintos"]) + " Tintos", ""}));
  EXPECT_EQ(frm->grdCategorias->Row(), 1);
}

TEST_F(FrmCategoriasTest, CategoriaRepetidaSeRechazaConElCursorEnLaFila) {
  Asignar({"Tintos", "Vinagres"});
  AbrirRejilla();
  Escribir(2, "Tintos");
  Intro();
  ASSERT_TRUE(frm->Modificado());
  const QString antes = zolmar::DatabaseDump::of(*cn);
  frm->btnAceptar->Click();
  EXPECT_FALSE(frm->IsClosed());
  EXPECT_EQ(ui().messageTexts(), QStringList{QString::fromUtf8("No puede haber categorías repetidas")});
  EXPECT_EQ(ui().messages().last().icon, 32516);
  EXPECT_EQ(frm->grdCategorias->Row(), 1);
  EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
}

TEST_F(FrmCategoriasTest, BorrarFilas) {
  const struct {
    const char* caso;
    QStringList asignadas;
    qint32 fila;
    bool si;
    QStringList quedan;  // names of the rows left
    bool modificado;
  } casos[] = {
      {"the only row is emptied", {"Tintos"}, 1, true, {""}, true},
      {"a middle row goes", {"Tintos", "Vinagres", "Refrescos"}, 2, true, {"Tintos", "Refrescos"}, true},
      {"the last row is emptied", {"Tintos", "Vinagres"}, 2, true, {"Tintos", ""}, true},
      {"No keeps everything", {"Tintos", "Vinagres"}, 1, false, {"Tintos", "Vinagres"}, false},
  };
  for (const auto& c : casos) {
    cn->ExecuteSQL("DELETE FROM Categorias");
    Asignar(c.asignadas);
    AbrirRejilla();
    frm->grdCategorias->MoveTo(c.fila - 1, 1);
    ui().queueAnswer(c.si);
    Tecla(frm->grdCategorias, Qt::Key_Delete);
    QStringList nombres;
    for (qint32 f = 1; f <= frm->Filas(); ++f) nombres << frm->NombreFila(f);
    EXPECT_EQ(nombres, c.quedan) << c.caso;
    EXPECT_EQ(frm->Modificado(), c.modificado) << c.caso;
    EXPECT_EQ(ui().messages().last().text, QString::fromUtf8("¿ Desea borrar esta línea ?")) << c.caso;
  }
}

TEST_F(FrmCategoriasTest, VaciarLasFilasYAceptarSoloBorra) {
  Asignar({"Tintos", "Vinagres"});
  AbrirRejilla();
  Escribir(1, "");
  ui().queueAnswer(true);  // "No puede haber líneas sin categoría": the row goes
  Intro();
  EXPECT_EQ(ui().messages().last().text,
            QString::fromUtf8("No puede haber líneas sin categoría.<BR>¿ Desea borrar esta línea ?"));
  EXPECT_EQ(frm->Filas(), 1);
  Escribir(1, "");
  frm->grdCategorias->MoveTo(0, 0);  // leaving the last row empty needs no question
  const QStringList& enviadas = Grabar();
  frm->btnAceptar->Click();
  EXPECT_EQ(enviadas, QStringList{Borrado()});
  EXPECT_TRUE(Asignadas().isEmpty());
}

TEST_F(FrmCategoriasTest, FilaVaciaEnMedioRechazadaMantieneElCursor) {
  Asignar({"Tintos", "Vinagres"});
  AbrirRejilla();
  Escribir(1, "");
  ui().queueAnswer(false);
  EXPECT_FALSE(frm->grdCategorias->MoveTo(1, 1));
  EXPECT_EQ(frm->grdCategorias->Row(), 0);
  EXPECT_TRUE(frm->grdCategorias->EditorVisible());
  EXPECT_EQ(frm->getGrid->LastTip(), QString::fromUtf8("El nombre de la categoria no es válido"));
  // The row was emptied by the refused validation: its assignment is gone on save.
  EXPECT_TRUE(frm->Modificado());
}

TEST_F(FrmCategoriasTest, NombreEscritoSeResuelvePorElDescriptor) {
  Nodo(3, "Tintos", "0201010000000000", "Vinagres");  // a second "Tintos"
  const struct {
    const char* caso;
    QString texto;
    qint32 elegir;  // row chosen in the list; -1 no list expected
    bool valido;
    QString nombre;
  } casos[] = {
      {"unique name", "Refres", -1, true, "Refrescos"},
      {"several names: the list", "Tintos", 1, true, "Tintos"},
      {"no such name", "Cervezas", -1, false, ""},
      {"apostrophe", "D'Oro", -1, true, "D'Oro [especial]"},
      {"percent", "%", -1, false, ""},
      {"underscore", "_", -1, false, ""},
      {"bracket", "[", -1, false, ""},
      {"asterisk alone", "*x*", -1, false, ""},
      {"60 characters", QString(60, 'a'), -1, false, ""},
      {"number that is no node", "999999", -1, false, ""},
  };
  for (const auto& c : casos) {
    cn->ExecuteSQL("DELETE FROM Categorias");
    AbrirRejilla();
    if (c.elegir >= 0)
      ui().whenWaitingFor("BusquedaComun",
                          [&](QWidget* w) { static_cast<zolmar::ListWindow*>(w)->ChooseRow(c.elegir); });
    const QStringList& enviadas = Grabar();
    Escribir(1, c.texto);
    bool cancelar = false;
    frm->getGrid_Validate(cancelar);
    EXPECT_EQ(!cancelar, c.valido) << c.caso;
    EXPECT_EQ(frm->NombreFila(1), c.nombre) << c.caso;
    EXPECT_EQ(ui().pendingScripts(), 0) << c.caso;
    for (const QString& sql : enviadas)
      EXPECT_FALSE(sql.contains(";") || sql.contains("DELETE") || sql.contains("UPDATE"))
          << c.caso << sql.toStdString();
    if (!c.valido) {
      EXPECT_EQ(frm->getGrid->LastTip(), QString::fromUtf8("El nombre de la categoria no es válido"))
          << c.caso;
    }
  }
}

TEST_F(FrmCategoriasTest, QuitarElNombreDeUnaFilaBorraSuAsignacion) {
  Asignar({"Tintos", "Vinagres"});
  AbrirRejilla();
  Escribir(2, "");
  Intro();  // last row: emptied without a question
  frm->btnAceptar->Click();
  EXPECT_TRUE(frm->IsClosed());
  EXPECT_EQ(Asignadas(), QStringList{"Tintos"});
}

TEST_F(FrmCategoriasTest, ElegirConElDialogoDeBusqueda) {
  AbrirRejilla(2);
  Escribir(1, "");
  ui().whenWaitingFor("FrmBuscaArbol", [this](QWidget* w) {
    auto* dialogo = static_cast<arboles::FrmBuscaArbol*>(w);
    EXPECT_FALSE(dialogo->TreeArbol->Checkboxes());
    dialogo->TreeArbol->ClickNode(K("Vinos"));  // a node with children may be chosen
    dialogo->btnAceptar->Click();
  });
  frm->getGrid->PressBuscar();
  EXPECT_EQ(frm->IdFila(1), id["Vinos"]);
  EXPECT_EQ(frm->getGrid->Text(), "Vinos");
  EXPECT_TRUE(frm->Modificado());
  EXPECT_TRUE(frm->isEnabled());
  frm->btnAceptar->Click();
  EXPECT_EQ(Asignadas(2), QStringList{"Vinos"});
}

TEST_F(FrmCategoriasTest, CancelarPreguntaSoloSiHayCambios) {
  for (bool si : {false, true}) {
    Asignar({"Tintos"});
    AbrirRejilla();
    frm->grdCategorias->MoveTo(0, 1);
    ui().queueAnswer(true);
    Tecla(frm->grdCategorias, Qt::Key_Delete);
    ui().queueAnswer(si);
    frm->PressKey(27);  // Escape: cancel
    EXPECT_EQ(ui().messages().last().text, QString::fromUtf8("¿ Desea cancelar los cambios ?"));
    EXPECT_EQ(frm->IsClosed(), si);
    EXPECT_EQ(Asignadas(), QStringList{"Tintos"});
    cn->ExecuteSQL("DELETE FROM Categorias");
  }
  AbrirRejilla();
  frm->btnCancelar->Click();
  EXPECT_TRUE(frm->IsClosed());
}

TEST_F(FrmCategoriasTest, TeclaDeAceptarGuarda) {
  AbrirRejilla();
  Escribir(1, "Tintos");
  Intro();
  frm->PressKey(112 + 9);  // F10
  EXPECT_TRUE(frm->IsClosed());
  EXPECT_EQ(Asignadas(), QStringList{"Tintos"});
}

// Another user merged a category away while the grid was open: saving would
// write it back pointing at nothing. Its row is shown; nothing is written.
TEST_F(FrmCategoriasTest, UnaCategoriaQueYaNoExisteNoSeGuarda) {
  Asignar({"Tintos", "Vinagres"});
  AbrirRejilla();
  Escribir(2, "Refrescos");
  Intro();
  cn->ExecuteSQL(QStringLiteral("DELETE FROM Arboles WHERE ZolmarID=%1").arg(id["Tintos"]));
  const QString antes = zolmar::DatabaseDump::of(*cn);
  frm->btnAceptar->Click();
  EXPECT_FALSE(frm->IsClosed());
  EXPECT_EQ(ui().messageTexts(),
            QStringList{QString::fromUtf8(
                "La categoría <B>Tintos</B> ya no existe.<BR>Elija otra o borre la línea.")});
  EXPECT_EQ(frm->grdCategorias->Row(), 0);
  EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
  ui().queueAnswer(true);
  Tecla(frm->grdCategorias, Qt::Key_Delete);
  frm->btnAceptar->Click();
  EXPECT_TRUE(frm->IsClosed());
  EXPECT_EQ(Asignadas(), QStringList{"Refrescos"});
}

// Whatever statement of the batch fails, the customer keeps the assignments
// it had and the window stays open with the person's rows.
TEST_F(FrmCategoriasTest, LoteFallidoNoTocaLasAsignaciones) {
  Asignar({"Tintos", "Vinagres"});
  const auto cambiar = [this] {
    AbrirRejilla();
    Escribir(2, "Refrescos");
    Intro();
  };
  qint32 total = 0;
  {
    cambiar();
    zolmar::FaultInjector contador(cn, 0);
    frm->btnAceptar->Click();
    total = contador.statements();
  }
  ASSERT_EQ(total, 4);
  cn->ExecuteSQL("DELETE FROM Categorias");
  Asignar({"Tintos", "Vinagres"});
  const QString antes = zolmar::DatabaseDump::of(*cn);
  for (qint32 k = 1; k <= total; ++k) {
    cambiar();
    zolmar::FaultInjector fallo(cn, k);
    frm->btnAceptar->Click();
    EXPECT_TRUE(fallo.fired()) << k;
    EXPECT_FALSE(frm->IsClosed()) << k;
    EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes) << k;
    EXPECT_EQ(frm->NombreFila(2), "Refrescos") << k;
  }
}

// "Tintos" names two nodes: the one picked stays when the person moves on
// (it is not looked up again by its name), and what is typed in the row
// that Return added stays in that row.
TEST_F(FrmCategoriasTest, LoElegidoConF4YLoEscritoEnLaFilaNuevaSeQuedan) {
  Nodo(3, "Tintos reserva", "0102030000000000", "Vinos");
  AbrirActiva();
  Pulsar(Qt::Key_Return);  // on the grid: starts the edit
  ASSERT_TRUE(frm->grdCategorias->EditorVisible());
  ElegirConF4("Tintos");
  EXPECT_EQ(frm->IdFila(1), id["Tintos"]);
  Pulsar(Qt::Key_Return);
  EXPECT_EQ(Filas(), (QStringList{Fila("Tintos"), ""}));
  EXPECT_EQ(frm->grdCategorias->Row(), 1);
  Teclear("Blancos");
  EXPECT_EQ(frm->grdCategorias->Row(), 1);
  EXPECT_EQ(frm->getGrid->Text(), "Blancos");
  Pulsar(Qt::Key_Return);
  EXPECT_EQ(Filas(), (QStringList{Fila("Tintos"), Fila("Blancos"), ""}));
  ElegirConF4("Tintos reserva");  // F4 on the new empty row
  Pulsar(Qt::Key_Tab);
  EXPECT_EQ(Filas(), (QStringList{Fila("Tintos"), Fila("Blancos"), Fila("Tintos reserva"), ""}));
  frm->btnAceptar->Click();
  EXPECT_TRUE(frm->IsClosed());
  EXPECT_EQ(Asignadas(), (QStringList{"Tintos", "Blancos", "Tintos reserva"}));
}

// The same after a name several categories share: the list chosen from,
// the next row takes what is typed.
TEST_F(FrmCategoriasTest, TrasLaListaLoEscritoEnLaFilaNuevaSeQueda) {
  Nodo(3, "Tintos reserva", "0102030000000000", "Vinos");
  AbrirActiva();
  Pulsar(Qt::Key_Return);
  Teclear("Tintos");
  ui().whenWaitingFor("BusquedaComun", [](QWidget* w) {
    auto* lista = static_cast<zolmar::ListWindow*>(w);
    EXPECT_EQ(lista->VisibleRowCount(), 2);
    lista->ChooseRow(1);
  });
  Pulsar(Qt::Key_Return);
  EXPECT_EQ(ui().pendingScripts(), 0);
  // The window manager gives the keyboard back to the grid's window.
  frm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
  EXPECT_EQ(frm->grdCategorias->Row(), 1);
  Teclear("Blancos");
  EXPECT_EQ(frm->getGrid->Text(), "Blancos");
  Pulsar(Qt::Key_Return);
  EXPECT_EQ(Filas(), (QStringList{Fila("Tintos reserva"), Fila("Blancos"), ""}));
}

// The row rules with the keyboard and the mouse: one empty row when there
// are none, one added when moving on from the last, never a second empty one.
TEST_F(FrmCategoriasTest, LasReglasDeLasFilasConTecladoYRaton) {
  AbrirActiva();
  EXPECT_EQ(Filas(), QStringList{""});
  Raton(1, 1, true);  // a double click on the current cell edits it
  ASSERT_TRUE(frm->grdCategorias->EditorVisible());
  Pulsar(Qt::Key_Return);  // an empty last row does not move on
  EXPECT_EQ(Filas(), QStringList{""});
  Teclear("Vinagres");
  Pulsar(Qt::Key_Return);
  EXPECT_EQ(Filas(), (QStringList{Fila("Vinagres"), ""}));
  Pulsar(Qt::Key_Return);
  EXPECT_EQ(Filas(), (QStringList{Fila("Vinagres"), ""}));
  EXPECT_EQ(frm->grdCategorias->Row(), 1);
  Raton(1, 1);  // leaving the empty last row asks nothing
  EXPECT_EQ(frm->grdCategorias->Row(), 0);
  EXPECT_FALSE(frm->grdCategorias->EditorVisible());
  Teclear("Refr");  // typing on the grid opens the editor with what is typed
  EXPECT_EQ(frm->getGrid->Text(), "Refr");
  Raton(2, 1, true);  // the first click validates the row left, the double click edits
  EXPECT_EQ(Filas(), (QStringList{Fila("Refrescos"), ""}));
  EXPECT_EQ(frm->grdCategorias->Row(), 1);
  EXPECT_TRUE(frm->grdCategorias->EditorVisible());
  EXPECT_EQ(Foco(), frm->getGrid->lineEdit());
  Teclear("Tintos");
  Raton(1, 0);  // a click elsewhere validates the row being typed
  EXPECT_EQ(Filas(), (QStringList{Fila("Refrescos"), Fila("Tintos")}));
  ui().queueAnswer(true);
  Pulsar(Qt::Key_Delete);
  ui().queueAnswer(true);
  Pulsar(Qt::Key_Delete);
  EXPECT_EQ(Filas(), QStringList{""});
  EXPECT_EQ(ui().messages().size(), 2);
}

// An assignment whose node is gone shows its id without a name: it is an
// empty row to the person, not a resolved one.
TEST_F(FrmCategoriasTest, UnaFilaSinNombreNoSeDaPorBuena) {
  Asignar({"Tintos"});
  cn->ExecuteSQL("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 7, 999999)");
  Asignar({"Vinagres"});
  AbrirRejilla();
  EXPECT_EQ(Filas()[1], "999999");
  Escribir(2, "");
  ui().queueAnswer(true);
  Intro();
  EXPECT_EQ(ui().messages().isEmpty() ? QString() : ui().messages().last().text,
            QString::fromUtf8("No puede haber líneas sin categoría.<BR>¿ Desea borrar esta línea ?"));
  EXPECT_EQ(Filas(), (QStringList{Fila("Tintos"), Fila("Vinagres")}));
}

// A name alone can be ambiguous: the name cell's tip and the status bar
// show its place in the tree.
TEST_F(FrmCategoriasTest, LaRutaDeCadaCategoriaEnSuConsejoYEnLaBarra) {
  const qint32 tintos = id["Tintos"];
  const qint32 otros = Nodo(3, "Tintos", "0201010000000000", "Vinagres");
  taz->UpdateRutaPadre(3);
  cn->ExecuteSQL(QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 7, %1) ; "
                                "INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 7, %2)")
                     .arg(tintos)
                     .arg(otros));
  AbrirActiva();
  auto* g = frm->grdCategorias;
  const QString primera = QString::fromUtf8("Bebidas:Vinos:Tintos");
  const QString segunda = QString::fromUtf8("Alimentación:Vinagres:Tintos");
  EXPECT_EQ(g->item(0, 1)->toolTip(), primera);
  EXPECT_EQ(g->item(1, 1)->toolTip(), segunda);
  EXPECT_EQ(frm->stbEstado->PanelText(1), primera);
  Raton(2, 1, true);
  EXPECT_EQ(frm->stbEstado->PanelText(1), segunda);
  EXPECT_EQ(frm->getGrid->ToolTip(), segunda);
  ElegirConF4("Refrescos");
  EXPECT_EQ(frm->stbEstado->PanelText(1), QString::fromUtf8("Bebidas:Refrescos"));
  EXPECT_EQ(g->item(1, 1)->toolTip(), QString::fromUtf8("Bebidas:Refrescos"));
}

// Whichever statement of the fill fails, the error reaches the handler of
// the window that asked for the grid and no grid opens: an empty one saved
// would delete the assignments it could not show.
TEST_F(FrmCategoriasTest, UnaLecturaFallidaNoAbreLaVentana) {
  Asignar({"Tintos", "Vinagres"});
  qint32 total = 0;
  {
    zolmar::FaultInjector contador(cn, 0);
    AbrirRejilla();
    total = contador.statements();
  }
  frm.reset();
  ASSERT_EQ(total, 6);  // the tree and category tables, the rows, each row's name, the paths
  const QString antes = zolmar::DatabaseDump::of(*cn);
  for (qint32 k = 1; k <= total; ++k) {
    SCOPED_TRACE(k);
    ui().clear();
    zolmar::FrmBasico listado;
    listado.SetAppGlobal(host->appGlobal(), QStringLiteral("FrmListadoClientes"));
    zolmar::FaultInjector fallo(cn, k);
    zolmar::EventGuard::Run(&listado, [&] { categorias->MostrarFicha(1, kCliente, false); });
    EXPECT_TRUE(fallo.fired());
    for (QWidget* w : QApplication::topLevelWidgets())
      EXPECT_EQ(qobject_cast<arboles::FrmCategorias*>(w), nullptr);
    ASSERT_FALSE(ui().messages().isEmpty());
    EXPECT_EQ(ui().messages().last().icon, arboles::IconError);
    EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
  }
}

}  // namespace

// Every text of the grid, its tips and bar, and every message it shows reach
// the person through the translation.
TEST_F(FrmCategoriasTest, TodosSusTextosSeTraducen) {
  TextosMarcados::Marcar(*host);
  Asignar({"Tintos", "Vinagres"});
  AbrirRejilla();
  EXPECT_EQ(TextosMarcados::SinMarcar(frm.get(), {"Tintos"}).join("\n").toStdString(), "");
  Escribir(2, "Tintos");
  Intro();
  frm->btnAceptar->Click();  // repeated: refused
  ui().queueAnswer(false);
  frm->PressKey(27);  // the question to cancel the changes
  EXPECT_EQ(TextosMarcados::SinMarcar(frm.get(), {"Tintos"}).join("\n").toStdString(), "");
  ASSERT_GE(ui().messages().size(), 2);
  EXPECT_EQ(TextosMarcados::MensajesSinMarcar(ui()).join("\n").toStdString(), "");
}
