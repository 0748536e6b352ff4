#include "categories/frm_categorias.h"

#include "categories/taz_categorias.h"
#include "host/i_app_global.h"
#include "host/i_list_object.h"
#include "tree/daz_item_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/grid.h"
#include "zolmar/ui/st_bar.h"

// Rows are numbered from 1 as the list holds them; the grid shows list row
// n in its row n - 1 (its header is not a row of its own).

namespace arboles {

namespace {
constexpr qint32 kColumnaId = 0;
constexpr qint32 kColumnaNombre = 1;
constexpr qint32 kColorEdicion = 10;
constexpr qint32 kColorId = 11;
constexpr qint32 kColorIdActual = 12;
constexpr qint32 kPanelRuta = 1;
}  // namespace

qint32 FrmCategorias::FilaActual() const { return grdCategorias->Row() + 1; }

void FrmCategorias::AnadirFilaVacia() {
  oLista_->AddRow({0, QString(), QString()});
  if (grdCategorias->Cols() == 0) return;  // the fill lays the grid out
  grdCategorias->setRows(oLista_->RowCount());
  PintarFila(oLista_->RowCount());
}

void FrmCategorias::PonerFila(qint32 fila, qint32 id, const QString& nombre, const QString& rutaPadre) {
  oLista_->SetCell(1, fila, id);
  oLista_->SetCell(2, fila, nombre);
  oLista_->SetCell(3, fila, rutaPadre);
}

// The row takes the node the tree access stands on (after a pick or a
// validation), and the editor shows its name.
void FrmCategorias::PonerNodoActual(qint32 fila) {
  const QString nombre = oTAZ_Arboles_->I_TAZ_Field(QStringLiteral("Nombre")).toString();
  PonerFila(fila, oTAZ_Arboles_->I_TAZ_Field(QStringLiteral("zolmarID")).toInt(), nombre,
            oTAZ_Arboles_->I_TAZ_Field(QStringLiteral("RutaPadre")).toString());
  if (getGrid->Text() != nombre) getGrid->setText(nombre);
  textoCargado_ = getGrid->Text();
}

// A row holding a node whose name the person has not retyped: moving on
// keeps that node ("Quesos" is never looked up again and found as
// "Quesos curados"). A row without a name (its node gone) is not one.
bool FrmCategorias::FilaResuelta(qint32 fila) const {
  return IdFila(fila) > 0 && !textoCargado_.trimmed().isEmpty() && getGrid->Text() == textoCargado_;
}

void FrmCategorias::PintarFila(qint32 fila) {
  if (fila < 1 || fila > oLista_->RowCount()) return;
  const qint32 row = fila - 1;
  const qint32 id = IdFila(fila);
  grdCategorias->setValue(row, kColumnaId, id == 0 ? QString() : QString::number(id));
  grdCategorias->setValue(row, kColumnaNombre, NombreFila(fila));
  const bool actual = row == grdCategorias->Row();
  grdCategorias->setCellColor(row, kColumnaId, actual ? kColorIdActual : kColorId);
  grdCategorias->setCellColor(row, kColumnaNombre, actual ? kColorEdicion : 0);
  // A name alone can be ambiguous ("Cigales"): its place in the tree shows.
  const QString ruta = RutaFila(fila);
  grdCategorias->setCellToolTip(row, kColumnaNombre, ruta);
  if (!actual) return;
  getGrid->setToolTipText(ruta);
  stbEstado->setPanelText(kPanelRuta, ruta);
  stbEstado->Refresh();
}

void FrmCategorias::Repintar() {
  if (grdCategorias->Rows() != oLista_->RowCount()) grdCategorias->setRows(oLista_->RowCount());
  for (qint32 fila = 1; fila <= oLista_->RowCount(); ++fila) PintarFila(fila);
}

void FrmCategorias::grdCategorias_RowChange(qint32 previousRow) {
  PintarFila(previousRow + 1);
  PintarFila(FilaActual());
}

void FrmCategorias::grdCategorias_StartEditing(qint32 row, qint32 col, bool& Cancel) {
  if (col != kColumnaNombre) {
    Cancel = true;
    return;
  }
  if (oLista_->RowCount() == 0) AnadirFilaVacia();
  grdCategorias->ShowEditor(row, col, NombreFila(row + 1));
  textoCargado_ = getGrid->Text();
}

void FrmCategorias::getGrid_GotFocus() {
  const QString ayuda = grdCategorias->Col() == kColumnaId ? QString::fromUtf8("ID de la categoría")
                                                           : QString::fromUtf8("Nombre de la categoría");
  stbEstado->setPanelText(0, oAppGlobal_->Translate(ayuda));
  stbEstado->Refresh();
}

void FrmCategorias::grdCategorias_LeaveCell(qint32, qint32, bool& Cancel) { getGrid_Validate(Cancel); }

void FrmCategorias::getGrid_Validate(bool& Cancel) {
  if (ValidarFila(FilaActual(), false)) {
    PintarFila(FilaActual());
    return;
  }
  getGrid->ShowTip(oAppGlobal_->Translate(QStringLiteral("El nombre de la categoria no es válido")));
  Cancel = true;
}

// Return or Tab in the name: on to the next row's name, adding the one empty
// row at the end when the last row holds a category.
void FrmCategorias::grdCategorias_MoveOn(qint32 row, qint32) {
  const qint32 fila = row + 1;
  if (fila == oLista_->RowCount()) {
    if (getGrid->Text().trimmed().isEmpty()) return;
    bool cancel = false;
    getGrid_Validate(cancel);
    if (cancel || IdFila(fila) == 0) return;
    grdCategorias->HideEditor();
    AnadirFilaVacia();
  }
  if (grdCategorias->MoveTo(fila, kColumnaNombre)) grdCategorias->BeginEdit();
}

void FrmCategorias::grdCategorias_DeleteRequest(qint32 row) {
  if (!oAppGlobal_->AskYesNo(oAppGlobal_->Translate(QString::fromUtf8("¿ Desea borrar esta línea ?")), 4,
                             oAppGlobal_->Translate(QString::fromUtf8("Confirmación")), IconQuestion))
    return;
  lModificado_ = true;
  grdCategorias->HideEditor();
  BorrarFila(row + 1);
}

// The list keeps at least one row: the last one is emptied, not removed.
void FrmCategorias::BorrarFila(qint32 fila) {
  if (fila < oLista_->RowCount()) {
    oLista_->RemoveRow(fila);
    grdCategorias->RemoveRow(fila - 1);
  } else {
    PonerFila(fila, 0, QString(), QString());
  }
  Repintar();
}

bool FrmCategorias::ValidarFila(qint32 fila, bool lForzarLista) {
  const qint32 idAntes = IdFila(fila);
  bool valida = false;
  bool borrada = false;
  if (!lForzarLista && FilaResuelta(fila)) return true;
  if (getGrid->Text().trimmed().isEmpty() && !lForzarLista) {
    PonerFila(fila, 0, QString(), QString());
    if (fila == oLista_->RowCount()) {
      valida = true;
    } else if (oAppGlobal_->AskYesNo(
                   oAppGlobal_->Translate(QString::fromUtf8(
                       "No puede haber líneas sin categoría.<BR>¿ Desea borrar esta línea ?")),
                   4, oAppGlobal_->Translate(QString::fromUtf8("Confirmación")), IconQuestion)) {
      grdCategorias->HideEditor();
      BorrarFila(fila);
      borrada = true;
      valida = true;
    }
  } else {
    cDAZ_ItemArbol daz;
    daz.Configure(QStringLiteral("id_categoria"), TipoArbolArticulos,
                  nTipoCategoria_ == TAZ_Categorias_Clientes
                      ? QString::fromUtf8("Id. categoría de clientes")
                      : QString::fromUtf8("Id. categoría de provedores"),
                  false);
    valida = daz.Validate(*oTAZ_Arboles_, nullptr, *getGrid, lForzarLista, true, QString(), 0);
    if (valida) PonerNodoActual(fila);
  }
  const qint32 idDespues = borrada ? 0 : IdFila(fila);
  if (idDespues != idAntes) lModificado_ = true;
  return valida;
}

void FrmCategorias::getGrid_Buscar() {
  const qint32 fila = FilaActual();
  setEnabled(false);
  const qint32 actual = getGrid->Text().trimmed().isEmpty() ? 0 : IdFila(fila);
  const qint32 id = oTAZ_Arboles_->Buscar(this, TipoArbolArticulos, false, actual);
  if (id > 0) {
    // Exactly the node picked, whatever other nodes share its name.
    PonerNodoActual(fila);
    lModificado_ = true;
  }
  setEnabled(true);
  PintarFila(fila);
  if (grdCategorias->EditorVisible())
    getGrid->SetFocus();
  else
    grdCategorias->setFocus(Qt::OtherFocusReason);
}

void FrmCategorias::getGrid_Abrir() {
  const qint32 id = IdFila(FilaActual());
  setEnabled(false);
  if (id > 0) oTAZ_Arboles_->I_TAZ_SeekID(id);
  oTAZ_Arboles_->MostrarFicha(TipoArbolArticulos, 0, true);
  setEnabled(true);
}

void FrmCategorias::getGrid_Combo() {
  ValidarFila(FilaActual(), true);
  PintarFila(FilaActual());
}

}  // namespace arboles
