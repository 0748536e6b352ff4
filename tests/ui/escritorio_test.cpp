// The desktop program as a person uses it: its menus, the windows they open
// over the main window, the messages that stay and the help.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QTextBrowser>

#include "common/host_fixture.h"
#include "editor/frm_arboles.h"
#include "frm_ayuda.h"
#include "host/i_list_object.h"
#include "main_window.h"
#include "picking/frm_busca_arbol.h"
#include "reports/frm_rpt_arboles.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/services/app_global.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/control_notice.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"
#include "zolmar/ui/window_placement.h"

namespace {

using zolmar::MainWindow;

class Escritorio : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    bebidas = InsertarNodo(3, "0100000000000000", "Bebidas", 0, 0, {{"RutaPadre", "''"}});
    InsertarNodo(3, "0101000000000000", "Vinos", bebidas, 0, {{"RutaPadre", "'Bebidas:'"}});
    principal = std::make_unique<MainWindow>(*host);
    principal->resize(640, 420);
    principal->show();
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* f = qobject_cast<zolmar::FrmBasico*>(w)) f->Unload();
    principal.reset();
  }

  // The menu entry with that caption (its Alt letter left out), anywhere in the bar.
  QAction* Entrada(const QString& caption) {
    QList<QAction*> pendientes = principal->menuBar()->actions();
    while (!pendientes.isEmpty()) {
      QAction* a = pendientes.takeFirst();
      if (QString(a->text()).remove('&') == caption) return a;
      if (a->menu()) pendientes += a->menu()->actions();
    }
    ADD_FAILURE() << "no entry " << caption.toStdString();
    return nullptr;
  }

  template <typename T>
  QList<T*> Abiertas() {
    QList<T*> lista;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* f = qobject_cast<T*>(w); f && !f->IsClosed()) lista << f;
    return lista;
  }

  qint32 bebidas = 0;
  std::unique_ptr<MainWindow> principal;
};

TEST_F(Escritorio, UnaVentanaAbiertaSeTraeAlFrenteYNoSeAbreOtra) {
  Entrada("Árbol de categorías de artículos")->trigger();
  ASSERT_EQ(Abiertas<arboles::FrmArboles>().size(), 1);
  arboles::FrmArboles* editor = Abiertas<arboles::FrmArboles>().first();
  // A window of the main window, not a free one at the corner of the screen.
  EXPECT_EQ(editor->parentWidget(), principal.get());
  EXPECT_TRUE(editor->isWindow());

  principal->activateWindow();
  QApplication::processEvents();
  editor->lower();
  Entrada("Árbol de categorías de artículos")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(Abiertas<arboles::FrmArboles>().size(), 1);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(QApplication::activeWindow(), editor) << "brought to the front";
  EXPECT_TRUE(ui().messages().isEmpty()) << "its own editor is no refusal";
}

TEST_F(Escritorio, SeAbreCentradaSobreLaPrincipalYVuelveDondeSeDejo) {
  const QRect area = zolmar::WindowPlacement::Area(principal.get());
  principal->move(area.center() - QPoint(principal->width() / 2, principal->height() / 2));
  QApplication::processEvents();
  const auto abrir = [this](const QString& nombre) {
    auto* f = new zolmar::FrmBasico();
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->resize(200, 100);
    f->SetAppGlobal(host->appGlobal(), nombre);
    f->Show();
    return f;
  };
  zolmar::FrmBasico* f = abrir("FrmPrueba");
  EXPECT_EQ(f->parentWidget(), principal.get());
  EXPECT_LE((f->frameGeometry().center() - principal->frameGeometry().center()).manhattanLength(), 2);
  const QRect dejada(f->frameGeometry().topLeft() + QPoint(37, 23), QSize(260, 140));
  f->move(dejada.topLeft());
  f->resize(dejada.size());
  ASSERT_TRUE(f->Unload());
  f = abrir("FrmPrueba");
  EXPECT_LE((f->frameGeometry().topLeft() - dejada.topLeft()).manhattanLength(), 4);
  EXPECT_EQ(f->size(), dejada.size());
  zolmar::FrmBasico* otra = abrir("FrmOtra");
  EXPECT_EQ(otra->size(), QSize(200, 100)) << "each window by its own name";
}

TEST_F(Escritorio, UnArbolBloqueadoPorOtroProgramaDiceQuienLoTiene) {
  zolmar::LockManager otro(cn);
  ASSERT_FALSE(otro.LockTable(3, true, "Arboles", 0, "Tipo=3", 3));
  Entrada("Árbol de categorías de artículos")->trigger();
  EXPECT_TRUE(Abiertas<arboles::FrmArboles>().isEmpty());
  ASSERT_EQ(ui().messageTexts().size(), 1);
  const QString texto = ui().messageTexts().first();
  EXPECT_TRUE(texto.startsWith(QString::fromUtf8("El árbol está bloqueado por otro usuario.")))
      << texto.toStdString();
  EXPECT_TRUE(texto.contains("(programa ui_tests) desde el ")) << texto.toStdString();
}

// Alt letters in every menu, none twice among siblings; the menu grid the
// pick dialog reads keeps the captions as they are.
TEST_F(Escritorio, CadaMenuTieneSuLetraAltYLaCuadriculaNo) {
  QList<QList<QAction*>> grupos{principal->menuBar()->actions()};
  qsizetype menus = 0;
  for (qsizetype i = 0; i < grupos.size(); ++i) {
    QSet<QChar> letras;
    const QList<QAction*> grupo = grupos[i];
    for (QAction* a : grupo) {
      if (a->isSeparator()) continue;
      const QKeySequence alt = QKeySequence::mnemonic(a->text());
      ASSERT_FALSE(alt.isEmpty()) << a->text().toStdString();
      const QChar letra = a->text().at(a->text().indexOf(QRegularExpression("&[^&]")) + 1).toLower();
      EXPECT_FALSE(letras.contains(letra)) << a->text().toStdString();
      letras << letra;
      if (a->menu()) grupos << a->menu()->actions();
    }
    ++menus;
  }
  EXPECT_GE(menus, 5);  // the bar, "Ficheros", "Árboles", "Informes", "Ayuda"
  auto grid = host->appGlobal()->GetMenuGrid();
  ASSERT_TRUE(grid);
  QStringList captions;
  for (qint32 row = 1; row <= grid->RowCount(); ++row) captions << grid->Cell(1, row).toString();
  EXPECT_TRUE(captions.contains(QString::fromUtf8("Árbol de categorías de artículos")));
  EXPECT_TRUE(captions.filter("&").isEmpty()) << captions.filter("&").join(", ").toStdString();
}

TEST_F(Escritorio, LaBusquedaEmpiezaEnLaCajaEIntroAcepta) {
  Entrada("Buscar categoría")->trigger();
  ASSERT_EQ(Abiertas<arboles::FrmBuscaArbol>().size(), 1);
  arboles::FrmBuscaArbol* frm = Abiertas<arboles::FrmBuscaArbol>().first();
  EXPECT_EQ(frm->parentWidget(), principal.get());
  QApplication::processEvents();
  EXPECT_EQ(frm->focusWidget(), frm->getBuscar->lineEdit());
  QTest::keyClicks(frm->getBuscar->lineEdit(), "Vin");
  QTest::keyClick(frm->getBuscar->lineEdit(), Qt::Key_Return);
  EXPECT_TRUE(Abiertas<arboles::FrmBuscaArbol>().isEmpty());
  ASSERT_EQ(ui().messageTexts().size(), 1);
  EXPECT_TRUE(ui().messageTexts().first().startsWith(QString::fromUtf8("Categoría elegida: Vinos (")))
      << ui().messageTexts().first().toStdString();
}

TEST_F(Escritorio, EscapeCierraLosInformesComoLasDemasVentanas) {
  Entrada("Informe de categorías de artículos")->trigger();
  ASSERT_EQ(Abiertas<arboles::FrmRptArboles>().size(), 1);
  arboles::FrmRptArboles* informe = Abiertas<arboles::FrmRptArboles>().first();
  QApplication::processEvents();
  QWidget* foco = informe->focusWidget() ? informe->focusWidget() : informe;
  QTest::keyClick(foco, Qt::Key_Escape);
  EXPECT_TRUE(informe->IsClosed());
}

// A refused name or action stays in the window's status bar until the
// person types or presses again, instead of a tip that vanishes.
TEST_F(Escritorio, LosAvisosQuedanEnLaBarraDeEstadoHastaQueLaPersonaActua) {
  Entrada("Árbol de categorías de artículos")->trigger();
  arboles::FrmArboles* f = Abiertas<arboles::FrmArboles>().value(0);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(bebidas));
  f->CtlFicha->pressNew();
  f->getNombre->setText("bebidas");
  f->btnGuardar->Click();
  EXPECT_EQ(zolmar::ControlNotice::Shown(f), "Ya existe un grupo con ese nombre");
  QTest::qWait(50);
  EXPECT_EQ(zolmar::ControlNotice::Shown(f), "Ya existe un grupo con ese nombre");
  QTest::keyClicks(f->getNombre->lineEdit(), "X");
  EXPECT_EQ(zolmar::ControlNotice::Shown(f), QString());

  ui().queueAnswer(1);
  f->btnCancelar->Click();
  // An article in Bebidas: a category in use takes no level below it.
  cn->ExecuteSQL(
      QStringLiteral("INSERT INTO Articulos (Codigo, Nombre, ID_Categoria1) VALUES ('A1', 'Agua', %1)")
          .arg(bebidas));
  f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(bebidas));
  f->btnAccion[0]->Click();
  EXPECT_TRUE(zolmar::ControlNotice::Shown(f).startsWith(QString::fromUtf8("No puede añadir más niveles")))
      << zolmar::ControlNotice::Shown(f).toStdString();
}

TEST_F(Escritorio, AyudaAbreLaGuiaEnEspanolYEscapeLaCierra) {
  Entrada("Contenido de la ayuda")->trigger();
  ASSERT_EQ(Abiertas<zolmar::FrmAyuda>().size(), 1);
  zolmar::FrmAyuda* ayuda = Abiertas<zolmar::FrmAyuda>().first();
  QApplication::processEvents();
  EXPECT_EQ(ayuda->parentWidget(), principal.get());
  const QString texto = ayuda->txtAyuda->toPlainText();
  for (const char* apartado :
       {"Editar un árbol", "Buscar y elegir categorías", "Organizar las categorías",
        "Categorías de clientes y proveedores", "Informes", "Importar árboles", "Copias de seguridad"})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(apartado))) << apartado;
  Entrada("Contenido de la ayuda")->trigger();
  EXPECT_EQ(Abiertas<zolmar::FrmAyuda>().size(), 1) << "the open one comes to the front";
  QTest::keyClick(ayuda->txtAyuda, Qt::Key_Escape);
  EXPECT_TRUE(Abiertas<zolmar::FrmAyuda>().isEmpty());
}

// On a 1366x768 screen less a 40-pixel task bar and the 70 pixels kept free
// at the top, every window of the menus fits with a title bar of 30 pixels.
TEST_F(Escritorio, CadaVentanaCabeEnUnaPantallaDe1366x768) {
  const QSize sitio(1366, 768 - 40 - zolmar::FrmBasico::kMinTop - 30);
  qsizetype vistas = 0;
  for (const zolmar::ArbolesMenuEntry& entrada : principal->arbolesEntries()) {
    QWidget* w = entrada.preview ? entrada.preview() : entrada.open();
    if (!w) continue;
    ++vistas;
    EXPECT_LE(w->minimumSizeHint().height(), sitio.height()) << entrada.caption.toStdString();
    EXPECT_LE(w->minimumSizeHint().width(), sitio.width()) << entrada.caption.toStdString();
    // And the host's windows fit the free part of the screen the test runs on.
    if (!qobject_cast<zolmar::FrmBasico*>(w)) {
      w->close();
      continue;
    }
    QRect libre = zolmar::WindowPlacement::Area(w);
    libre.setTop(libre.top() + zolmar::FrmBasico::kMinTop);
    EXPECT_LE(w->frameGeometry().height(), libre.height()) << entrada.caption.toStdString();
    EXPECT_LE(w->frameGeometry().width(), libre.width()) << entrada.caption.toStdString();
    w->close();
  }
  EXPECT_GT(vistas, 12);
}

}  // namespace
