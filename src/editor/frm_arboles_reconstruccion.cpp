// FrmArboles: a tree whose keys disagree with its parent links is found while
// it is filled, and rebuilt from the parent links when the person agrees.

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "tree/reconstructor_claves.h"

namespace arboles {

bool FrmArboles::RepararArbol() {
  const bool reconstruir = oAppGlobal_->AskYesNo(
      QStringLiteral(
          "Se ha encontrado un error en los datos; la estructura del árbol de categorías está dañada.<BR> ") +
          QStringLiteral(
              "Aunque nada garantice que pueda repararse, puede intentarse una reconstrucción si los "
              "enlaces son válidos.<BR>") +
          QStringLiteral("Si dicha reconstrucción fallara, la única alternativa sería restaurar una copia de "
                         "seguridad.<BR><BR>") +
          QStringLiteral("Teniendo esto en cuenta, ¿desea intentar reconstruir el árbol de categorías?"),
      4, QStringLiteral("Los datos están severamente dañados"), IconError);
  if (!reconstruir)
    oAppGlobal_->HaltExecution(
        QStringLiteral("Los daños en la base de datos impiden continuar la ejecución con seguridad."), true);
  oAppGlobal_->ShowWait(
      QStringLiteral("Reconstruyendo árbol de categorías. Tenga paciencia, no debería tardar demasiado..."));
  ReconstruirClaves(0, QString());
  oAppGlobal_->ShowWait(QString());
  return true;
}

// The editor rebuilds its own tree type, not only the article categories: a
// damaged customer or supplier tree is then repaired too, instead of asking
// the same question again after every fill. The same code serves the
// command-line repair.
void FrmArboles::ReconstruirClaves(qint32 nID_Padre, const QString& cClavePadre) {
  ReconstructorClaves(oGlobales_, nTipoArbol_).ReconstruirClaves(nID_Padre, cClavePadre);
}

}  // namespace arboles
