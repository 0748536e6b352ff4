// FrmCrearCategoriasRest: the template tree, the selection mark and the
// check boxes.

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "import/frm_crear_categorias_rest.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

QString rtrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s.at(n - 1).isSpace()) --n;
  return s.left(n);
}

QString K(qint32 id) { return QStringLiteral("K=") + QString::number(id); }

// The key without its unused trailing segments: the prefix of every descendant.
QString Significativa(QString clave) {
  while (clave.endsWith(QStringLiteral("00"))) clave.chop(2);
  return clave;
}

}  // namespace

qint32 FrmCrearCategoriasRest::IdDeNodo(const zolmar::TreeNode& Node) { return Node.Key().mid(2).toInt(); }

// The consultant's levels 1 and 2 under a root that exists only in the query.
// The rows are read writable: the checks live in their Activo.
void FrmCrearCategoriasRest::CargarArbol() {
  TreeArbol->Nodes().Clear();
  const QString literal = oCnConsultor_->SQLLiteral(Restaurante());
  rs_ = recordsetOf(oCnConsultor_->ExecuteSQL(
      QStringLiteral("SELECT 999999999 AS ZolmarID, ") + literal +
          QStringLiteral(" AS Nombre, 0 AS ID_Padre,") +
          QStringLiteral(" '0100000000000000' AS Clave, 0 AS Activo") + QStringLiteral(" UNION ALL ") +
          QStringLiteral(
              "SELECT zolmarID, nombre, (CASE WHEN id_padre=0 THEN 999999999 ELSE ID_Padre END) AS "
              "ID_Padre,") +
          QStringLiteral(" '01' + LEFT(Clave,14) AS Clave, 0 AS Activo") + QStringLiteral(" FROM Arboles") +
          QStringLiteral(" WHERE tipo = ") + QStringLiteral("3") +
          QStringLiteral(" AND SUBSTRING(Clave,5,2)='00'") + QStringLiteral(" ORDER BY clave"),
      7, QVariant()));
  if (!rs_) return;
  zolmar::TreeNodes& nodos = TreeArbol->Nodes();
  while (rs_->Read()) {
    const qint32 id = rs_->Field(QStringLiteral("ZolmarID")).toInt();
    const qint32 idPadre = rs_->Field(QStringLiteral("ID_Padre")).toInt();
    const QString texto = rtrim(rs_->Field(QStringLiteral("Nombre")).toString());
    if (idPadre == 0)
      nodos.tryAdd(QString(), zolmar::TreeNodes::tvwLast, K(id), texto);
    else
      nodos.tryAdd(K(idPadre), zolmar::TreeNodes::tvwChild, K(id), texto);
  }
  if (rs_->RecordCount() == 0) return;
  rs_->SetPosition(1);
  const qint32 primero = rs_->Field(QStringLiteral("ZolmarID")).toInt();
  zolmar::TreeNode raiz = TreeArbol->Node(K(primero));
  TreeArbol->setSelectedItem(raiz);
  raiz.EnsureVisible();
  raiz.setExpanded(true);  // the families show at once
  nIdSeleccionado_ = primero;
  Marcar(true, primero);
}

void FrmCrearCategoriasRest::Marcar(bool lMarcar, qint32 nID) {
  zolmar::TreeNode nodo = TreeArbol->Node(K(nID));
  if (!nodo) return;
  nodo.setBackColor(lMarcar ? zolmar::TreeView::ActiveTitleBarColor()
                            : zolmar::TreeView::WindowBackgroundColor());
  nodo.setForeColor(lMarcar ? zolmar::TreeView::ActiveTitleBarTextColor()
                            : zolmar::TreeView::WindowTextColor());
}

void FrmCrearCategoriasRest::TreeArbol_NodeClick(const zolmar::TreeNode& Node) {
  Marcar(false, nIdSeleccionado_);
  nIdSeleccionado_ = IdDeNodo(Node);
  Marcar(true, nIdSeleccionado_);
}

void FrmCrearCategoriasRest::TreeArbol_Collapse(const zolmar::TreeNode& Node) {
  TreeArbol->setSelectedItem(Node);
  TreeArbol_NodeClick(Node);
}

void FrmCrearCategoriasRest::TreeArbol_MouseDown(qint32 Button, qint32, float x, float y) {
  marcaPendiente_.MouseDown(*TreeArbol, Button, x, y);
}

void FrmCrearCategoriasRest::TreeArbol_MouseUp(qint32, qint32, float, float) { marcaPendiente_.MouseUp(); }

void FrmCrearCategoriasRest::TreeArbol_KeyPress(qint32& KeyAscii) {
  marcaPendiente_.KeyPress(*TreeArbol, KeyAscii);
}

void FrmCrearCategoriasRest::TreeArbol_NodeCheck(const zolmar::TreeNode& Node) {
  if (marcaPendiente_.Tomar(Node)) AplicarMarca(Node);
}

// Descendants follow the node (checking the root checks everything); a
// checked node checks its ancestors.
void FrmCrearCategoriasRest::AplicarMarca(const zolmar::TreeNode& Node) {
  if (!rs_) return;
  const QString id = QString::number(IdDeNodo(Node));
  if (rs_->Find(QStringLiteral("ZolmarID=") + id) <= 0) return;
  const qint32 activo = Node.Checked() ? 1 : 0;
  rs_->SetField(QStringLiteral("Activo"), activo);
  const QString prefijo = Significativa(rs_->Field(QStringLiteral("Clave")).toString());
  while (rs_->MoveNext() && rs_->Field(QStringLiteral("Clave")).toString().startsWith(prefijo))
    rs_->SetField(QStringLiteral("Activo"), activo);
  bool antecesores = false;
  rs_->Find(QStringLiteral("ZolmarID=") + id);
  qint32 idPadre = rs_->Field(QStringLiteral("ID_Padre")).toInt();
  while (idPadre > 0 && rs_->Find(QStringLiteral("ZolmarID=") + QString::number(idPadre)) > 0 &&
         rs_->Field(QStringLiteral("Activo")).toInt() != 1) {
    rs_->SetField(QStringLiteral("Activo"), 1);
    antecesores = true;
    idPadre = rs_->Field(QStringLiteral("ID_Padre")).toInt();
  }
  if (antecesores || Node.Children() > 0) RefrescarMarcas();
}

void FrmCrearCategoriasRest::RefrescarMarcas() {
  TreeArbol->setVisible(false);
  rs_->SetPosition(0);
  while (rs_->Read()) {
    zolmar::TreeNode nodo = TreeArbol->Node(K(rs_->Field(QStringLiteral("ZolmarID")).toInt()));
    if (!nodo) continue;
    const bool marcado = rs_->Field(QStringLiteral("Activo")).toInt() != 0;
    nodo.setChecked(marcado);
    if (marcado) nodo.EnsureVisible();
  }
  TreeArbol->setVisible(true);
}

}  // namespace arboles
