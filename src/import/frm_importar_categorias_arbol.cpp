// FrmImportarCategorias: the ordering keys of the service rows, the tree, the
// check boxes and the renaming of categories.

#include <QTimer>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "import/frm_importar_categorias.h"
#include "tree/clave_arbol.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/st_bar.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

QString rtrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s.at(n - 1).isSpace()) --n;
  return s.left(n);
}

QString K(const QVariant& id) { return QStringLiteral("K=") + QString::number(id.toInt()); }

}  // namespace

qint32 FrmImportarCategorias::IdDeNodo(const zolmar::TreeNode& Node) { return Node.Key().mid(2).toInt(); }

// Each row's Clave: its parent's Clave and its own 2-digit position among its
// siblings, so that ordering by Clave lists every parent before its children.
// Each parent's rows are gathered in one pass, not searched for.
void FrmImportarCategorias::AsignarClaves() {
  oDatos_->Sort(QStringLiteral("ID_Padre"));
  QHash<qint32, QVector<qint32>> hijos;
  QVector<qint32> ids(oDatos_->RecordCount() + 1);
  for (oDatos_->SetPosition(0); oDatos_->Read();) {
    hijos[oDatos_->Field(QStringLiteral("ID_Padre")).toInt()].append(oDatos_->Position());
    ids[oDatos_->Position()] = oDatos_->Field(QStringLiteral("ID")).toInt();
  }
  AsignarClavesHijos(hijos, ids, 0, QString());
  oDatos_->Sort(QStringLiteral("Clave"));
}

void FrmImportarCategorias::AsignarClavesHijos(const QHash<qint32, QVector<qint32>>& hijos,
                                               const QVector<qint32>& ids, qint32 nID_Padre,
                                               const QString& cPrefijo) {
  qint32 contador = 0;
  for (const qint32 posicion : hijos.value(nID_Padre)) {
    const QString clave = cPrefijo + ClaveArbol::NumeroASegmento(++contador);
    oDatos_->SetPosition(posicion);
    oDatos_->SetField(QStringLiteral("Clave"), clave);
    AsignarClavesHijos(hijos, ids, ids[posicion], clave);
  }
}

void FrmImportarCategorias::BuscarRama() {
  idRama_ = oCn_->ExecuteSQL(QStringLiteral("SELECT TOP 1 ZolmarID FROM Arboles") +
                                 QStringLiteral(" WHERE nombre='Cotalia'") +
                                 QStringLiteral(" AND (Opciones & ") + QStringLiteral("1") +
                                 QStringLiteral(")>0") + QStringLiteral(" AND Tipo=") + QStringLiteral("3"),
                             2, 0)
                .toInt();
  segmentoRama_.clear();
  importadas_.clear();
  if (idRama_ <= 0) {
    idRama_ = 0;
    return;
  }
  segmentoRama_ = oCn_->ExecuteSQL(QStringLiteral("SELECT LEFT(Clave,2) FROM Arboles WHERE ZolmarID=") +
                                       QString::number(idRama_),
                                   2, QString())
                      .toString();
  const RecordsetPtr rs = recordsetOf(
      oCn_->ExecuteSQL(QStringLiteral("SELECT ZolmarID, CodigoExterno, NivelExterno FROM Arboles") +
                           QStringLiteral(" WHERE Tipo=") + QStringLiteral("3") +
                           QStringLiteral(" AND (Opciones & ") + QStringLiteral("1") + QStringLiteral(")>0"),
                       5, QVariant()));
  // Read once into a hash: every service row asks for its code and level.
  while (rs && rs->Read()) {
    const QVariant codigo = rs->Field(QStringLiteral("CodigoExterno"));
    const QVariant nivel = rs->Field(QStringLiteral("NivelExterno"));
    const QPair<qint32, qint32> llave{codigo.toInt(), nivel.toInt()};
    if (!codigo.isNull() && !nivel.isNull() && !importadas_.contains(llave))
      importadas_.insert(llave, rs->Field(QStringLiteral("ZolmarID")).toInt());
  }
}

void FrmImportarCategorias::CargarArbol() {
  AsignarClaves();
  BuscarRama();
  TreeArbol->setUpdatesEnabled(false);
  TreeArbol->Nodes().Clear();
  zolmar::TreeNodes& nodos = TreeArbol->Nodes();
  const QColor importada = zolmar::btn::ColorByIndex(ColorImportada);
  qint32 filas = 0;
  oDatos_->SetPosition(0);
  while (oDatos_->Read()) {
    ++filas;
    const auto previa = importadas_.constFind(
        {oDatos_->Field(QStringLiteral("ID_IT")).toInt(), oDatos_->Field(QStringLiteral("Nivel")).toInt()});
    if (previa != importadas_.constEnd()) {
      oDatos_->SetField(QStringLiteral("Activo"), 1);
      oDatos_->SetField(QStringLiteral("zolmarID"), *previa);
    }
    QString texto = rtrim(oDatos_->Field(QStringLiteral("Nombre")).toString());
    const QString criterio = oDatos_->Field(QStringLiteral("CriterioHijos")).toString();
    if (!criterio.trimmed().isEmpty()) texto += QStringLiteral(" - (") + criterio + QStringLiteral(")");
    const qint32 idPadre = oDatos_->Field(QStringLiteral("ID_Padre")).toInt();
    const QString clave = K(oDatos_->Field(QStringLiteral("ID")));
    zolmar::TreeNode nodo = idPadre == 0
                                ? nodos.tryAdd(QString(), zolmar::TreeNodes::tvwLast, clave, texto)
                                : nodos.tryAdd(K(idPadre), zolmar::TreeNodes::tvwChild, clave, texto);
    if (!nodo) continue;
    nodo.setChecked(oDatos_->Field(QStringLiteral("Activo")).toInt() != 0);
    if (oDatos_->Field(QStringLiteral("zolmarID")).toInt() > 0) nodo.setForeColor(importada);
  }
  // Every node starts collapsed: a classification of thousands of rows opens
  // at its sectors.
  TreeArbol->collapseAll();
  if (TreeArbol->topLevelItemCount() > 0) {
    zolmar::TreeNode primero(TreeArbol, TreeArbol->topLevelItem(0));
    primero.EnsureVisible();
  }
  TreeArbol->setUpdatesEnabled(true);
  stbEstado->setPanelText(
      0, oAppGlobal_->FormatMessage(oAppGlobal_->Translate(QStringLiteral("%1 categorías")), {filas}));
  stbEstado->Refresh();
}

void FrmImportarCategorias::TreeArbol_MouseDown(qint32 Button, qint32, float x, float y) {
  marcaPendiente_.MouseDown(*TreeArbol, Button, x, y);
}

void FrmImportarCategorias::TreeArbol_MouseUp(qint32, qint32, float, float) { marcaPendiente_.MouseUp(); }

void FrmImportarCategorias::TreeArbol_KeyPress(qint32& KeyAscii) {
  marcaPendiente_.KeyPress(*TreeArbol, KeyAscii);
}

void FrmImportarCategorias::TreeArbol_NodeCheck(const zolmar::TreeNode& Node) {
  if (marcaPendiente_.Tomar(Node)) AplicarMarca(Node);
}

// Descendants follow the node; checking a category checks its ancestors too,
// because a subfamily cannot be imported without its family and sector.
void FrmImportarCategorias::AplicarMarca(const zolmar::TreeNode& Node) {
  const QString id = QString::number(IdDeNodo(Node));
  if (oDatos_->Find(QStringLiteral("ID=") + id) <= 0) return;
  if (oDatos_->Field(QStringLiteral("zolmarID")).toInt() > 0) {
    oAppGlobal_->ShowMessage(
        oAppGlobal_->Translate(
            QStringLiteral("No puede desmarcar una categoría que ya había sido importada.")),
        0, oAppGlobal_->Translate(QStringLiteral("Esa categoría ya fue importada")), IconWarning);
    nodoTimer_ = Node.Key();
    TimerArbol->start();
    return;
  }
  const bool marcado = Node.Checked();
  const qint32 activo = marcado ? 1 : 0;
  oDatos_->SetField(QStringLiteral("Activo"), activo);
  const QString clave = oDatos_->Field(QStringLiteral("Clave")).toString();
  while (oDatos_->MoveNext() && oDatos_->Field(QStringLiteral("Clave")).toString().startsWith(clave)) {
    oDatos_->SetField(QStringLiteral("Activo"), activo);
    zolmar::TreeNode hijo = TreeArbol->Node(K(oDatos_->Field(QStringLiteral("ID"))));
    if (hijo) hijo.setChecked(marcado);
  }
  oDatos_->Find(QStringLiteral("ID=") + id);
  qint32 idPadre = oDatos_->Field(QStringLiteral("ID_Padre")).toInt();
  while (idPadre > 0 && oDatos_->Find(QStringLiteral("ID=") + QString::number(idPadre)) > 0 &&
         oDatos_->Field(QStringLiteral("Activo")).toInt() != 1) {
    oDatos_->SetField(QStringLiteral("Activo"), 1);
    zolmar::TreeNode padre = TreeArbol->Node(K(idPadre));
    if (padre) padre.setChecked(true);
    idPadre = oDatos_->Field(QStringLiteral("ID_Padre")).toInt();
  }
}

void FrmImportarCategorias::TreeArbol_BeforeLabelEdit(const zolmar::TreeNode& Node, bool& Cancel) {
  if (IdDeNodo(Node) != 1) return;
  Cancel = true;
  Informar(oAppGlobal_->Translate(QStringLiteral("No se puede cambiar el nombre de la categoría padre.")));
}

void FrmImportarCategorias::TreeArbol_AfterLabelEdit(const zolmar::TreeNode& Node, bool& Cancel,
                                                     QString& NewString) {
  const QString id = QString::number(IdDeNodo(Node));
  QString error = oAppGlobal_->CheckText(NewString);
  if (error.isEmpty() && oDatos_->Find(QStringLiteral("Nombre=") + oDatos_->QuoteCriterion(NewString) +
                                       QStringLiteral(" AND ID<>") + id) > 0)
    error = oAppGlobal_->Translate(QStringLiteral("No puede haber nombres de categorías repetidos"));
  oDatos_->Find(QStringLiteral("ID=") + id);
  if (NewString.size() >= 51) {
    Informar(oAppGlobal_->Translate(QStringLiteral("El nombre no puede tener más de 50 caractéres")));
    Cancel = true;
  } else if (!error.isEmpty()) {
    Informar(error);
    Cancel = true;
  } else {
    oDatos_->SetField(QStringLiteral("Nombre"), NewString);
  }
}

void FrmImportarCategorias::Informar(const QString& texto) {
  oAppGlobal_->ShowMessage(texto, 0, oAppGlobal_->Translate(QStringLiteral("Información")), IconInformation);
}

}  // namespace arboles
