#pragma once
// The article tree of the pick tests, one customer's category grid open on it
// and the person's actions in the grid.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "categories/frm_categorias.h"
#include "categories/taz_categorias.h"
#include "host/i_recordset.h"
#include "picking/picking_fixture.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/grid.h"

class CategoriasFixture : public PickingFixture {
 protected:
  static constexpr qint32 kCliente = 7;

  void SetUp() override {
    PickingFixture::SetUp();
    ArbolDeEjemplo();
    categorias = std::make_shared<arboles::cTAZ_Categorias>();
    auto app = host->appGlobal();
    ASSERT_TRUE(categorias->I_TAZ_Configure(app->GetGlobales(), app));
  }

  void TearDown() override {
    frm.reset();
    EXPECT_EQ(ui().pendingAnswers(), 0);
    PickingFixture::TearDown();
  }

  void Asignar(const QStringList& nombres, qint32 tipo = 1, qint32 quien = kCliente) {
    for (const QString& n : nombres)
      cn->ExecuteSQL(
          QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (%1, %2, %3)")
              .arg(tipo)
              .arg(quien)
              .arg(id.value(n)));
  }

  QStringList Asignadas(qint32 tipo = 1, qint32 quien = kCliente) {
    QStringList nombres;
    const auto rs = arboles::recordsetOf(
        cn->ExecuteSQL(QStringLiteral("SELECT A.Nombre FROM Categorias C INNER JOIN Arboles A ON "
                                      "A.ZolmarID=C.id_categoria WHERE C.Tipo=%1 AND C.ID_Quien=%2 "
                                      "ORDER BY C.ZolmarID")
                           .arg(tipo)
                           .arg(quien),
                       5));
    while (rs && rs->Read()) nombres << rs->Field("Nombre").toString();
    return nombres;
  }

  void AbrirRejilla(qint32 tipo = 1, qint32 quien = kCliente) {
    frm = std::make_unique<arboles::FrmCategorias>();
    ASSERT_TRUE(frm->Run(*categorias, tipo, quien));
  }

  // The window in front with the keyboard's focus, as the person sees it.
  void AbrirActiva(qint32 tipo = 1, qint32 quien = kCliente) {
    AbrirRejilla(tipo, quien);
    frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
  }

  // Keys reach whatever has the focus, as on a keyboard.
  static QWidget* Foco() {
    QWidget* w = QApplication::focusWidget();
    EXPECT_NE(w, nullptr);
    return w;
  }
  static void Pulsar(Qt::Key key) {
    if (QWidget* w = Foco()) QTest::keyClick(w, key);
  }
  // Each key goes where the focus is when it is pressed.
  static void Teclear(const QString& texto) {
    for (const QChar c : texto)
      if (QWidget* w = Foco()) QTest::keyClick(w, c.toLatin1());
  }
  // The mouse on a cell of a row (from 1): whatever lies over it takes each
  // event; a double click is a click, then the second press and release.
  void Raton(qint32 fila, qint32 col, bool doble = false) {
    const auto bajo = [this, fila, col](QPoint& local) {
      auto* g = frm->grdCategorias;
      const QPoint punto = g->visualRect(g->model()->index(fila - 1, col)).center();
      QWidget* w = g->viewport()->childAt(punto);
      local = w ? w->mapFrom(g->viewport(), punto) : punto;
      return w ? w : g->viewport();
    };
    QPoint local;
    QTest::mouseClick(bajo(local), Qt::LeftButton, {}, local);
    if (!doble) return;
    QWidget* w = bajo(local);
    QTest::mouseDClick(w, Qt::LeftButton, {}, local);
    QTest::mouseRelease(w, Qt::LeftButton, {}, local);
  }

  // Rows as the grid shows them: "id name".
  QStringList Filas() const {
    QStringList filas;
    for (qint32 r = 0; r < frm->grdCategorias->Rows(); ++r)
      filas << (frm->grdCategorias->TextMatrix(r, 0) + " " + frm->grdCategorias->TextMatrix(r, 1)).trimmed();
    return filas;
  }

  // Starts typing in the name of a row (from 1), as a click and a key would.
  void Escribir(qint32 fila, const QString& texto) {
    auto* grid = frm->grdCategorias;
    if (grid->Row() != fila - 1 || grid->Col() != 1) grid->MoveTo(fila - 1, 1);
    grid->BeginEdit();
    frm->getGrid->Type(texto);
  }

  static void Tecla(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &press);
  }
  void Intro() { Tecla(frm->getGrid->lineEdit(), Qt::Key_Return); }

  std::shared_ptr<arboles::cTAZ_Categorias> categorias;
  std::unique_ptr<arboles::FrmCategorias> frm;
};
