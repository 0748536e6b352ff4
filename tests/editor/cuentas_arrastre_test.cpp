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
    EXPECT_EQ(f->TreeArbol->Node(K(a)).DisplayText(), QStringLiteral("Uno  (1)"));
    EXPECT_EQ(f->TreeArbol->Node(K(b)).DisplayText(), QStringLiteral("Dos  (2)"));
    EXPECT_EQ(f->TreeArbol->Node(K(b)).Text(), QStringLiteral("Dos"));  // the name is untouched
    // Every reload counts again, still with one query.
    cn->ExecuteSQL(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(caso.tabla, caso.columna).arg(a));
    enviadas.clear();
    f->RecargarArbol();
    EXPECT_EQ(enviadas.filter(QStringLiteral("GROUP BY")).size(), 1);
    EXPECT_EQ(f->TreeArbol->Node(K(a)).DisplayText(), QStringLiteral("Uno  (2)"));
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
