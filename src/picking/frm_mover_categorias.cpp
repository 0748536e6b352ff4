#include "picking/frm_mover_categorias.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <stdexcept>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "tree/taz_arboles.h"
#include "tree/ventanas_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/lbl.h"
#include "zolmar/ui/list_window.h"
#include "zolmar/ui/st_bar.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

const QString FrmMoverCategorias::NombreVentana = QStringLiteral("FrmMoverCategorias");
const QString FrmMoverCategorias::MensajeNoValida =
    QString::fromUtf8("La selección que se ha elegido como destino no es válida.");

namespace {

constexpr qint32 kAccionSalir = 3;

}  // namespace

void FrmMoverCategorias::Registrar() {
  VentanasArboles::instance().registerMoverCategorias([](cTAZ_Arboles& taz, qint32 nTipoArbol) -> QWidget* {
    auto* frm = new FrmMoverCategorias();
    if (!frm->Run(taz, nTipoArbol)) {
      delete frm;
      return nullptr;
    }
    return frm;
  });
}

FrmMoverCategorias::FrmMoverCategorias(QWidget* parent) : zolmar::FrmBasico(parent) {
  setObjectName(NombreVentana);
  CrearControles();
}

FrmMoverCategorias::~FrmMoverCategorias() {
  if (referencias_) referencias_->close();
}

void FrmMoverCategorias::CrearControles() {
  setWindowTitle(QString::fromUtf8("Organización de categorías"));
  resize(760, 560);
  auto* rejilla = new QGridLayout();
  for (qint32 i = 0; i < 2; ++i) {
    lblArbol[i] = new zolmar::lbl(QString(), this);
    TreeArbol[i] = new zolmar::TreeView(this);
    btnReferencias[i] = new zolmar::btn(QStringLiteral("Referencias"), this);
    btnAccion[i] = new zolmar::btn(this);
    rejilla->addWidget(lblArbol[i], 0, i);
    rejilla->addWidget(TreeArbol[i], 1, i);
    rejilla->addWidget(btnReferencias[i], 2, i, Qt::AlignLeft);
  }
  rejilla->setRowStretch(1, 1);
  btnCancelar = new zolmar::btn(QStringLiteral(" Salir "), this);
  stbEstado = new zolmar::StBar(this);
  stbEstado->AddPanel();

  auto* botones = new QHBoxLayout();
  botones->addWidget(btnAccion[0]);
  botones->addWidget(btnAccion[1]);
  botones->addStretch(1);
  botones->addWidget(btnCancelar);
  auto* todo = new QVBoxLayout(this);
  todo->addLayout(rejilla, 1);
  todo->addLayout(botones);
  todo->addWidget(stbEstado);
  ConectarEventos();
}

void FrmMoverCategorias::ConectarEventos() {
  for (qint32 i = 0; i < 2; ++i) {
    connect(TreeArbol[i], &zolmar::TreeView::NodeClick, this,
            [this, i](const zolmar::TreeNode& n) { TreeArbol_NodeClick(i, n); });
    connect(TreeArbol[i], &zolmar::TreeView::Collapse, this,
            [this, i](const zolmar::TreeNode& n) { TreeArbol_Collapse(i, n); });
    TreeArbol[i]->setNodeDragDrop(true);
    connect(TreeArbol[i], &zolmar::TreeView::NodeDrop, this, &FrmMoverCategorias::TreeArbol_NodeDrop);
    connect(btnReferencias[i], &zolmar::btn::Clicked, this, [this, i] { btnReferencias_Click(i); });
    connect(btnAccion[i], &zolmar::btn::Clicked, this, [this, i] { btnAccion_Click(i); });
  }
  connect(btnCancelar, &zolmar::btn::Clicked, this, [this] { btnCancelar_Click(); });
}

bool FrmMoverCategorias::Run(cTAZ_Arboles& oTAZ, qint32 nTipoArbol) {
  if (!Preparar(oTAZ, nTipoArbol)) return false;
  Show();
  return true;
}

bool FrmMoverCategorias::Preparar(cTAZ_Arboles& oTAZ, qint32 nTipoArbol) {
  oGlobales_ = oTAZ.oGlobales;
  oAppGlobal_ = oTAZ.oAppGlobal;
  if (!oGlobales_ || !oAppGlobal_) return false;
  oCn_ = oGlobales_->GetConnection();
  oTAZ_Arboles_ = std::make_shared<cTAZ_Arboles>();
  oTAZ_Arboles_->I_TAZ_Configure(oGlobales_, oAppGlobal_, QString());
  nTipoArbol_ = nTipoArbol;
  SetAppGlobal(oAppGlobal_, NombreVentana);
  return true;
}

void FrmMoverCategorias::Form_Load() {
  const auto tr = [this](const char* text) { return oAppGlobal_->Translate(QString::fromUtf8(text)); };
  setWindowTitle(tr("Organización de categorías"));
  lblArbol[0]->setCaption(tr("Árbol de categorías actual"));
  lblArbol[1]->setCaption(tr("Árbol de categorías de destino"));
  for (zolmar::btn* b : btnReferencias) b->setCaption(tr("Referencias"));
  btnAccion[0]->setCaption(tr("Unir categorías"));
  btnAccion[1]->setCaption(tr("Añadir como un nuevo nivel"));
  btnCancelar->setCaption(tr(" Salir "));
  btnCancelar->setToolTipText(tr("Salir"));
  CargarArboles(true);
  oAppGlobal_->StyleWindow(this);
  oAppGlobal_->ConnectStatusBar(this, stbEstado);
}

void FrmMoverCategorias::Form_QueryUnload(bool& Cancel, qint32) { Cancel = !FormGuard() || !CloseCheck(); }

void FrmMoverCategorias::Form_Unload(bool&) {
  if (referencias_) referencias_->close();
}

bool FrmMoverCategorias::AppQueryUnload() { return zolmar::FrmBasico::AppQueryUnload(); }

void FrmMoverCategorias::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  if (!oAppGlobal_ || oAppGlobal_->MapKey(KeyCode, Shift, 3) != kAccionSalir) return;
  KeyCode = 0;
  btnCancelar->Click();
}

void FrmMoverCategorias::btnCancelar_Click() { Unload(); }

void FrmMoverCategorias::TreeArbol_NodeClick(qint32 Index, const zolmar::TreeNode& Node) {
  MoverSeleccion(Index, Node);
}

void FrmMoverCategorias::TreeArbol_Collapse(qint32 Index, const zolmar::TreeNode& Node) {
  TreeArbol[Index]->setSelectedItem(Node);
  MoverSeleccion(Index, Node);
}

void FrmMoverCategorias::btnAccion_Click(qint32 Index) {
  lRealizada_ = false;
  traspasadas_.clear();
  if (Index == 0)
    Unir();
  else
    AnadirNivel();
}

void FrmMoverCategorias::Ejecutar(const QString& sql) {
  oCn_->ExecuteSQL(sql, 1, QVariant());
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
}

QVariant FrmMoverCategorias::Valor(const QString& sql, const QVariant& def) {
  const QVariant v = oCn_->ExecuteSQL(sql, 2, def);
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
  return v;
}

RecordsetPtr FrmMoverCategorias::Abrir(const QString& sql, qint32 nModo) {
  const RecordsetPtr rs = recordsetOf(oCn_->ExecuteSQL(sql, nModo, QVariant()));
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
  return rs;
}

}  // namespace arboles
