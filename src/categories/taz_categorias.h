#pragma once
// cTAZ_Categorias: the article categories assigned to each customer and
// supplier (table Categorias), edited in the category grid.

#include "categories/tabla_categorias.h"

namespace arboles {

enum TAZ_Categorias_TipoConstants : qint32 {
  TAZ_Categorias_Clientes = 1,
  TAZ_Categorias_Proveedores = 2,
};

enum TAZ_Categorias_ProcesosConstants : qint32 {
  TAZ_Categorias_ProcesosListadosCli = 1,
  TAZ_Categorias_ProcesosListadosPro = 2,
  TAZ_Categorias_ProcesosCount = 2,
};

class cTAZ_Categorias : public TablaCategorias {
 public:
  static const QString NombreVentanaInforme;  // "FRMRPTCATEGORIAS"

  cTAZ_Categorias();

  // Opens the category grid of one customer (nTipoCategoria 1) or supplier (2).
  void MostrarFicha(qint32 nTipoCategoria, qint32 ID_CliProv, bool lWaitUntilClose = false);
  // Opens the category report when access is granted; always 0.
  qint32 MostrarInformes(qint32 nProcesoInicial = 0, bool lWaitUntilClose = false);
  // The subquery of the customers or suppliers the person filtered by
  // category, or the empty text when no filter was chosen.
  QString GetFilterForSubQuery(qint32 nProceso);
  // Deletes the current row and its comment in "BorrandoCategorias".
  bool Delete();
};

}  // namespace arboles
