#pragma once
// cTAZ_AutoCategorias: pairs of a key of some kind and the article category
// it relates to. The host browses and deletes its rows; it has no window.

#include "categories/tabla_categorias.h"

namespace arboles {

class cTAZ_AutoCategorias : public TablaCategorias {
 public:
  cTAZ_AutoCategorias();

  void MostrarFicha(qint32 /*nMoveToRecord*/ = 0, bool /*lWaitUntilClose*/ = false) {}
  // Deletes the current row in "BorrandoAutoCategorias".
  bool Delete();
};

}  // namespace arboles
