// The restaurant categories created with each statement failing in turn: the
// company database as it was, no lock left, the window open with its checks;
// then the creation goes through. The long run takes the demo consultant's
// whole template.

#include "import/crear_categorias_rest_fixture.h"
#include "soak.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/db/fault_injector.h"
#include "zolmar/demo/restaurant_template.h"
#include "zolmar/demo/tree_builder.h"

namespace {

using arboles::FrmCrearCategoriasRest;

class FallosRestaurante : public CrearCategoriasRestFixture {
 protected:
  // The families to check: three of the small template, or every family of the demo one.
  QList<qint32> Familias() {
    if (!Soak::Activo()) return {2, 5, 7};
    auto consultor = zolmar::Connection::open(
        dir_.filePath(QString::fromLatin1(zolmar::Schema::kConsultantDatabase) + ".db"), nullptr);
    consultor->executeNative("DELETE FROM Arboles");
    zolmar::TreeBuilder arbol(*consultor);
    QString error;
    EXPECT_TRUE(arbol.addTree(3, zolmar::RestaurantTemplate::nodes(), &error)) << error.toStdString();
    QList<qint32> familias;
    for (const auto& f : zolmar::RestaurantTemplate::nodes()) familias << arbol.idOf(3, f.name);
    ids_ = {FrmCrearCategoriasRest::IdRaiz};
    const auto rs = arboles::recordsetOf(consultor->executeNative("SELECT ZolmarID FROM Arboles", 5));
    while (rs && rs->Read()) ids_ << rs->Field("ZolmarID").toInt();
    return familias;
  }

  QList<qint32> Marcas(FrmCrearCategoriasRest& f) {
    if (ids_.isEmpty()) return Marcados(f);
    QList<qint32> marcadas;
    for (qint32 id : ids_)
      if (f.TreeArbol->Node(K(id)).Checked()) marcadas << id;
    return marcadas;
  }

  QList<qint32> ids_;  // every node the window shows, in the long run
};

TEST_F(FallosRestaurante, CualquierSentenciaQueFallaLoDeshaceTodoYDejaLaVentanaConSusMarcas) {
  const QList<qint32> familias = Familias();
  qint32 total = 0;
  {
    FrmCrearCategoriasRest* frm = Ventana();
    ASSERT_NE(frm, nullptr);
    zolmar::FaultInjector contador(cn, 0);
    for (qint32 id : familias) Marcar(*frm, id);
    ui().queueAnswer(true);
    frm->btnAceptar->Click();
    ASSERT_TRUE(frm->IsClosed());
    total = contador.statements();
  }
  const qint32 creadas = Filas();
  ASSERT_GT(total, creadas);
  cn->ExecuteSQL("DELETE FROM Arboles");
  const QString antes = zolmar::DatabaseDump::of(*cn);
  FrmCrearCategoriasRest* frm = Ventana();
  for (qint32 id : familias) Marcar(*frm, id);
  const QList<qint32> marcadas = Marcas(*frm);
  for (qint32 k = 1; k <= total; ++k) {
    SCOPED_TRACE(k);
    ui().clear();
    zolmar::FaultInjector fallo(cn, k);
    ui().queueAnswer(true);
    frm->btnAceptar->Click();
    Soak::Contar(Soak::Fallos);
    EXPECT_TRUE(fallo.fired());
    EXPECT_FALSE(frm->IsClosed());
    EXPECT_TRUE(frm->isEnabled());
    const bool intacta = zolmar::DatabaseDump::of(*cn) == antes;
    EXPECT_TRUE(intacta) << "sentencia " << k << " de " << total;
    if (!intacta) Soak::Contar(Soak::FilasPerdidas);
    EXPECT_EQ(cn->transactionDepth(), 0);
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM ZolmarBloqueos").toInt(), 0);
    EXPECT_EQ(Marcas(*frm), marcadas);
    EXPECT_EQ(ui().messageTexts(),
              QStringList{QString::fromUtf8("Se ha producido un error creando las categorías")});
  }
  ui().queueAnswer(true);
  frm->btnAceptar->Click();
  EXPECT_TRUE(frm->IsClosed());
  EXPECT_EQ(Filas(), creadas);
}

}  // namespace
