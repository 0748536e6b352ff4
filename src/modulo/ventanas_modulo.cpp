// The windows register with the openers of the public classes here, called by
// the openers themselves: a host that only calls MostrarFicha, Buscar or
// MostrarInformes and never names a window class still gets every window, with
// no static initialiser the linker may drop from a static library.

#include "categories/ventanas_categorias.h"
#include "editor/frm_arboles.h"
#include "import/frm_crear_categorias_rest.h"
#include "import/frm_importar_categorias.h"
#include "picking/frm_busca_arbol.h"
#include "picking/frm_mover_categorias.h"
#include "reports/frm_rpt_arboles.h"
#include "reports/frm_rpt_categorias.h"
#include "tree/ventanas_arboles.h"

namespace arboles {

void RegistrarVentanasModulo() {
  static bool registradas = false;
  if (registradas) return;
  registradas = true;
  FrmArboles::Registrar();
  FrmBuscaArbol::Registrar();
  FrmMoverCategorias::Registrar();
  FrmCrearCategoriasRest::Registrar();
  FrmImportarCategorias::Registrar();
  FrmRptArboles::Registrar();
  FrmRptCategorias::Registrar();
}

}  // namespace arboles
