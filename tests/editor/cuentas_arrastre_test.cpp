// The editor's counts beside each node, and branches dragged and dropped in
// its tree.

#include <QDropEvent>
#include <QMimeData>

#include "editor_fixture.h"
#include "host/i_app_global.h"

namespace {

struct UsoPorTipo {
  qint32 tipo;
  const char* tabla;
  const char* columna;
};

}  // namespace

TEST_F(EditorTest, CuentasJuntoACadaNodoConUnaSolaConsultaYRecordadas) {
  for (const UsoPorTipo& caso :
       {UsoPorTipo{1, "Clientes", "ID_Grupo"}, UsoPorTipo{2, "Proveedores", "ID_Grupo"},
        UsoPorTipo{3, "Articulos", "ID_Categoria1"}}) {
    SCOPED_TRACE(caso.tabla);
    const qint32 a = Nodo(caso.tipo, "0100000000000000", "Uno");
    const qint32 b = Nodo(caso.tipo, "0101000000000000", "Dos", a);
    for (qint32 id : {a, b, b})
      cn->ExecuteSQL(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(caso.tabla, caso.columna).arg(id));
    taz->oAppGlobal->SetConfig(arboles::FrmArboles::ClaveConfigContar, 0);
    auto* f = Editor(caso.tipo);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->chkContar->Value(), 0);
    EXPECT_EQ(f->TreeArbol->Node(K(b)).DisplayText(), QStringLiteral("Dos"));

    QStringList& enviadas = Grabar();
    f->chkContar->Click();
    EXPECT_EQ(enviadas.filter(QStringLiteral("GROUP BY")).size(), 1);
    EXPECT_EQ(f->TreeArbol->Node(K(a)).DisplayText(), QStringLiteral("Uno  (3)"));  // its branch
    EXPECT_EQ(f->TreeArbol->Node(K(b)).DisplayText(), QStringLiteral("Dos  (2)"));
    EXPECT_EQ(f->TreeArbol->Node(K(b)).Text(), QStringLiteral("Dos"));  // the name is untouched
    // Every reload counts again, still with one query.
    cn->ExecuteSQL(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(caso.tabla, caso.columna).arg(a));
    enviadas.clear();
    f->RecargarArbol();
    EXPECT_EQ(enviadas.filter(QStringLiteral("GROUP BY")).size(), 1);
    EXPECT_EQ(f->TreeArbol->Node(K(a)).DisplayText(), QStringLiteral("Uno  (4)"));
    cn->setStatementRecorder({});
    f->Unload();

    // Remembered by the host for the next editor.
    EXPECT_EQ(taz->oAppGlobal->GetConfig().value(arboles::FrmArboles::ClaveConfigContar).toInt(), 1);
    auto* otra = Editor(caso.tipo);
    ASSERT_TRUE(otra);
    EXPECT_EQ(otra->chkContar->Value(), 1);
    EXPECT_EQ(otra->TreeArbol->Node(K(b)).DisplayText(), QStringLiteral("Dos  (2)"));
    otra->chkContar->Click();
    EXPECT_EQ(otra->TreeArbol->Node(K(b)).DisplayText(), QStringLiteral("Dos"));
    otra->Unload();
  }
}

namespace {

// The person drags the node origen and drops it at posicion of destino.
void Soltar(zolmar::TreeView* arbol, const QString& origen, const QString& destino, qint32 posicion) {
  std::unique_ptr<QMimeData> datos(arbol->DragData(origen));
  const QPoint punto = arbol->DropPoint(destino, posicion);
  // As a drag does: entering the view makes it the target, then the drop.
  QDragEnterEvent entrar(punto, Qt::MoveAction, datos.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(arbol->viewport(), &entrar);
  QDropEvent soltar(QPointF(punto), Qt::MoveAction, datos.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(arbol->viewport(), &soltar);
}

}  // namespace

TEST_F(EditorTest, ArrastrarUnaRamaSobreOtroNodoLaMueveComoLaVentanaDeOrganizacion) {
  const qint32 a = Nodo(3, "0100000000000000", "A");
  const qint32 a1 = Nodo(3, "0101000000000000", "A1", a);
  const qint32 b = Nodo(3, "0200000000000000", "B");
  auto* f = Editor(3);
  ASSERT_TRUE(f);
  // Onto its own child: refused as the organisation window refuses it.
  Soltar(f->TreeArbol, K(a), K(a1), zolmar::TreeView::DropOnto);
  EXPECT_EQ(UltimoMensaje(), QString::fromUtf8("La selección que se ha elegido como destino no es válida."));
  for (const bool si : {false, true}) {
    ui().queueAnswer(si);
    Soltar(f->TreeArbol, K(a1), K(b), zolmar::TreeView::DropOnto);
    EXPECT_TRUE(
        ui().messages().last().text.contains(QString::fromUtf8("como hija de la categoría <B>B</B>")));
    EXPECT_EQ(Clave(a1), si ? "0201000000000000" : "0101000000000000");
    EXPECT_EQ(f->TreeArbol->Node(K(a1)).Parent().Key(), si ? K(b) : K(a));
  }
  EXPECT_EQ(ui().pendingAnswers(), 0);
}

TEST_F(EditorTest, SoltarEntreHermanosSubeOBajaLaRama) {
  const struct {
    const char* origen;
    const char* destino;
    qint32 posicion;
    const char* orden;
  } casos[] = {
      {"C", "A", zolmar::TreeView::DropAbove, "CAB"}, {"A", "C", zolmar::TreeView::DropBelow, "BCA"},
      {"A", "B", zolmar::TreeView::DropBelow, "BAC"}, {"C", "B", zolmar::TreeView::DropAbove, "ACB"},
      {"B", "A", zolmar::TreeView::DropBelow, "ABC"},  // already there: nothing moves
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.orden);
    Abrir(QStringLiteral(":memory:"));
    QHash<QString, qint32> id;
    for (const char* n : {"A", "B", "C"})
      id[n] = Nodo(3, QStringLiteral("0%1").arg(id.size() + 1).leftJustified(16, '0'), n);
    Nodo(3, "0201000000000000", "B1", id["B"]);
    auto* f = Editor(3);
    ASSERT_TRUE(f);
    Soltar(f->TreeArbol, K(id[caso.origen]), K(id[caso.destino]), caso.posicion);
    QString orden(3, QLatin1Char('?'));
    for (const char* n : {"A", "B", "C"}) orden[Clave(id[n]).mid(1, 1).toInt() - 1] = QLatin1Char(n[0]);
    EXPECT_EQ(orden, QString::fromLatin1(caso.orden));
    EXPECT_EQ(Clave(id["B"]).left(2) + "01000000000000",
              Clave(Valor("SELECT ZolmarID FROM Arboles WHERE Nombre='B1'").toInt()));
    f->Unload();
  }
}
