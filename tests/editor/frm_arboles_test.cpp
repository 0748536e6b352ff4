// The tree editor driven as a person drives it: opening and locking, the
// tree and the record browser, saving and the deleted mark.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

#include "common/textos_marcados.h"
#include "editor_fixture.h"
#include "zolmar/ui/frame.h"
#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/st_bar.h"

using arboles::FrmArboles;
using zolmar::CtlFicha;

TEST_F(EditorTest, MostrarFichaAbreElEditorDeCadaTipoConSusTitulos) {
  const struct {
    qint32 tipo;
    const char* titulo;
    const char* listar;
  } casos[] = {{1, "Árbol de Grupos de Clientes", " Listar clientes"},
               {2, "Árbol de Grupos de Proveedores/Acreedores", " Listar proveedores"},
               {3, "Árbol de Categorías de Artículos", " Listar artículos"}};
  for (const auto& c : casos) {
    ASSERT_TRUE(taz->MostrarFicha(c.tipo));
    FrmArboles* frm = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* f = qobject_cast<FrmArboles*>(w);
      if (f && f->TipoArbol() == c.tipo && !f->IsClosed()) frm = f;
    }
    ASSERT_NE(frm, nullptr);
    ventanas_.append(frm);
    EXPECT_EQ(frm->windowTitle(), QString::fromUtf8(c.titulo));
    EXPECT_EQ(frm->btnAccion[5]->Caption(), QString::fromUtf8(c.listar));
    EXPECT_FALSE(frm->Frame2->isVisible());
    EXPECT_GE(frm->frameGeometry().top(), zolmar::FrmBasico::kMinTop);
    EXPECT_FALSE(taz->MostrarFicha(c.tipo)) << "a second editor of the same tree type";
  }
  EXPECT_FALSE(taz->MostrarFicha(4));
}

TEST_F(EditorTest, ElBloqueoDuraHastaQueSeCierraElEditor) {
  FrmArboles* primero = Editor(3);
  ASSERT_NE(primero, nullptr);
  EXPECT_EQ(Editor(3), nullptr);
  EXPECT_NE(Editor(1), nullptr) << "another tree type opens";
  ASSERT_TRUE(primero->Unload());
  EXPECT_NE(Editor(3), nullptr) << "closing released the lock";
}

TEST_F(EditorTest, OtroProcesoConElArbolAbiertoImpideAbrirlo) {
  QTemporaryDir dir;
  const QString db = dir.filePath(QStringLiteral("empresa.db"));
  Abrir(db);
  int tubo[2];
  ASSERT_EQ(pipe(tubo), 0);
  const pid_t hijo = fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    // The other process: takes the editor's lock on the same tree and waits.
    auto otro = zolmar::Host::open(db);
    const bool refused = otro->appGlobal()->LockTable(3, true, "Arboles", 0, "Tipo=3", 3);
    const char r = refused ? 'n' : 'y';
    (void)!write(tubo[1], &r, 1);
    pause();
    _exit(0);
  }
  char r = 0;
  ASSERT_EQ(read(tubo[0], &r, 1), 1);
  ASSERT_EQ(r, 'y');
  EXPECT_EQ(Editor(3), nullptr);
  EXPECT_NE(Editor(2), nullptr);
  kill(hijo, SIGKILL);
  waitpid(hijo, nullptr, 0);
  EXPECT_NE(Editor(3), nullptr) << "the lock of a process that died is taken over";
}

TEST_F(EditorTest, CargarArbolConClavesTextosYNodoResaltado) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas  ", 0, 0, 0, "Tipo de bebida");
  const qint32 vinos = Nodo(3, "0101000000000000", "Vinos", bebidas, 0, 0, "Uva");
  const qint32 comida = Nodo(3, "0200000000000000", "Comida", 0, 0, 0, "   ");
  Nodo(1, "0100000000000000", "Mayoristas");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->TreeArbol->Nodes().Count(), 3);
  EXPECT_EQ(f->TreeArbol->Node(QStringLiteral("K=%1").arg(bebidas)).Text(), "Bebidas - (Tipo de bebida)");
  EXPECT_EQ(f->TreeArbol->Node(QStringLiteral("K=%1").arg(vinos)).Text(), "Vinos");
  EXPECT_EQ(f->TreeArbol->Node(QStringLiteral("K=%1").arg(comida)).Text(), "Comida");
  EXPECT_EQ(f->TreeArbol->Node(QStringLiteral("K=%1").arg(vinos)).Parent().Key(),
            QStringLiteral("K=%1").arg(bebidas));
  EXPECT_TRUE(f->TreeArbol->Visible());

  // Selection both ways: a click moves the browser, a browser move moves the highlight.
  ASSERT_TRUE(f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(vinos)));
  EXPECT_EQ(f->CtlFicha->FichaDB()->CurrentID(), vinos);
  EXPECT_EQ(f->getNombre->Text(), "Vinos");
  EXPECT_EQ(f->sayNombre->Text(), "Vinos");
  f->CtlFicha->pressNext();
  EXPECT_EQ(f->ClaveResaltada(), QStringLiteral("K=%1").arg(comida));
  const auto resaltado = f->TreeArbol->Node(QStringLiteral("K=%1").arg(comida));
  EXPECT_EQ(resaltado.BackColor(), zolmar::TreeView::ActiveTitleBarColor());
  EXPECT_EQ(resaltado.ForeColor(), zolmar::TreeView::ActiveTitleBarTextColor());
  EXPECT_EQ(f->TreeArbol->Node(QStringLiteral("K=%1").arg(vinos)).BackColor(),
            zolmar::TreeView::WindowBackgroundColor());
}

// Record navigation moves the tree's selection and highlight whichever
// control has the focus, the tree included.
TEST_F(EditorTest, NavegarSeleccionaElNodoAunqueElArbolTengaElFoco) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas");
  const qint32 vinos = Nodo(3, "0101000000000000", "Vinos", bebidas);
  const qint32 comida = Nodo(3, "0200000000000000", "Comida");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  QApplication::setActiveWindow(f);
  f->TreeArbol->ClickNode(K(vinos));
  f->TreeArbol->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), f->TreeArbol);
  const struct {
    void (CtlFicha::*mover)();
    qint32 esperado;
  } pasos[] = {
      {&CtlFicha::pressNext, comida}, {&CtlFicha::pressFirst, bebidas}, {&CtlFicha::pressNext, vinos}};
  for (const auto& p : pasos) {
    (f->CtlFicha->*p.mover)();
    ASSERT_EQ(f->CtlFicha->FichaDB()->CurrentID(), p.esperado);
    EXPECT_EQ(f->TreeArbol->SelectedItem().Key(), K(p.esperado));
    EXPECT_EQ(f->ClaveResaltada(), K(p.esperado));
    for (const qint32 id : {bebidas, vinos, comida})
      EXPECT_EQ(f->TreeArbol->Node(K(id)).Highlighted(), id == p.esperado) << id;
  }
}

// Nodes with the mark read "[BORRADO]" in grey; highlighted, they take the
// highlight colours like any other. The name itself is not touched.
TEST_F(EditorTest, LosNodosMarcadosSeVenDistintos) {
  const qint32 vivo = Nodo(3, "0100000000000000", "Vivo");
  const qint32 marcado = Nodo(3, "0200000000000000", "Antiguo", 0, 2);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(K(vivo));
  const zolmar::TreeNode nodo = f->TreeArbol->Node(K(marcado));
  EXPECT_EQ(nodo.Text(), "Antiguo");
  EXPECT_EQ(nodo.DisplayText(), "Antiguo [BORRADO]");
  EXPECT_EQ(nodo.ForeColor(), zolmar::TreeView::DeletedTextColor());
  EXPECT_NE(zolmar::TreeView::DeletedTextColor(), zolmar::TreeView::WindowTextColor());
  EXPECT_EQ(f->TreeArbol->Node(K(vivo)).DisplayText(), "Vivo");
  f->TreeArbol->ClickNode(K(marcado));
  EXPECT_EQ(nodo.ForeColor(), zolmar::TreeView::ActiveTitleBarTextColor());
  EXPECT_EQ(nodo.BackColor(), zolmar::TreeView::ActiveTitleBarColor());
  f->TreeArbol->ClickNode(K(vivo));
  EXPECT_EQ(nodo.ForeColor(), zolmar::TreeView::DeletedTextColor());
  EXPECT_EQ(Valor(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(marcado)).toString(),
            "Antiguo");
}

TEST_F(EditorTest, BotonesSegunElModoDelNavegador) {
  Nodo(3, "0100000000000000", "Bebidas");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  const auto estado = [f](bool navegando) {
    for (int i : {0, 1, 2, 4, 5}) EXPECT_EQ(f->btnAccion[i]->Enabled(), navegando) << i;
    EXPECT_FALSE(f->btnAccion[3]->Enabled());
    EXPECT_EQ(f->btnOrden[0]->Enabled(), navegando);
    EXPECT_EQ(f->btnGuardar->Enabled(), !navegando);
    EXPECT_EQ(f->btnCancelar->Enabled(), !navegando);
  };
  estado(true);
  f->CtlFicha->pressEdit();
  ASSERT_EQ(f->CtlFicha->Mode(), CtlFicha::Editing);
  EXPECT_FALSE(f->TreeArbol->Enabled());
  estado(false);
  ui().queueAnswer(1);  // discard the changes
  f->btnCancelar->Click();
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
  EXPECT_TRUE(f->TreeArbol->Enabled());
  estado(true);
}

TEST_F(EditorTest, RenombrarSigueAlNodoYReconstruyeLasRutas) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas");
  const qint32 vinos = Nodo(3, "0101000000000000", "Vinos", bebidas);
  const qint32 tintos = Nodo(3, "0101010000000000", "Tintos", vinos);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(bebidas));
  f->CtlFicha->pressEdit();
  Escribir(f, "Vinos d'Oro");
  f->getCriteriohijos->setText("Origen");
  EXPECT_EQ(f->TreeArbol->Node(QStringLiteral("K=%1").arg(bebidas)).Text(), "Vinos d'Oro - (Origen)");
  f->btnGuardar->Click();
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
  EXPECT_EQ(Valor(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(bebidas)).toString(),
            "Vinos d'Oro");
  EXPECT_EQ(Valor(QStringLiteral("SELECT RutaPadre FROM Arboles WHERE ZolmarID=%1").arg(tintos)).toString(),
            "Vinos d'Oro:Vinos:");
  EXPECT_EQ(f->TreeArbol->Node(QStringLiteral("K=%1").arg(bebidas)).Text(), "Vinos d'Oro - (Origen)");
}

TEST_F(EditorTest, NombresRepetidosSoloEntreHermanos) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas");
  const qint32 vinos = Nodo(3, "0101000000000000", "Vinos", bebidas);
  const qint32 comida = Nodo(3, "0200000000000000", "Comida");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  const struct {
    qint32 desde;  // node clicked
    bool hijo;     // child level (btnAccion 0) or sibling (new command)
    const char* nombre;
    bool aceptado;
  } casos[] = {
      {vinos, false, "vinos", false},    // compared case-insensitively
      {vinos, false, "Vinos  ", false},  // trailing blanks do not count
      {comida, true, "Vinos", true},     // another parent
      {bebidas, false, "Comida", false},
  };
  for (const auto& c : casos) {
    f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(c.desde));
    if (c.hijo)
      f->btnAccion[0]->Click();
    else
      f->CtlFicha->pressNew();
    ASSERT_EQ(f->CtlFicha->Mode(), CtlFicha::Adding) << c.nombre;
    Escribir(f, QString::fromUtf8(c.nombre));
    f->btnGuardar->Click();
    EXPECT_EQ(f->CtlFicha->Mode() == CtlFicha::Browsing, c.aceptado) << c.nombre;
    EXPECT_EQ(f->getNombre->LastTip(),
              c.aceptado ? QString() : QStringLiteral("Ya existe un grupo con ese nombre"))
        << c.nombre;
    if (!c.aceptado) {
      ui().queueAnswer(1);
      f->btnCancelar->Click();
    }
    f->getNombre->ShowTip(QString());
  }
  // Renaming a record to its own name is accepted.
  f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(vinos));
  f->CtlFicha->pressEdit();
  Escribir(f, "VINOS");
  f->btnGuardar->Click();
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
}

TEST_F(EditorTest, BorrarUnaFichaUsadaLaMarcaYLoRegistra) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas");
  const qint32 libre = Nodo(3, "0200000000000000", "Libre");
  cn->ExecuteSQL(
      QStringLiteral("INSERT INTO Articulos (Nombre, ID_Categoria1) VALUES ('Agua', %1)").arg(bebidas));
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(bebidas));
  ui().queueAnswer(true);
  f->CtlFicha->pressDelete();
  ASSERT_FALSE(ui().messages().isEmpty());
  // A message box the person closes, not a passing tip: the reasons and the mark.
  EXPECT_EQ(ui().messages().last().kind, "record");
  EXPECT_EQ(ui().messages().last().buttons, 3);
  EXPECT_TRUE(ui().messages().last().text.contains("Artículos"));
  EXPECT_TRUE(ui().messages().last().text.contains("se le ha puesto la marca de \"BORRADO\""));
  EXPECT_EQ(Valor(QStringLiteral("SELECT Activo FROM Arboles WHERE ZolmarID=%1").arg(bebidas)).toInt() & 2,
            2);
  // The tree shows the mark at once.
  EXPECT_TRUE(f->TreeArbol->Node(QStringLiteral("K=%1").arg(bebidas)).MarkedDeleted());
  EXPECT_EQ(f->TreeArbol->Node(QStringLiteral("K=%1").arg(bebidas)).DisplayText(), "Bebidas [BORRADO]");
  EXPECT_EQ(
      Valor(QStringLiteral("SELECT COUNT(*) FROM ZolmarCambios WHERE Tipo=1 AND ID_Ficha=%1").arg(bebidas))
          .toInt(),
      1);

  f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(libre));
  ui().queueAnswer(true);
  f->CtlFicha->pressDelete();
  EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE ZolmarID=%1").arg(libre)).toInt(), 0);
  EXPECT_TRUE(f->TreeArbol->Node(QStringLiteral("K=%1").arg(libre)).isNull());
}

TEST_F(EditorTest, ReglasDeLaMarcaDeBorrado) {
  const qint32 borrado = Nodo(3, "0100000000000000", "Antiguos", 0, 2);
  const qint32 hijo = Nodo(3, "0101000000000000", "Hijo", borrado, 2);
  const qint32 vivo = Nodo(3, "0200000000000000", "Vivo");
  const qint32 nieto = Nodo(3, "0201000000000000", "Nieto", vivo, 2);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  const struct {
    qint32 nodo;
    void (*accion)(FrmArboles*);
    const char* mensaje;
  } casos[] = {
      {borrado, [](FrmArboles* v) { v->btnAccion[0]->Click(); },
       "No se puede añadir un nivel a una<BR>ficha que tenga la marca de \"BORRADO\""},
      {hijo, [](FrmArboles* v) { v->CtlFicha->pressEdit(); },
       "No se puede cambiar el estado de borrado si antes<BR>no se cambia el estado de borrado del nivel "
       "superior"},
      {hijo, [](FrmArboles* v) { v->CtlFicha->pressNew(); },
       "No se puede crear la ficha porque la del<BR>nivel superior tiene la marca de \"BORRADO\"."},
  };
  for (const auto& c : casos) {
    f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(c.nodo));
    c.accion(f);
    EXPECT_EQ(UltimoMensaje(), QString::fromUtf8(c.mensaje));
    EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
    EXPECT_TRUE(f->TreeArbol->Enabled());
  }
  // A marked node may be edited while its parent is live; when the parent gets
  // the mark meanwhile, the save is refused.
  f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(nieto));
  f->CtlFicha->pressEdit();
  ASSERT_EQ(f->CtlFicha->Mode(), CtlFicha::Editing);
  cn->ExecuteSQL(QStringLiteral("UPDATE Arboles SET Activo=2 WHERE ZolmarID=%1").arg(vivo));
  f->btnGuardar->Click();
  EXPECT_TRUE(UltimoMensaje().startsWith("No se pueden modificar fichas con la marca de \"BORRADO\""));
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Editing);
}

// Found by the reliability suite: the mark stayed after the save that logs its removal.
TEST_F(EditorTest, GuardarUnaFichaMarcadaLeQuitaLaMarcaYLoRegistra) {
  const qint32 vivo = Nodo(3, "0100000000000000", "Vivo");
  const qint32 marcado = Nodo(3, "0101000000000000", "Marcado", vivo, 2);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(K(marcado));
  f->CtlFicha->pressEdit();
  Escribir(f, "Recuperado");
  f->btnGuardar->Click();
  ASSERT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
  EXPECT_EQ(Valor(QStringLiteral("SELECT Activo FROM Arboles WHERE ZolmarID=%1").arg(marcado)).toInt(), 0);
  EXPECT_EQ(Valor(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(marcado)).toString(),
            "Recuperado");
  EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM ZolmarCambios WHERE Tipo IN (2, 3) AND ID_Ficha=%1")
                      .arg(marcado))
                .toInt(),
            2);
  EXPECT_NE(f->stbEstado->PanelText(0), "BORRADO");
  EXPECT_FALSE(f->TreeArbol->Node(K(marcado)).MarkedDeleted()) << "the tree shows it recovered";
}

TEST_F(EditorTest, CerrarMientrasSeEditaPreguntaSiGuardar) {
  const qint32 id = Nodo(3, "0100000000000000", "Bebidas");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->CtlFicha->pressEdit();
  Escribir(f, "Refrescos");
  ui().queueAnswer(3);  // cancel: stays open
  EXPECT_FALSE(f->Unload());
  ui().queueAnswer(1);  // save and close
  EXPECT_TRUE(f->Unload());
  EXPECT_EQ(Valor(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(id)).toString(),
            "Refrescos");
  FrmArboles* g = Editor(3);
  ASSERT_NE(g, nullptr);
  g->CtlFicha->pressEdit();
  Escribir(g, "Otra cosa");
  ui().queueAnswer(1);  // through the keyboard: Escape discards the changes, a second one closes
  g->PressKey(zolmar::KeyCodes::Escape);
  EXPECT_EQ(g->CtlFicha->Mode(), CtlFicha::Browsing);
  g->PressKey(zolmar::KeyCodes::Escape);
  EXPECT_TRUE(g->IsClosed());
  EXPECT_EQ(Valor(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(id)).toString(),
            "Refrescos");
}

TEST_F(EditorTest, CamposAuxiliaresSeHeredanYSeGuardanEnUsoAux) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas");
  cn->ExecuteSQL(QStringLiteral("UPDATE Arboles SET NomAux1='Color', NomAux3='Año', UsoAux='312111' "
                                "WHERE ZolmarID=%1")
                     .arg(bebidas));
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->chkUso[0]->Value(), 1);
  EXPECT_EQ(f->chkUso[2]->Value(), 0);
  f->btnAccion[0]->Click();
  ASSERT_EQ(f->CtlFicha->Mode(), CtlFicha::Adding);
  EXPECT_EQ(f->sayZolmarID->Text(), "(Nuevo)");
  f->btnFrames->Click();  // the auxiliary fields' frame
  EXPECT_TRUE(f->Frame2->isEnabled());
  EXPECT_FALSE(f->Frame1->isEnabled());
  EXPECT_EQ(f->getNomaux[0]->Text(), "Color");
  EXPECT_EQ(f->getNomaux[2]->Text(), "Año");
  EXPECT_EQ(f->chkUso[0]->Value(), 1);
  EXPECT_TRUE(f->chkUso[2]->Enabled());
  EXPECT_FALSE(f->chkUso[1]->Enabled());
  f->getNomaux[0]->setText("  ");  // no name: "1" whatever the check says
  f->chkUso[2]->Click();
  f->getNomaux[2]->setText("");
  EXPECT_EQ(f->chkUso[2]->Value(), 0) << "an emptied name clears its check";
  EXPECT_FALSE(f->chkUso[2]->Enabled());
  f->getNomaux[2]->setText("Año");
  f->chkUso[2]->Click();
  f->getNomaux[5]->setText("Graduación");
  Escribir(f, "Vinos");
  f->btnGuardar->Click();
  const qint32 vinos = f->CtlFicha->FichaDB()->CurrentID();
  EXPECT_EQ(Valor(QStringLiteral("SELECT UsoAux FROM Arboles WHERE ZolmarID=%1").arg(vinos)).toString(),
            "113112");
  EXPECT_EQ(Valor(QStringLiteral("SELECT RutaPadre FROM Arboles WHERE ZolmarID=%1").arg(vinos)).toString(),
            "Bebidas:");
  EXPECT_EQ(Valor(QStringLiteral("SELECT id_padre FROM Arboles WHERE ZolmarID=%1").arg(vinos)).toInt(),
            bebidas);
}

// Every text of the editor reaches the person through the translation: the
// captions of each tree type, the labels, the tooltips and the status of a
// marked node.
TEST_F(EditorTest, ElEditorTraduceTodosSusTextos) {
  TextosMarcados::Marcar(*host);
  const qint32 marcado = Nodo(3, "0100000000000000", "Antiguo", 0, 2);
  Nodo(1, "0100000000000000", "Mayoristas");
  Nodo(2, "0100000000000000", "Bodegas");
  for (qint32 tipo : {1, 2, 3}) {
    SCOPED_TRACE(tipo);
    FrmArboles* f = Editor(tipo);
    ASSERT_NE(f, nullptr);
    if (tipo == 3) {
      f->TreeArbol->ClickNode(K(marcado));
      EXPECT_EQ(f->stbEstado->PanelText(0), QString::fromUtf8("«BORRADO»"));
    }
    EXPECT_EQ(TextosMarcados::SinMarcar(f).join("\n").toStdString(), "");
    f->btnFrames->Click();
    EXPECT_EQ(TextosMarcados::SinMarcar(f).join("\n").toStdString(), "");
    f->Unload();
  }
}
