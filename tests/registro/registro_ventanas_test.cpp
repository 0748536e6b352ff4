// A host that names no window class: it links the libraries and reaches every
// window only through the public classes, so the windows must be registered
// without anything in this program referring to them.

#include <QWidget>

#include "categories/taz_categorias.h"
#include "common/host_fixture.h"

namespace {

class RegistroVentanas : public HostFixture {
 protected:
  // Answers the wait for the window by closing it, and notes that it opened.
  void AlEsperar(const char* nombre) {
    ui().whenWaitingFor(QString::fromLatin1(nombre), [this, nombre](QWidget* w) {
      abiertas << QString::fromLatin1(nombre);
      w->close();
    });
  }

  QStringList abiertas;
};

TEST_F(RegistroVentanas, LasClasesPublicasAbrenCadaVentana) {
  InsertarNodo(3, QStringLiteral("0100000000000000"), QStringLiteral("Bebidas"), 0, 0);
  AlEsperar("FrmArboles");
  EXPECT_TRUE(taz->MostrarFicha(3, 0, true));
  AlEsperar("FrmBuscaArbol");
  taz->Buscar(nullptr, 3);
  AlEsperar("FrmRptArboles");
  bool esperar = true;
  taz->MostrarInformes(3, arboles::TAZ_Arboles_ProcesosListados, &esperar);
  AlEsperar("FrmMoverCategorias");
  EXPECT_TRUE(taz->MostrarMoverCategorias(3));

  auto categorias = std::make_shared<arboles::cTAZ_Categorias>();
  auto app = host->appGlobal();
  ASSERT_TRUE(categorias->I_TAZ_Configure(app->GetGlobales(), app));
  AlEsperar("FrmRptCategorias");
  categorias->MostrarInformes(0, true);
  AlEsperar("FrmRptCategorias");
  categorias->GetFilterForSubQuery(1);

  EXPECT_EQ(abiertas, QStringList({"FrmArboles", "FrmBuscaArbol", "FrmRptArboles", "FrmMoverCategorias",
                                   "FrmRptCategorias", "FrmRptCategorias"}));
  EXPECT_TRUE(ui().failures().isEmpty()) << ui().failures().join('\n').toStdString();
}

}  // namespace
