#include "picking/frm_busca_arbol.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "host/i_app_global.h"
#include "host/i_globales.h"
#include "host/i_host_objects.h"
#include "host/i_recordset.h"
#include "tree/taz_arboles.h"
#include "tree/ventanas_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

const QString FrmBuscaArbol::NombreVentana = QStringLiteral("FrmBuscaArbol");
const QString FrmBuscaArbol::MensajeSoloHojas =
    QString::fromUtf8("Solo se pueden seleccionar elementos del último nivel del árbol");

namespace {}  // namespace

void FrmBuscaArbol::Registrar() {
  VentanasArboles::instance().registerBusqueda([](cTAZ_Arboles& taz, const ParametrosBuscar& p) -> qint32 {
    QString ruta = p.cRutaPadre ? *p.cRutaPadre : QString();
    QString lista = p.cListaCategorias ? *p.cListaCategorias : QString();
    FrmBuscaArbol frm;
    const qint32 id =
        frm.Run(taz, p.nTipoArbol, p.lOnlyLeafNodes, p.nID_Actual, p.lArbolMaterias, p.lArbolOpcionesMenu,
                ruta, p.lMultiSeleccion, lista, p.lGetIDsPadresMultiSelect);
    if (p.cRutaPadre) *p.cRutaPadre = ruta;
    if (p.cListaCategorias) *p.cListaCategorias = lista;
    return id;
  });
}

FrmBuscaArbol::FrmBuscaArbol(QWidget* parent) : zolmar::FrmBasico(parent) {
  setObjectName(NombreVentana);
  CrearControles();
}

FrmBuscaArbol::~FrmBuscaArbol() = default;

void FrmBuscaArbol::CrearControles() {
  setWindowTitle(QStringLiteral("Buscar"));
  resize(420, 520);
  TreeArbol = new zolmar::TreeView(this);
  getBuscar = new zolmar::get(this);
  btnAceptar = new zolmar::btn(QStringLiteral("Aceptar"), this);
  btnCancelar = new zolmar::btn(QStringLiteral("Cancelar"), this);
  btnMarcarTodo = new zolmar::btn(QStringLiteral("Marcar todo"), this);
  btnDesmarcarTodo = new zolmar::btn(QStringLiteral("Desmarcar todo"), this);
  btnAceptar->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  btnCancelar->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

  auto* botones = new QHBoxLayout();
  botones->addWidget(btnMarcarTodo);
  botones->addWidget(btnDesmarcarTodo);
  botones->addStretch(1);
  botones->addWidget(btnAceptar);
  botones->addWidget(btnCancelar);
  auto* todo = new QVBoxLayout(this);
  todo->addWidget(getBuscar);
  todo->addWidget(TreeArbol, 1);
  todo->addLayout(botones);
  ConectarEventos();
}

void FrmBuscaArbol::ConectarEventos() {
  connect(btnAceptar, &zolmar::btn::Clicked, this, [this] { btnAceptar_Click(); });
  connect(btnCancelar, &zolmar::btn::Clicked, this, [this] { btnCancelar_Click(); });
  connect(btnMarcarTodo, &zolmar::btn::Clicked, this, [this] { btnMarcarTodo_Click(); });
  connect(btnDesmarcarTodo, &zolmar::btn::Clicked, this, [this] { btnDesmarcarTodo_Click(); });
  connect(getBuscar, &zolmar::get::Change, this, [this] { getBuscar_Change(); });
  connect(TreeArbol, &zolmar::TreeView::NodeClick, this, [this](const auto& n) { TreeArbol_NodeClick(n); });
  connect(TreeArbol, &zolmar::TreeView::Collapse, this, [this](const auto& n) { TreeArbol_Collapse(n); });
  connect(TreeArbol, &zolmar::TreeView::Expand, this, [this](const auto& n) { TreeArbol_Expand(n); });
  connect(TreeArbol, &zolmar::TreeView::NodeCheck, this, [this](const auto& n) { TreeArbol_NodeCheck(n); });
  connect(TreeArbol, &zolmar::TreeView::MouseDown, this,
          [this](qint32 b, qint32 s, float x, float y) { TreeArbol_MouseDown(b, s, x, y); });
  connect(TreeArbol, &zolmar::TreeView::MouseUp, this,
          [this](qint32 b, qint32 s, float x, float y) { TreeArbol_MouseUp(b, s, x, y); });
  connect(TreeArbol, &zolmar::TreeView::KeyPress, this, [this](qint32& k) { TreeArbol_KeyPress(k); });
}

qint32 FrmBuscaArbol::Run(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, bool lOnlyLeafNodes,
                          qint32 nID_Actual, bool lArbolMaterias, bool lArbolOpcionesMenu,
                          QString& cRutaPadre, bool lMultiSeleccion, QString& cListaCategorias,
                          bool lGetIDsPadresMultiSelect) {
  if (!Mostrar(oTAZ_Arboles, nTipoArbol, lOnlyLeafNodes, nID_Actual, lArbolMaterias, lArbolOpcionesMenu,
               lMultiSeleccion, cListaCategorias, lGetIDsPadresMultiSelect))
    return 0;
  setWindowModality(Qt::ApplicationModal);
  oAppGlobal_->GetFormWaiter()->WaitFormClosed(this);
  return Resultado(cRutaPadre, cListaCategorias);
}

bool FrmBuscaArbol::Mostrar(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, bool lOnlyLeafNodes,
                            qint32 nID_Actual, bool lArbolMaterias, bool lArbolOpcionesMenu,
                            bool lMultiSeleccion, const QString& cListaCategorias,
                            bool lGetIDsPadresMultiSelect) {
  oGlobales_ = oTAZ_Arboles.oGlobales;
  oAppGlobal_ = oTAZ_Arboles.oAppGlobal;
  oCn_ = oGlobales_ ? oGlobales_->GetConnection() : nullptr;
  nTipoArbol_ = nTipoArbol;
  lOnlyLeafNodes_ = lOnlyLeafNodes;
  nIdSeleccionado_ = nID_Actual;
  lArbolMaterias_ = lArbolMaterias;
  lArbolOpcionesMenu_ = lArbolOpcionesMenu;
  lMultiSeleccion_ = lMultiSeleccion;
  cListaIds_ = NormalizarLista(cListaCategorias);
  lGetIDsPadresMultiSelect_ = lGetIDsPadresMultiSelect;
  if (!oAppGlobal_ || !oCn_) return false;

  SetAppGlobal(oAppGlobal_, NombreVentana);
  Load();
  QCoreApplication::processEvents();
  const QString espera = TextoEspera();
  if (!espera.isEmpty()) oAppGlobal_->ShowWait(espera);
  LlenarArbol();
  oAppGlobal_->ShowWait(QString());
  Show();
  if (!lMultiSeleccion_) getBuscar->SetFocus();  // the person types the name at once
  return true;
}

qint32 FrmBuscaArbol::Resultado(QString& cRutaPadre, QString& cListaCategorias) {
  // Closing the window any other way than Aceptar is a cancel.
  if (!lAceptado_) nIdSeleccionado_ = 0;
  if (lAceptado_ && lMultiSeleccion_) cListaCategorias = cListaIds_;
  if (lArbolOpcionesMenu_) cRutaPadre = RutaDeSeleccion();
  return nIdSeleccionado_;
}

QString FrmBuscaArbol::TextoEspera() const {
  if (lArbolMaterias_) return QStringLiteral("Leyendo materias.<BR>Espere...");
  switch (nTipoArbol_) {
    case TipoArbolClientes:
      return QStringLiteral("Leyendo grupos de clientes.<BR>Espere...");
    case TipoArbolProveedores:
      return QStringLiteral("Leyendo grupos de proveedores.<BR>Espere...");
    case TipoArbolArticulos:
      return QString::fromUtf8("Leyendo categorías.<BR>Espere...");
    default:
      return QString();
  }
}

QString FrmBuscaArbol::RutaDeSeleccion() {
  if (nIdSeleccionado_ <= 0 || !rs_) return QString();
  if (rs_->Find(QStringLiteral("ZolmarID=") + QString::number(nIdSeleccionado_)) <= 0) return QString();
  return rs_->Field(QStringLiteral("RutaPadre")).toString();
}

void FrmBuscaArbol::Form_Load() {
  const auto tr = [this](const char* text) { return oAppGlobal_->Translate(QString::fromUtf8(text)); };
  setWindowTitle(lMultiSeleccion_ ? tr("Selección multiple de categorías") : tr("Buscar"));
  btnAceptar->setCaption(tr("Aceptar"));
  btnCancelar->setCaption(tr("Cancelar"));
  btnMarcarTodo->setCaption(tr("Marcar todo"));
  btnDesmarcarTodo->setCaption(tr("Desmarcar todo"));
  btnAceptar->setToolTipText(tr("Confirma los valores actuales para guardarlos"));
  btnCancelar->setToolTipText(tr("Cancela las modificaciones realizadas, descartando estos valores"));
  TreeArbol->setCheckboxes(lMultiSeleccion_);
  btnMarcarTodo->setVisible(lMultiSeleccion_);
  btnDesmarcarTodo->setVisible(lMultiSeleccion_);
  getBuscar->setVisible(!lMultiSeleccion_);
}

void FrmBuscaArbol::Form_QueryUnload(bool& Cancel, qint32) { Cancel = !FormGuard() || !CloseCheck(); }

bool FrmBuscaArbol::AppQueryUnload() { return zolmar::FrmBasico::AppQueryUnload(); }

void FrmBuscaArbol::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  // A dialog: the save keys (F9, Ctrl+S) accept it too.
  DialogKey(KeyCode, Shift, 3, btnAceptar, btnCancelar);
}

void FrmBuscaArbol::btnAceptar_Click() {
  if (!FormGuard()) return;
  if (!lMultiSeleccion_ && lOnlyLeafNodes_) {
    const zolmar::TreeNode nodo = TreeArbol->Node(ClaveDeId(nIdSeleccionado_));
    if (nodo && nodo.Children() > 0) {
      oAppGlobal_->ShowMessage(oAppGlobal_->Translate(MensajeSoloHojas), 0,
                               oAppGlobal_->Translate(QString::fromUtf8("Información")), IconInformation);
      return;
    }
  }
  if (lMultiSeleccion_) {
    cListaIds_ = ListaMarcados();
    nIdSeleccionado_ = 1;
  }
  lAceptado_ = true;
  Unload();
}

// Rows are in key order, so the list comes out in key order. A row without a
// node (its branch hangs from a BORRADO node) was never offered, so it is
// never returned, not even after "Marcar todo".
QString FrmBuscaArbol::ListaMarcados() const {
  QStringList ids;
  for (qint32 i = 0; i < filas_.size(); ++i) {
    const zolmar::TreeNode& nodo = filas_[i].nodo;
    if (!marcas_[i] || !nodo) continue;
    if (nodo.Children() == 0 || lGetIDsPadresMultiSelect_) ids << QString::number(filas_[i].id);
  }
  return ids.join(QLatin1Char(','));
}

void FrmBuscaArbol::btnCancelar_Click() {
  nIdSeleccionado_ = 0;
  lAceptado_ = false;
  Unload();
}

bool FrmBuscaArbol::Marcado(qint32 nID) const {
  const qint32 pos = posDeId_.value(nID, -1);
  return pos >= 0 && marcas_[pos] != 0;
}

}  // namespace arboles
