// FrmMoverCategorias: loading both trees with their reference counts, and the
// marked selection of each tree.

#include <QVector>

#include "host/i_app_global.h"
#include "host/i_recordset.h"
#include "picking/frm_mover_categorias.h"
#include "tree/marcas_borrado.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

const QString kRaiz = QStringLiteral("K=0");
constexpr qint32 kRojo = 255;

QString rtrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s.at(n - 1).isSpace()) --n;
  return s.left(n);
}

}  // namespace

QString FrmMoverCategorias::ClaveDeId(qint32 nID) { return QStringLiteral("K=") + QString::number(nID); }

qint32 FrmMoverCategorias::IdDeClave(const QString& cClave) { return cClave.mid(2).toInt(); }

QString FrmMoverCategorias::ConsultaCuentas() const {
  switch (nTipoArbol_) {
    case TipoArbolArticulos:
      return QStringLiteral("SELECT A.ZolmarID, count(*) AS Numero") + QStringLiteral(" FROM Articulos Art") +
             QStringLiteral(" LEFT JOIN Arboles A ON A.ZolmarID = Art.ID_Categoria1") +
             QStringLiteral(" GROUP BY A.ZolmarID");
    case TipoArbolClientes:
      return QStringLiteral("SELECT A.ZolmarID, count(*) AS Numero") + QStringLiteral(" FROM Clientes C") +
             QStringLiteral(" LEFT JOIN Arboles A ON A.ZolmarID = C.ID_Grupo") +
             QStringLiteral(" GROUP BY A.ZolmarID");
    case TipoArbolProveedores:
      return QStringLiteral("SELECT A.ZolmarID, count(*) AS Numero") + QStringLiteral(" FROM Proveedores P") +
             QStringLiteral(" LEFT JOIN Arboles A ON A.ZolmarID = P.ID_Grupo") +
             QStringLiteral(" GROUP BY A.ZolmarID");
    default:
      return QString();
  }
}

void FrmMoverCategorias::CargarArboles(bool lSeleccionarPrimero) {
  oAppGlobal_->ShowWait(QStringLiteral("Seleccionando datos ..."));
  const QString cuentas = ConsultaCuentas();
  cuentas_.clear();
  const RecordsetPtr rs = cuentas.isEmpty() ? nullptr : Abrir(cuentas, 7);
  while (rs && rs->Read())
    cuentas_.insert(rs->Field(QStringLiteral("ZolmarID")).toInt(),
                    rs->Field(QStringLiteral("Numero")).toInt());
  oAppGlobal_->ShowWait(QString());
  for (qint32 i = 0; i < 2; ++i) CargarArbol(i, lSeleccionarPrimero);
}

// Rows come in key order, so a parent is always added before its children.
void FrmMoverCategorias::CargarArbol(qint32 nIndex, bool lSeleccionarPrimero) {
  zolmar::TreeView* arbol = TreeArbol[nIndex];
  arbol->setVisible(false);
  arbol->Nodes().Clear();
  QVector<zolmar::TreeNode> nodos{
      arbol->Nodes().Add(QString(), zolmar::TreeNodes::tvwLast, kRaiz, QStringLiteral("/"))};
  rsArbol_ = Abrir(QStringLiteral("SELECT zolmarID, nombre,id_padre, CriterioHijos") +
                       QStringLiteral(" FROM Arboles") + QStringLiteral(" WHERE tipo = ") +
                       QString::number(nTipoArbol_) + QStringLiteral(" ORDER BY clave"),
                   6);
  const QString referencias = QLatin1Char(' ') + oAppGlobal_->Translate(QStringLiteral("Referencias"));
  nodos.reserve(rsArbol_ ? rsArbol_->RecordCount() + 1 : 1);
  while (rsArbol_ && rsArbol_->Read()) {
    const qint32 id = rsArbol_->Field(QStringLiteral("zolmarID")).toInt();
    const qint32 padre = rsArbol_->Field(QStringLiteral("id_padre")).toInt();
    QString texto = rtrim(rsArbol_->Field(QStringLiteral("nombre")).toString());
    const qint32 n = cuentas_.value(id);  // no row in the grouped query: no references
    if (n > 0) texto += QStringLiteral(" (") + QString::number(n) + referencias + QLatin1Char(')');
    // A row whose parent is not in the tree has nowhere to hang.
    const zolmar::TreeNode nodo = arbol->Nodes().tryAdd(padre == 0 ? kRaiz : ClaveDeId(padre),
                                                        zolmar::TreeNodes::tvwChild, ClaveDeId(id), texto);
    if (nodo) nodos.append(nodo);
  }
  if (oCn_) MarcasBorrado::Aplicar(*oCn_, nTipoArbol_, *arbol);
  if (lSeleccionarPrimero && rsArbol_ && rsArbol_->RecordCount() > 0) {
    rsArbol_->SetPosition(1);
    zolmar::TreeNode primero = arbol->Node(ClaveDeId(rsArbol_->Field(QStringLiteral("zolmarID")).toInt()));
    if (primero) {
      arbol->setSelectedItem(primero);
      primero.EnsureVisible();
      MarcarNodo(nIndex, true, primero.Key());
      nSeleccion_[nIndex] = IdDeClave(primero.Key());
    }
  }
  for (zolmar::TreeNode& nodo : nodos) {
    // A marked node keeps the grey of its mark.
    if (nodo.Children() > 0 || nodo.MarkedDeleted()) continue;
    if (!cuentas_.contains(IdDeClave(nodo.Key()))) nodo.setForeColor(QColor(kRojo, 0, 0));
  }
  arbol->setVisible(true);
}

// The selection of each tree stays visible while the other tree has the focus.
void FrmMoverCategorias::MarcarNodo(qint32 nIndex, bool lMarcar, const QString& cClave) {
  if (cClave.isEmpty()) return;
  zolmar::TreeNode nodo = TreeArbol[nIndex]->Node(cClave);
  if (!nodo) return;
  if (lMarcar) {
    nodo.setBackColor(zolmar::TreeView::ActiveTitleBarColor());
    colorGuardado_[nIndex] = nodo.ForeColor();
    nodo.setForeColor(zolmar::TreeView::ActiveTitleBarTextColor());
    if (!nodo.Visible()) nodo.EnsureVisible();
  } else {
    nodo.setBackColor(zolmar::TreeView::WindowBackgroundColor());
    nodo.setForeColor(colorGuardado_[nIndex]);
  }
}

void FrmMoverCategorias::MoverSeleccion(qint32 nIndex, const zolmar::TreeNode& Node) {
  if (!Node) return;
  MarcarNodo(nIndex, false, ClaveDeId(nSeleccion_[nIndex]));
  nSeleccion_[nIndex] = IdDeClave(Node.Key());
  MarcarNodo(nIndex, true, Node.Key());
}

}  // namespace arboles
