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
  if (!reconstruir || !oAppGlobal_->CopiaDeSeguridad(QString::fromUtf8("Reparar árbol")))
    oAppGlobal_->HaltExecution(
        QStringLiteral("Los daños en la base de datos impiden continuar la ejecución con seguridad."), true);
  oAppGlobal_->ShowWait(
      QStringLiteral("Reconstruyendo árbol de categorías. Tenga paciencia, no debería tardar demasiado..."));
  // The editor rebuilds its own tree type, not only the article categories: a
  // damaged customer or supplier tree is then repaired too. Nodes that no
  // parent link joins to the top level are hung from it before the keys are
  // rebuilt, so that the rebuild reaches them. The command-line repair runs
  // the same code.
  ReconstructorClaves reconstructor(oGlobales_, nTipoArbol_);
  reconstructor.Reparar();
  oAppGlobal_->ShowWait(QString());
  // A node hung from the top level is no longer where the person filed it.
  if (!reconstructor.Reenganchados().isEmpty())
    Informar(oAppGlobal_->Translate(
                 QStringLiteral("Estas fichas no estaban unidas al árbol y se han colgado del primer nivel; "
                                "revise dónde deben ir:<BR>")) +
             reconstructor.ListaReenganchados());
  return reconstructor.Cambios() > 0;
}

}  // namespace arboles
