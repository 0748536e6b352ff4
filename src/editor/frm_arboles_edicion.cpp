// FrmArboles: editing a node through the record browser, saving, the
// deleted mark and the auxiliary fields.

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_ficha_db.h"
#include "host/i_host_objects.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/frame.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

constexpr qint32 kBorrado = 2;

QString rtrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s.at(n - 1).isSpace()) --n;
  return s.left(n);
}

}  // namespace

void FrmArboles::Guardar(bool& lOk) {
  lOk = false;
  if (!FormGuard()) return;
  const QString aviso = oAppGlobal_->ValidateEntry(getNombre);
  if (!aviso.isEmpty()) {
    getNombre->ShowTip(aviso);
    return;
  }
  const bool editando = CtlFicha->Mode() == zolmar::CtlFicha::Editing;
  QString sql = QStringLiteral("SELECT ZolmarID, nombre FROM arboles") + QStringLiteral(" WHERE tipo=") +
                QString::number(nTipoArbol_) + QStringLiteral(" AND nombre=") +
                Cn()->SQLLiteral(getNombre->Text()) + QStringLiteral(" AND id_padre=") +
                QString::number(idPadre_);
  if (editando) sql += QStringLiteral(" AND ZolmarID<>") + QString::number(IdActual());
  if (Valor(sql, 0).toInt() > 0) {
    getNombre->ShowTip(oAppGlobal_->Translate(QStringLiteral("Ya existe un grupo con ese nombre")));
    return;
  }
  if (!CtlFicha->ActiveFlag() &&
      (Valor(QStringLiteral("SELECT Activo FROM Arboles WHERE ZolmarID=") + QString::number(idPadre_), 0)
           .toInt() &
       kBorrado)) {
    Informar(QStringLiteral("No se pueden modificar fichas con la marca de \"BORRADO\" que a su<BR>") +
             QStringLiteral("vez tengan una ficha de nivel superior tambien con la marca de \"BORRADO\"."));
    return;
  }
  if (!CtlFicha->Save()) return;
  if (editando) oTAZ_Arboles_->UpdateRutaPadre(nTipoArbol_, false);
  lOk = true;
  TreeArbol->setEnabled(true);
}

void FrmArboles::CtlFicha_Saved() {
  const QString usoAux = UsoAuxDeCampos();
  if (CtlFicha->Mode() == zolmar::CtlFicha::Adding) {
    QString ruta;
    if (idPadre_ > 0) {
      ruta =
          Valor(QStringLiteral("SELECT RutaPadre FROM arboles WHERE ZolmarID=") + QString::number(idPadre_),
                QStringLiteral(""))
              .toString();
      ruta = (ruta + oTAZ_Arboles_->NameByID(idPadre_) + QStringLiteral(":")).left(150);
    }
    ficha_->SetField(QStringLiteral("Tipo"), nTipoArbol_);
    ficha_->SetField(QStringLiteral("Clave"), claveNueva_);
    ficha_->SetField(QStringLiteral("id_padre"), idPadre_);
    ficha_->SetField(QStringLiteral("UsoAux"), usoAux);
    ficha_->SetField(QStringLiteral("RutaPadre"), ruta);
    ficha_->Save();
    // Keep browsing in key order, with the new record current.
    ficha_->Reload();
    CargarArbol();
    return;
  }
  ficha_->SetField(QStringLiteral("UsoAux"), usoAux);
  ficha_->Save();
  // The record browser recovers a marked record it saves, after this: the
  // change of state is logged here.
  if (Campo(QStringLiteral("Activo")).toInt() & kBorrado) {
    RegistrarCambio(3);
    RegistrarCambio(2);
  }
}

void FrmArboles::RegistrarCambio(qint32 kind) {
  const QString descripcion =
      oAppGlobal_->FormatMessage(QStringLiteral("Ficha Nº %1 / Nombre del grupo: %2"),
                                 {IdActual(), rtrim(Campo(QStringLiteral("Nombre")).toString())});
  oAppGlobal_->LogChange(kind, tabla_, IdActual(), descripcion, PalabraGrupo());
}

QString FrmArboles::PalabraGrupo() const {
  switch (nTipoArbol_) {
    case TipoArbolClientes:
      return oAppGlobal_->Translate(QStringLiteral("Grupos de clientes"));
    case TipoArbolProveedores:
      return oAppGlobal_->Translate(QStringLiteral("Grupos de proveedores"));
    default:
      return oAppGlobal_->Translate(QStringLiteral("Categorías de artículos"));
  }
}

void FrmArboles::CtlFicha_EditRequest(bool& Cancel) {
  if (Campo(QStringLiteral("Opciones")).toInt() & TAZ_Arboles_OpcionesCotalia) {
    Avisar(
        QStringLiteral("No se permite modificar las categorías que pertenecen al servicio <B>Cotalia</B>."),
        QStringLiteral("No puede modificar esta ficha"));
    Cancel = true;
    return;
  }
  TreeArbol->setEnabled(false);
  const qint32 padre = Campo(QStringLiteral("ID_Padre")).toInt();
  if (padre > 0 && Campo(QStringLiteral("Activo")).toInt() == kBorrado &&
      (Valor(QStringLiteral("SELECT Activo FROM Arboles WHERE ZolmarID=") + QString::number(padre), 0)
           .toInt() &
       kBorrado)) {
    Avisar(QStringLiteral("No se puede cambiar el estado de borrado si antes<BR>") +
               QStringLiteral("no se cambia el estado de borrado del nivel superior"),
           QStringLiteral("No puede modificar esta ficha"));
    Cancel = true;
    TreeArbol->setEnabled(true);
    return;
  }
  getNombre->SetFocus();
}

void FrmArboles::CtlFicha_DeleteRequest(bool& Cancel) {
  const QString motivos = oTAZ_Arboles_->CanBeDeleted();
  if (motivos.isEmpty()) {
    // The browser deletes through BorrarNodo; the tree is rebuilt, on the
    // node beside the deleted one, when it moves on.
    borrando_ = true;
    idTrasBorrar_ = IdVecinoOPadre(ClaveNodoActual());
    return;
  }
  Cancel = true;
  // The reasons, and that the node was marked instead, stay on screen until
  // the person closes them.
  ficha_->SetField(QStringLiteral("Activo"), Campo(QStringLiteral("Activo")).toInt() | kBorrado);
  ficha_->Save();
  RegistrarCambio(1);
  CtlFicha_RecordChanged();
  oAppGlobal_->AskRecordQuestion(
      3, motivos + QStringLiteral("<BR><BR>") +
             oAppGlobal_->Translate(
                 QStringLiteral("La ficha no se ha borrado: se le ha puesto la marca de \"BORRADO\".")));
}

// Where the selection goes when the node goes: its previous sibling, else
// its parent; 0 when it has neither (the first top-level node).
qint32 FrmArboles::IdVecinoOPadre(const QString& cClave) const {
  const zolmar::TreeNode nodo = TreeArbol->Node(cClave);
  zolmar::TreeNode destino = nodo.Previous();
  if (!destino) destino = nodo.Parent();
  return destino ? destino.Key().mid(destino.Key().indexOf(QLatin1Char('=')) + 1).toInt() : 0;
}

// The record browser's deletion: the node goes with its category assignments
// and its comment, or nothing goes.
bool FrmArboles::BorrarNodo() {
  if (oTAZ_Arboles_->Delete()) return true;
  borrando_ = false;
  oAppGlobal_->ShowMessage(QStringLiteral("No se ha podido borrar la ficha.<BR>") +
                               QStringLiteral("No se ha modificado nada: la ficha, sus categorías y su "
                                              "comentario siguen como estaban."),
                           0, QStringLiteral("Error al borrar"), IconError);
  return false;
}

void FrmArboles::CtlFicha_NewRecordDefaults() {
  if (idPadre_ == 0) return;
  const QVariant datos =
      Cn()->ExecuteSQL(QStringLiteral("SELECT NomAux1, NomAux2, NomAux3, NomAux4, NomAux5, NomAux6, UsoAux") +
                           QStringLiteral(" FROM arboles WHERE zolmarID=") + QString::number(idPadre_),
                       4, QString());
  if (!isSqlArray(datos)) return;
  const SqlArray fila = datos.value<SqlArray>();
  if (fila.rows < 1) return;
  const QString usoAux = fila.at(NumAux, 0).toString();
  for (qint32 i = 0; i < NumAux; ++i) {
    getNomaux[i]->setText(fila.at(i, 0).toString());
    chkUso[i]->setValue(usoAux.mid(i, 1) == QStringLiteral("3") ? 1 : 0);
  }
}

void FrmArboles::CtlFicha_SearchRequest(bool& Cancel) {
  if (!ficha_ || ficha_->RecordCount() == 0) return;
  Cancel = oTAZ_Arboles_->BuscarFicha(this, nTipoArbol_, false) == 0;
}

void FrmArboles::CtlFicha_CommentRequest(bool&) {
  if (!oComentarios_) return;
  const qint32 anterior = Campo(QStringLiteral("id_comentario")).toInt();
  const qint32 nuevo = oComentarios_->EditComment(this, anterior);
  if (nuevo == anterior) return;
  ficha_->SetField(QStringLiteral("id_comentario"), nuevo);
  ficha_->Save();
}

void FrmArboles::CtlFicha_ActionRequest(qint32 action) {
  if (action == zolmar::CtlFicha::SaveAction) btnGuardar->Click();
  if (action == zolmar::CtlFicha::CancelAction) btnCancelar->Click();
}

void FrmArboles::btnGuardar_Click() {
  bool ok = false;
  Guardar(ok);
}

void FrmArboles::btnCancelar_Click() {
  // Only Yes discards: No, or closing the question, keeps editing.
  if (oAppGlobal_->AskRecordQuestion(1, QString()) != 1) return;
  CtlFicha->CancelEdit();
  CargarArbol();
  TreeArbol->setEnabled(true);
}

void FrmArboles::btnFrames_Click() {
  const bool auxiliares = !Frame2->isVisible();
  Frame2->setVisible(auxiliares);
  Frame2->setEnabled(auxiliares);
  Frame1->setVisible(!auxiliares);
  Frame1->setEnabled(!auxiliares);
}

void FrmArboles::getNombre_Change() {
  sayNombre->setText(getNombre->Text());
  ActualizarTextoNodo();
}

void FrmArboles::ActualizarTextoNodo() {
  const qint32 modo = CtlFicha->Mode();
  if (modo == zolmar::CtlFicha::Browsing) return;
  QString texto = rtrim(getNombre->Text());
  const QString criterio = getCriteriohijos->Text();
  if (!criterio.trimmed().isEmpty()) texto += QStringLiteral(" - (") + criterio + QStringLiteral(")");
  zolmar::TreeNode nodo = TreeArbol->Node(modo == zolmar::CtlFicha::Adding ? ClaveNueva : ClaveNodoActual());
  if (!nodo.isNull()) nodo.setText(texto);
}

void FrmArboles::HabilitarCamposAux(qint32 nIndex) {
  if (CtlFicha->Mode() == zolmar::CtlFicha::Browsing) return;
  if (nIndex < 1) {
    for (qint32 i = 0; i < NumAux; ++i) chkUso[i]->setEnabled(!getNomaux[i]->Text().trimmed().isEmpty());
    return;
  }
  const bool conNombre = !getNomaux[nIndex]->Text().trimmed().isEmpty();
  chkUso[nIndex]->setEnabled(conNombre);
  if (!conNombre) chkUso[nIndex]->setValue(0);
}

QString FrmArboles::UsoAuxDeCampos() const {
  QString uso;
  for (qint32 i = 0; i < NumAux; ++i) {
    if (getNomaux[i]->Text().trimmed().isEmpty())
      uso += QLatin1Char('1');
    else
      uso += chkUso[i]->Value() ? QLatin1Char('3') : QLatin1Char('2');
  }
  return uso;
}

void FrmArboles::MostrarUsoAux(const QString& usoAux) {
  for (qint32 i = 0; i < NumAux; ++i) chkUso[i]->setValue(usoAux.mid(i, 1).toInt() == 3 ? 1 : 0);
}

}  // namespace arboles
