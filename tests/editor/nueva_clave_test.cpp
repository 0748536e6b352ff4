// New siblings and child levels: the keys they get and every refusal.

#include "editor_fixture.h"

using arboles::FrmArboles;
using zolmar::CtlFicha;

TEST_F(EditorTest, PrimerNodoDeUnArbolVacio) {
  FrmArboles* f = Editor(2);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->TreeArbol->Nodes().Count(), 0);
  f->CtlFicha->pressNew();
  ASSERT_EQ(f->CtlFicha->Mode(), CtlFicha::Adding);
  EXPECT_EQ(f->ClavePreparada(), "0100000000000000");
  EXPECT_EQ(f->PadreActual(), 0);
  EXPECT_FALSE(f->TreeArbol->Node(FrmArboles::ClaveNueva).isNull());
  EXPECT_FALSE(f->TreeArbol->Enabled());
  Escribir(f, "Acreedores");
  EXPECT_EQ(f->TreeArbol->Node(FrmArboles::ClaveNueva).Text(), "Acreedores");
  f->btnGuardar->Click();
  ASSERT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
  const qint32 id = f->CtlFicha->FichaDB()->CurrentID();
  EXPECT_EQ(Clave(id), "0100000000000000");
  EXPECT_EQ(Valor(QStringLiteral("SELECT Tipo FROM Arboles WHERE ZolmarID=%1").arg(id)).toInt(), 2);
  EXPECT_EQ(f->TreeArbol->Node(K(id)).Text(), "Acreedores");
  EXPECT_TRUE(f->TreeArbol->Node(FrmArboles::ClaveNueva).isNull());
  EXPECT_TRUE(f->TreeArbol->Enabled());
}

TEST_F(EditorTest, ClavesDeHermanosEHijos) {
  const qint32 a = Nodo(3, "0100000000000000", "A");
  const qint32 b = Nodo(3, "0500000000000000", "B");
  Nodo(3, "0700000000000000", "C");
  const qint32 b1 = Nodo(3, "0501000000000000", "B1", b);
  Nodo(3, "0502000000000000", "B2", b);
  Nodo(3, "0505000000000000", "B5", b);
  const qint32 b5x = Nodo(3, "050A000000000000", "BA", b);
  QString profunda = "05";
  qint32 padre = b;
  for (int nivel = 2; nivel <= 8; ++nivel) {
    profunda += "0F";
    padre = Nodo(3, profunda.leftJustified(16, '0'), QStringLiteral("N%1").arg(nivel), padre);
  }
  const qint32 octavo = padre;
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  const struct {
    qint32 nodo;
    bool hijo;
    const char* clave;  // empty: refused
    qint32 padre;
  } casos[] = {
      {b, false, "0800000000000000", 0},   // after the greatest top-level segment, not in a gap
      {a, true, "0101000000000000", a},    // first child
      {b, true, "0510000000000000", b},    // after 0F, the deep branch
      {b1, false, "0510000000000000", b},  // sibling of a child
      {b5x, true, "050A010000000000", b5x}, {octavo, true, "", 0},  // no level left
  };
  for (const auto& c : casos) {
    f->TreeArbol->ClickNode(K(c.nodo));
    if (c.hijo)
      f->btnAccion[0]->Click();
    else
      f->CtlFicha->pressNew();
    if (QString::fromLatin1(c.clave).isEmpty()) {
      EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
      EXPECT_EQ(f->btnAccion[0]->LastTip(), "No se pueden añadir más niveles");
      continue;
    }
    ASSERT_EQ(f->CtlFicha->Mode(), CtlFicha::Adding) << c.clave;
    EXPECT_EQ(f->ClavePreparada(), QString::fromLatin1(c.clave));
    EXPECT_EQ(f->PadreActual(), c.padre);
    const auto nuevo = f->TreeArbol->Node(FrmArboles::ClaveNueva);
    ASSERT_FALSE(nuevo.isNull());
    EXPECT_EQ(nuevo.Parent().Key(), c.padre ? K(c.padre) : QString());
    EXPECT_EQ(nuevo.BackColor(), zolmar::TreeView::ActiveTitleBarColor());
    ui().queueAnswer(1);
    f->btnCancelar->Click();
    EXPECT_TRUE(f->TreeArbol->Node(FrmArboles::ClaveNueva).isNull());
  }
}

TEST_F(EditorTest, SiguienteTrasSieteEsOchoYSeGuarda) {
  Nodo(3, "0100000000000000", "Uno");
  const qint32 siete = Nodo(3, "0700000000000000", "Siete");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(K(siete));
  f->CtlFicha->pressNew();
  Escribir(f, "Ocho");
  f->btnGuardar->Click();
  const qint32 id = f->CtlFicha->FichaDB()->CurrentID();
  EXPECT_EQ(Clave(id), "0800000000000000");
  EXPECT_EQ(Valor(QStringLiteral("SELECT RutaPadre FROM Arboles WHERE ZolmarID=%1").arg(id)).toString(), "");
}

TEST_F(EditorTest, UnPadreConDoscientosCincuentaYCincoHijosNoAdmiteMas) {
  const qint32 padre = Nodo(3, "0100000000000000", "Lleno");
  qint32 hijo = 0;
  cn->BeginTrans("llenar");
  for (int i = 1; i <= 255; ++i)
    hijo = Nodo(3, QStringLiteral("01%1").arg(i, 2, 16, QChar('0')).toUpper().leftJustified(16, '0'),
                QStringLiteral("H%1").arg(i), padre);
  cn->CommitTrans("llenar");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(K(padre));
  f->btnAccion[0]->Click();
  EXPECT_EQ(UltimoMensaje(), "No puede crear mas de 255 elementos para un mismo nivel de una rama");
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
  ui().clear();
  f->TreeArbol->ClickNode(K(hijo));
  f->CtlFicha->pressNew();
  EXPECT_EQ(UltimoMensaje(), "No puede crear mas de 255 elementos para un mismo nivel de una rama");
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
}

TEST_F(EditorTest, NodosUsadosYRamaReservadaNoAdmitenHijos) {
  const qint32 usado = Nodo(1, "0100000000000000", "Mayoristas");
  const qint32 libre = Nodo(1, "0200000000000000", "Minoristas");
  cn->ExecuteSQL(QStringLiteral("INSERT INTO Clientes (Codigo, ID_Grupo) VALUES ('C1', %1)").arg(usado));
  FrmArboles* f = Editor(1);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(K(usado));
  f->btnAccion[0]->Click();
  EXPECT_EQ(f->btnAccion[0]->LastTip(),
            "No puede añadir más niveles: la ficha de este nivel ya está siendo usada");
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Browsing);
  f->CtlFicha->pressNew();  // its siblings can still be created
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Adding);
  ui().queueAnswer(1);
  f->btnCancelar->Click();
  f->TreeArbol->ClickNode(K(libre));
  f->btnAccion[0]->Click();
  EXPECT_EQ(f->CtlFicha->Mode(), CtlFicha::Adding);
  ui().queueAnswer(1);
  f->btnCancelar->Click();

  const qint32 cotalia = Nodo(3, "0100000000000000", "Cotalia", 0, 0, 1);
  const qint32 sector = Nodo(3, "0101000000000000", "Sector", cotalia, 0, 1);
  ASSERT_TRUE(f->Unload());
  FrmArboles* g = Editor(3);
  ASSERT_NE(g, nullptr);
  const QString reservada =
      "No se permite añadir manualmente categorías dentro de esta rama<BR>porque está reservada para el "
      "servicio "
      "<B>Cotalia</B>.";
  g->TreeArbol->ClickNode(K(cotalia));
  g->btnAccion[0]->Click();
  EXPECT_EQ(UltimoMensaje(), reservada);
  g->CtlFicha->pressEdit();
  EXPECT_EQ(UltimoMensaje(),
            "No se permite modificar las categorías que pertenecen al servicio <B>Cotalia</B>.");
  EXPECT_EQ(g->CtlFicha->Mode(), CtlFicha::Browsing);
  g->CtlFicha->pressNew();  // a top-level node beside the reserved one is allowed
  EXPECT_EQ(g->CtlFicha->Mode(), CtlFicha::Adding);
  ui().queueAnswer(1);
  g->btnCancelar->Click();
  ui().clear();
  g->TreeArbol->ClickNode(K(sector));
  g->CtlFicha->pressNew();
  EXPECT_EQ(UltimoMensaje(), reservada);
  EXPECT_EQ(g->CtlFicha->Mode(), CtlFicha::Browsing);
}
