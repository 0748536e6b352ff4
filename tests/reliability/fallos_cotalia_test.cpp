// The price service's categories saved with each statement failing in turn:
// the article tree as it was, no lock but the editor's, the window open with
// its checks; then the save goes through. The long run takes the demo
// company's whole classification.

#include <QSet>

#include "import/cotalia_fixture.h"
#include "soak.h"
#include "zolmar/cotalia/cotalia_demo.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/db/fault_injector.h"

namespace {

using arboles::FrmImportarCategorias;

class FallosCotalia : public CotaliaFixture {
 protected:
  // The subfamilies to check: three of the small classification, or every
  // leaf of the demo one. filas_ tells how many rows the window shows.
  QList<qint32> Hojas() {
    if (!Soak::Activo()) {
      filas_ = static_cast<qint32>(ServicioBase().size());
      return {3, 6, 8};
    }
    const QStringList filas = zolmar::CotaliaDemo::Lineas().mid(1);
    Servicio(filas);
    filas_ = static_cast<qint32>(filas.size());
    QSet<QString> padres;
    for (const QString& f : filas) padres << f.section(';', 1, 1);
    QList<qint32> hojas;
    for (const QString& f : filas)
      if (!padres.contains(f.section(';', 0, 0))) hojas << f.section(';', 0, 0).toInt();
    return hojas;
  }

  FrmImportarCategorias* Marcada(const QList<qint32>& hojas) {
    FrmImportarCategorias* frm = Ventana();
    if (frm)
      for (qint32 id : hojas) Marcar(*frm, id);
    return frm;
  }

  void Cerrar() {
    for (auto& f : ventanas_)
      if (f) delete f.data();
    ventanas_.clear();
  }

  qint32 Bloqueos() { return Valor("SELECT COUNT(*) FROM ZolmarBloqueos").toInt(); }

  qint32 filas_ = 0;
};

TEST_F(FallosCotalia, CualquierSentenciaQueFallaDejaArbolesComoEstabaYLaVentanaAbierta) {
  ArbolBase();
  const QList<qint32> hojas = Hojas();
  qint32 total = 0;
  {
    FrmImportarCategorias* frm = Marcada(hojas);
    ASSERT_NE(frm, nullptr);
    zolmar::FaultInjector contador(cn, 0);
    frm->btnAceptar->Click();
    total = contador.statements();
    ASSERT_TRUE(frm->IsClosed());
  }
  ASSERT_GT(total, hojas.size());
  cn->ExecuteSQL("DELETE FROM Arboles WHERE (Opciones & 1)>0");
  Cerrar();
  FrmImportarCategorias* frm = Marcada(hojas);
  ASSERT_NE(frm, nullptr);
  const QString antes = zolmar::DatabaseDump::of(*cn);  // the editor's lock included
  const qint32 bloqueos = Bloqueos();
  const QList<qint32> marcadas = Marcados(*frm, filas_);
  for (qint32 k = 1; k <= total; ++k) {
    SCOPED_TRACE(k);
    zolmar::FaultInjector fallo(cn, k);
    frm->btnAceptar->Click();
    Soak::Contar(Soak::Fallos);
    EXPECT_TRUE(fallo.fired());
    EXPECT_FALSE(frm->IsClosed());
    const bool intacta = zolmar::DatabaseDump::of(*cn) == antes;
    EXPECT_TRUE(intacta) << "sentencia " << k << " de " << total;
    if (!intacta) Soak::Contar(Soak::FilasPerdidas);
    EXPECT_EQ(cn->transactionDepth(), 0);
    EXPECT_EQ(Bloqueos(), bloqueos);
    EXPECT_EQ(frm->IdRama(), 0);
    EXPECT_EQ(Marcados(*frm, filas_), marcadas);
  }
  EXPECT_TRUE(ui().messageTexts().isEmpty()) << "a failed save shows no message";
  frm->btnAceptar->Click();
  EXPECT_TRUE(frm->IsClosed());
  EXPECT_EQ(Importadas(), marcadas.size());
  Cerrar();
  EXPECT_EQ(Bloqueos(), 0);
}

}  // namespace
