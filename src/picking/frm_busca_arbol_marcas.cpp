// FrmBuscaArbol: the highlighted node, the name search and the check boxes.

#include <QRegularExpression>

#include "host/i_recordset.h"
#include "picking/frm_busca_arbol.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

qint32 FrmBuscaArbol::IdDeClave(const QString& key) {
  const qsizetype igual = key.indexOf(QLatin1Char('='));
  return igual < 0 ? 0 : key.mid(igual + 1).toInt();
}

QString FrmBuscaArbol::ClaveDeId(qint32 nID) { return QStringLiteral("K=") + QString::number(nID); }

void FrmBuscaArbol::Resaltar(qint32 nID, bool lResaltar) {
  zolmar::TreeNode nodo = TreeArbol->Node(ClaveDeId(nID));
  if (!nodo) return;
  nodo.setHighlighted(lResaltar);
}

void FrmBuscaArbol::MoverSeleccion(const zolmar::TreeNode& node) {
  if (!node) return;
  Resaltar(nIdSeleccionado_, false);
  nIdSeleccionado_ = IdDeClave(node.Key());
  Resaltar(nIdSeleccionado_, true);
  if (!lMultiSeleccion_) getBuscar->SetFocus();
}

void FrmBuscaArbol::TreeArbol_NodeClick(const zolmar::TreeNode& node) { MoverSeleccion(node); }

void FrmBuscaArbol::TreeArbol_Collapse(const zolmar::TreeNode& node) {
  TreeArbol->setSelectedItem(node);
  MoverSeleccion(node);
}

void FrmBuscaArbol::TreeArbol_Expand(const zolmar::TreeNode&) {
  if (!lMultiSeleccion_ && isVisible()) getBuscar->SetFocus();
}

// A prefix search in key order, case-insensitive: only "*" is a wildcard;
// "%", "_", "[" and an apostrophe are letters of the name like any other.
// Blanks around the text are part of it ("vin " asks for the word vin), but
// blanks alone search nothing. Without a match nothing stays highlighted, so
// Aceptar cannot hand back a node the text does not name.
void FrmBuscaArbol::getBuscar_Change() {
  if (lMultiSeleccion_ || !rs_) return;
  const QString texto = getBuscar->Text();
  if (texto.trimmed().isEmpty()) return;
  const qint32 pos = PrimeraFilaQueEmpieza(texto);
  zolmar::TreeNode nodo = pos >= 0 ? filas_[pos].nodo : zolmar::TreeNode();
  Resaltar(nIdSeleccionado_, false);
  if (!nodo || nodo.Key() == QLatin1String("K=0")) {
    nIdSeleccionado_ = 0;
    TreeArbol->setSelectedItem(zolmar::TreeNode());
    return;
  }
  TreeArbol->setSelectedItem(nodo);
  nodo.EnsureVisible();
  nIdSeleccionado_ = IdDeClave(nodo.Key());
  Resaltar(nIdSeleccionado_, true);
}

// The first row, in key order, whose name starts with the typed text; -1 when none.
qint32 FrmBuscaArbol::PrimeraFilaQueEmpieza(const QString& texto) {
  QString patron = QStringLiteral("^");
  for (const QString& trozo : texto.split(QLatin1Char('*')))
    patron += QRegularExpression::escape(trozo) + QStringLiteral(".*");
  const QRegularExpression re(
      patron, QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  for (qint32 i = 0; i < filas_.size(); ++i) {
    rs_->SetPosition(i + 1);
    if (re.match(rs_->Field(QStringLiteral("Nombre")).toString()).hasMatch()) return i;
  }
  return -1;
}

void FrmBuscaArbol::TreeArbol_MouseDown(qint32 Button, qint32, float x, float y) {
  if (!lMultiSeleccion_) return;
  marcaPendiente_.MouseDown(*TreeArbol, Button, x, y);
}

void FrmBuscaArbol::TreeArbol_MouseUp(qint32, qint32, float, float) { marcaPendiente_.MouseUp(); }

void FrmBuscaArbol::TreeArbol_KeyPress(qint32& KeyAscii) {
  if (lMultiSeleccion_) marcaPendiente_.KeyPress(*TreeArbol, KeyAscii);
}

// A toggle no action of the person announced is undone: the row set decides.
void FrmBuscaArbol::TreeArbol_NodeCheck(const zolmar::TreeNode& node) {
  if (!lMultiSeleccion_ || !node) return;
  const qint32 pos = posDeId_.value(IdDeClave(node.Key()), -1);
  if (pos < 0) return;
  zolmar::TreeNode nodo = node;
  if (!marcaPendiente_.Tomar(nodo)) {
    if (nodo.Checked() != (marcas_[pos] != 0)) nodo.setChecked(marcas_[pos] != 0);
    return;
  }
  AplicarMarca(pos, nodo.Checked());
}

// Descendants follow the node (they are the rows after it whose key starts
// with its prefix); then ancestors are checked up to the first checked one.
void FrmBuscaArbol::AplicarMarca(qint32 pos, bool lMarcar) {
  const quint8 valor = lMarcar ? 1 : 0;
  bool cambio = marcas_[pos] != valor;
  marcas_[pos] = valor;
  const QString prefijo = PrefijoDescendientes(filas_[pos].clave);
  for (qint32 j = pos + 1; !prefijo.isEmpty() && j < filas_.size() && filas_[j].clave.startsWith(prefijo);
       ++j) {
    if (marcas_[j] == valor) continue;
    marcas_[j] = valor;
    cambio = true;
  }
  for (qint32 p = posDeId_.value(filas_[pos].idPadre, -1); p >= 0 && marcas_[p] != 1;
       p = posDeId_.value(filas_[p].idPadre, -1)) {
    marcas_[p] = 1;
    cambio = true;
  }
  const zolmar::TreeNode& nodo = filas_[pos].nodo;
  if (cambio || (nodo && nodo.Children() > 0)) RefrescarMarcas();
}

void FrmBuscaArbol::RefrescarMarcas() {
  TreeArbol->setUpdatesEnabled(false);
  for (qint32 i = 0; i < filas_.size(); ++i) {
    zolmar::TreeNode& nodo = filas_[i].nodo;
    if (!nodo) continue;
    const bool marcado = marcas_[i] != 0;
    if (nodo.Checked() != marcado) nodo.setChecked(marcado);
    if (marcado) ExpandirAntecesores(nodo);
  }
  TreeArbol->setUpdatesEnabled(true);
}

void FrmBuscaArbol::btnMarcarTodo_Click() {
  marcas_.fill(1);
  RefrescarMarcas();
}

void FrmBuscaArbol::btnDesmarcarTodo_Click() {
  marcas_.fill(0);
  RefrescarMarcas();
}

}  // namespace arboles
