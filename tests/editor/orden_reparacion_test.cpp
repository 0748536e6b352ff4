// Moving and sorting nodes, the references list, and the repair of a tree
// whose keys disagree with its parent links.

#include <algorithm>

#include "editor_fixture.h"
#include "tree/verificador_arbol.h"
#include "zolmar/ui/list_window.h"

using arboles::FrmArboles;

namespace {

const QString kTituloDanado = QStringLiteral("Los datos están severamente dañados");

}  // namespace

TEST_F(EditorTest, MoverIntercambiaRamasEnterasEntreHermanos) {
  const qint32 r1 = Nodo(3, "0100000000000000", "R1");
  const qint32 a = Nodo(3, "0101000000000000", "A", r1);
  const qint32 b = Nodo(3, "0102000000000000", "B", r1);
  const qint32 b1 = Nodo(3, "0102010000000000", "B1", b);
  const qint32 r2 = Nodo(3, "0200000000000000", "R2");
  const qint32 r2a = Nodo(3, "0201000000000000", "R2A", r2);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  struct Esperada {
    qint32 id;
    const char* clave;
  };
  const struct {
    qint32 nodo;
    qint32 boton;
    std::vector<Esperada> claves;
  } casos[] = {
      {a, 0, {{a, "0101000000000000"}, {b, "0102000000000000"}}},  // first child up: nothing
      {b, 1, {{a, "0101000000000000"}, {b, "0102000000000000"}}},  // last child down: nothing
      {b, 0, {{b, "0101000000000000"}, {b1, "0101010000000000"}, {a, "0102000000000000"}}},
      {r1,
       1,
       {{r2, "0100000000000000"},
        {r2a, "0101000000000000"},
        {r1, "0200000000000000"},
        {b1, "0201010000000000"},
        {a, "0202000000000000"}}},  // top level: empty prefix
  };
  for (const auto& c : casos) {
    f->TreeArbol->ClickNode(K(c.nodo));
    f->btnOrden[c.boton]->Click();
    for (const auto& e : c.claves) EXPECT_EQ(Clave(e.id), QString::fromLatin1(e.clave)) << e.id;
  }
  // The tree follows: R2 is now the first top-level node, and the browser still sits on R1.
  EXPECT_EQ(f->TreeArbol->topLevelItem(0)->text(0), "R2");
  EXPECT_EQ(f->CtlFicha->FichaDB()->CurrentID(), r1);
  EXPECT_EQ(f->CtlFicha->FichaDB()->Field("Clave").toString(), "0200000000000000");
}

TEST_F(EditorTest, OrdenarPorNombreSoloConElSi) {
  const qint32 c = Nodo(3, "0100000000000000", "Cervezas");
  const qint32 a = Nodo(3, "0200000000000000", "Aguas");
  const qint32 n = Nodo(3, "0300000000000000", "Ñoras");
  const qint32 o = Nodo(3, "0400000000000000", "Orujos");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  ui().queueAnswer(false);
  f->btnAccion[1]->Click();
  EXPECT_EQ(Clave(c), "0100000000000000");
  EXPECT_EQ(Clave(a), "0200000000000000");
  ASSERT_FALSE(ui().messages().isEmpty());
  EXPECT_EQ(ui().messages().last().text,
            "Este proceso no es reversible<BR>¿Desea ordernar todas las fichas por nombre?");
  EXPECT_EQ(ui().messages().last().title, "Confirmación");
  ui().queueAnswer(true);
  f->btnAccion[1]->Click();
  EXPECT_EQ(Clave(a), "0100000000000000");
  EXPECT_EQ(Clave(c), "0200000000000000");
  EXPECT_EQ(Clave(n), "0300000000000000") << "Ñ sorts after N, before O";
  EXPECT_EQ(Clave(o), "0400000000000000");
  EXPECT_EQ(f->TreeArbol->topLevelItem(0)->text(0), "Aguas");
}

TEST_F(EditorTest, ReferenciasDeUnaHoja) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas");
  const qint32 aguas = Nodo(3, "0101000000000000", "Aguas", bebidas);
  const qint32 vacia = Nodo(3, "0200000000000000", "Vacía");
  cn->ExecuteSQL(
      QStringLiteral(
          "INSERT INTO Articulos (Barras, Nombre, ID_Categoria1) VALUES ('8410', 'Agua con gas', %1)")
          .arg(aguas));
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(K(bebidas));
  f->btnAccion[4]->Click();
  EXPECT_EQ(UltimoMensaje(), "Las referencias solo se pueden ver de los elmentos del último nivel del árbol");
  f->TreeArbol->ClickNode(K(vacia));
  f->btnAccion[4]->Click();
  EXPECT_EQ(UltimoMensaje(), "No hay referencias");
  EXPECT_EQ(f->VentanaReferencias(), nullptr);
  f->TreeArbol->ClickNode(K(aguas));
  f->btnAccion[4]->Click();
  zolmar::ListWindow* lista = f->VentanaReferencias();
  ASSERT_NE(lista, nullptr);
  EXPECT_EQ(lista->Title(), "Referencias de la categoría seleccionada");
  ASSERT_EQ(lista->RowCount(), 1);
  EXPECT_EQ(lista->Cell(0, 1), "8410");
  EXPECT_EQ(lista->Cell(0, 2), "Agua con gas");
}

TEST_F(EditorTest, ArbolesDanadosSeDetectanYSeReparan) {
  enum Dano { Cruzadas, FaltaPadre, PadreAjeno, Ciclo };
  struct Caso {
    const char* nombre;
    qint32 tipo;
    Dano dano;
    bool respuesta;  // No asks for the halt, then the repair goes on
  };
  const Caso casos[] = {{"claves cruzadas", 3, Cruzadas, false},
                        {"claves cruzadas en clientes", 1, Cruzadas, true},
                        {"padre que falta", 3, FaltaPadre, true},
                        {"padre de otro árbol", 2, PadreAjeno, true},
                        {"ciclo de dos nodos", 3, Ciclo, true}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    SetUp();
    const qint32 raiz = Nodo(c.tipo, "0200000000000000", "Raíz");
    const qint32 hijo = Nodo(c.tipo, "0202000000000000", "Hijo", raiz);
    const qint32 otro = Nodo(c.tipo, "0100000000000000", "Otro");
    qint32 roto = 0;
    switch (c.dano) {
      case Cruzadas:
        roto = Nodo(c.tipo, "0000000000000000", "Nieto", hijo);  // sorts before its parent
        break;
      case FaltaPadre:
        roto = Nodo(c.tipo, "0300000000000000", "Huérfano", 999);
        break;
      case PadreAjeno:
        roto = Nodo(c.tipo, "0300000000000000", "Colgado", Nodo(3, "0100000000000000", "Ajeno"));
        break;
      case Ciclo:
        roto = Nodo(c.tipo, "0300000000000000", "Uno");
        cn->ExecuteSQL(QStringLiteral("UPDATE Arboles SET id_padre=%1 WHERE ZolmarID=%2")
                           .arg(Nodo(c.tipo, "0301000000000000", "Dos", roto))
                           .arg(roto));
        break;
    }
    // A descendant of the broken node follows it.
    const qint32 colgante = Nodo(c.tipo, "0F00000000000000", "Colgante", roto);
    ui().queueAnswer(c.respuesta);
    FrmArboles* f = Editor(c.tipo);
    ASSERT_NE(f, nullptr);
    const auto& m = ui().messages();
    ASSERT_GE(m.size(), 1);
    EXPECT_EQ(m[0].kind, "question");
    EXPECT_EQ(m[0].title, kTituloDanado);
    EXPECT_EQ(m[0].icon, arboles::IconError);
    const bool reenganchado = c.dano != Cruzadas;
    EXPECT_EQ(m.size(), (c.respuesta ? 1 : 2) + (reenganchado ? 1 : 0)) << "asked once";
    if (!c.respuesta) {
      EXPECT_EQ(m[1].kind, "halt");
      EXPECT_EQ(m[1].text, "Los daños en la base de datos impiden continuar la ejecución con seguridad.");
    }
    // The node hung from the top level is named to the person, who must file it again.
    if (reenganchado) {
      EXPECT_EQ(m.last().kind, "message");
      const QString nombre =
          Valor(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(roto)).toString();
      EXPECT_TRUE(m.last().text.contains(QStringLiteral("Nº %1 %2").arg(roto).arg(nombre)))
          << m.last().text.toStdString();
    }
    EXPECT_EQ(ui().waitTexts().value(0),
              "Reconstruyendo árbol de categorías. Tenga paciencia, no debería tardar demasiado...");
    EXPECT_FALSE(ui().waitWindowOpen());
    // Siblings are numbered in id order, whatever their former keys.
    EXPECT_EQ(Clave(raiz), "0100000000000000");
    EXPECT_EQ(Clave(hijo), "0101000000000000");
    EXPECT_EQ(Clave(otro), "0200000000000000");
    if (c.dano != Cruzadas) {
      EXPECT_EQ(Clave(roto), "0300000000000000") << "hung from the top level";
    }
    EXPECT_TRUE(Clave(colgante).startsWith(Clave(roto).left(2)));
    EXPECT_TRUE(f->TreeArbol->Visible());
    EXPECT_EQ(f->TreeArbol->Nodes().Count(),
              Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE Tipo=%1").arg(c.tipo)).toInt());
    EXPECT_FALSE(f->TreeArbol->Node(K(colgante)).isNull());
    // A repair that hung nodes from the top level rebuilt the paths in the
    // same run; a key rebuild alone leaves them as they were.
    if (!reenganchado) taz->UpdateRutaPadre(c.tipo, false);
    for (const auto& p : arboles::VerificadorArbol(taz->oGlobales, c.tipo).Verificar())
      ADD_FAILURE() << p.texto.toStdString();
    TearDown();
    ventanas_.clear();
  }
}

// The record browser's record is read again after a repair at open: a level
// added below it takes its new key, and the damage does not come back.
TEST_F(EditorTest, TrasReparaloAlAbrirElNavegadorReleeLaFicha) {
  const qint32 raiz = Nodo(3, "0200000000000000", "Raíz");
  const qint32 hijo = Nodo(3, "0202000000000000", "Hijo", raiz);
  const qint32 nieto = Nodo(3, "0000000000000000", "Nieto", hijo);  // sorts first: the record shown
  ui().queueAnswer(true);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(f->CtlFicha->FichaDB()->CurrentID(), nieto);
  EXPECT_EQ(f->CtlFicha->FichaDB()->Field("Clave").toString(), "0101010000000000");
  f->btnAccion[0]->Click();
  ASSERT_EQ(f->CtlFicha->Mode(), zolmar::CtlFicha::Adding);
  Escribir(f, "Bisnieto");
  f->btnGuardar->Click();
  EXPECT_EQ(f->CtlFicha->Mode(), zolmar::CtlFicha::Browsing);
  const qint32 nuevo = Valor("SELECT ZolmarID FROM Arboles WHERE Nombre='Bisnieto'").toInt();
  EXPECT_EQ(Clave(nuevo), "0101010100000000");
  const auto& m = ui().messages();
  EXPECT_EQ(std::count_if(m.begin(), m.end(), [](const auto& x) { return x.kind == "question"; }), 1)
      << "the damage question is not asked again";
  EXPECT_FALSE(f->TreeArbol->Node(K(nuevo)).isNull());
}

TEST_F(EditorTest, UnArbolSanoNuncaSeReconstruye) {
  const qint32 a = Nodo(3, "0500000000000000", "A");  // gaps are not damage
  const qint32 a1 = Nodo(3, "0509000000000000", "A1", a);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(ui().messages().isEmpty());
  EXPECT_EQ(Clave(a1), "0509000000000000");
}

TEST_F(EditorTest, MasDeDoscientosCincuentaYCincoHijosConservanSusClaves) {
  const struct {
    const char* nombre;
    bool danoDebajo;  // the damage sits below the overfull parent, where no rebuild reaches
  } casos[] = {{"daño en otra rama", false}, {"daño bajo el padre lleno", true}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    SetUp();
    const qint32 padre = Nodo(3, "0100000000000000", "Muchos");
    cn->BeginTrans("llenar");
    QList<qint32> hijos;
    for (int i = 1; i <= 256; ++i)  // the last one shares "FF": keys only need to sort after the parent's
      hijos << Nodo(
          3, QStringLiteral("01%1").arg(qMin(i, 255), 2, 16, QChar('0')).toUpper().leftJustified(16, '0'),
          QStringLiteral("H%1").arg(i), padre);
    cn->CommitTrans("llenar");
    const qint32 otra = Nodo(3, "0200000000000000", "Otra rama");
    const qint32 cruzado = c.danoDebajo ? Nodo(3, "0100000000000001", "Cruzado", hijos.first())
                                        : Nodo(3, "0000000000000000", "Cruzado", otra);
    ui().queueAnswer(true);
    FrmArboles* f = Editor(3);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ui().messages().size(), 1) << "a second repair would change nothing";
    EXPECT_EQ(Clave(padre), "0100000000000000");
    EXPECT_EQ(Clave(otra), "0200000000000000");
    EXPECT_EQ(Clave(hijos.first()), "0101000000000000")
        << "the children of an overfull parent are left alone";
    EXPECT_EQ(Clave(hijos.last()), "01FF000000000000");
    EXPECT_TRUE(f->TreeArbol->Visible());
    if (c.danoDebajo) {
      EXPECT_EQ(Clave(cruzado), "0100000000000001");
      EXPECT_TRUE(f->TreeArbol->Node(K(cruzado)).isNull()) << "only the placed part is shown";
      EXPECT_FALSE(f->TreeArbol->Node(K(padre)).isNull());
    } else {
      EXPECT_EQ(Clave(cruzado), "0201000000000000");
      EXPECT_EQ(f->TreeArbol->Nodes().Count(), 259);
    }
    TearDown();
    ventanas_.clear();
  }
}
