#include "import/frm_crear_categorias_rest.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "tree/taz_arboles.h"
#include "tree/ventanas_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/popup_menu.h"
#include "zolmar/ui/st_bar.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

const QString FrmCrearCategoriasRest::NombreVentana = QStringLiteral("FrmCrearCategoriasRest");

namespace {

constexpr qint32 kModoDialogo = 3;

}  // namespace

void FrmCrearCategoriasRest::Registrar() {
  VentanasArboles::instance().registerCrearCategoriasRest([](cTAZ_Arboles& taz) -> QWidget* {
    auto* frm = new FrmCrearCategoriasRest();
    if (!frm->Run(taz)) {
      delete frm;
      return nullptr;
    }
    return frm;
  });
}

FrmCrearCategoriasRest::FrmCrearCategoriasRest(QWidget* parent) : zolmar::FrmBasico(parent) {
  setObjectName(NombreVentana);
  CrearControles();
}

FrmCrearCategoriasRest::~FrmCrearCategoriasRest() = default;

void FrmCrearCategoriasRest::CrearControles() {
  resize(420, 560);
  TreeArbol = new zolmar::TreeView(this);
  TreeArbol->setCheckboxes(true);
  btnAceptar = new zolmar::btn(QStringLiteral(" Aceptar "), this);
  btnCancelar = new zolmar::btn(QStringLiteral(" Cancelar "), this);
  stbEstado = new zolmar::StBar(this);
  stbEstado->AddPanel();
  auto* botones = new QHBoxLayout();
  botones->addStretch(1);
  botones->addWidget(btnAceptar);
  botones->addWidget(btnCancelar);
  auto* todo = new QVBoxLayout(this);
  todo->addWidget(TreeArbol, 1);
  todo->addLayout(botones);
  todo->addWidget(stbEstado);
  ConectarEventos();
}

void FrmCrearCategoriasRest::ConectarEventos() {
  connect(btnAceptar, &zolmar::btn::Clicked, this, [this] { btnAceptar_Click(); });
  connect(btnCancelar, &zolmar::btn::Clicked, this, [this] { btnCancelar_Click(); });
  connect(TreeArbol, &zolmar::TreeView::NodeClick, this, [this](const auto& n) { TreeArbol_NodeClick(n); });
  connect(TreeArbol, &zolmar::TreeView::Collapse, this, [this](const auto& n) { TreeArbol_Collapse(n); });
  connect(TreeArbol, &zolmar::TreeView::NodeCheck, this, [this](const auto& n) { TreeArbol_NodeCheck(n); });
  connect(TreeArbol, &zolmar::TreeView::MouseDown, this,
          [this](qint32 b, qint32 s, float x, float y) { TreeArbol_MouseDown(b, s, x, y); });
  connect(TreeArbol, &zolmar::TreeView::MouseUp, this,
          [this](qint32 b, qint32 s, float x, float y) { TreeArbol_MouseUp(b, s, x, y); });
  connect(TreeArbol, &zolmar::TreeView::KeyPress, this, [this](qint32& k) { TreeArbol_KeyPress(k); });
}

bool FrmCrearCategoriasRest::Run(cTAZ_Arboles& oTAZ) {
  oTAZ_ = &oTAZ;
  oAppGlobal_ = oTAZ.oAppGlobal;
  oGlobales_ = oTAZ.oGlobales;
  if (!oAppGlobal_ || !oGlobales_) return false;
  oCn_ = oGlobales_->GetConnection();
  if (!ConectarConsultor()) return false;
  SetAppGlobal(oAppGlobal_, NombreVentana);
  Show();
  return true;
}

bool FrmCrearCategoriasRest::ConectarConsultor() {
  const auto rs = recordsetOf(oCn_->ExecuteSQL(
      QStringLiteral("SELECT Name FROM Master..SysDatabases WHERE Name Like 'Zolmar_Cons#%'"), 5,
      QVariant()));
  QStringList nombres;
  while (rs && rs->Read()) nombres << rs->Field(QStringLiteral("Name")).toString();
  if (nombres.isEmpty()) {
    oAppGlobal_->ShowMessage(oAppGlobal_->Translate(QStringLiteral(
                                 "Primero debe instalar el consultor de artículos con fotografía")),
                             0, oAppGlobal_->Translate(QStringLiteral("Información")), IconInformation);
    return false;
  }
  consultor_ = nombres.first();
  if (nombres.size() > 1) {
    zolmar::PopupMenu menu;
    for (const QString& nombre : nombres) menu.Add(nombre);
    menu.Add(oAppGlobal_->Translate(QStringLiteral("&Salir")));
    const qint32 elegido =
        menu.Show(oAppGlobal_->Translate(QStringLiteral("Selección un consultor de artículos...")));
    consultor_ = elegido >= 1 && elegido <= nombres.size() ? nombres.at(elegido - 1) : QString();
  }
  if (consultor_.isEmpty()) return false;
  oCnConsultor_ = oGlobales_->OpenConnection(consultor_);
  return oCnConsultor_ != nullptr;
}

QString FrmCrearCategoriasRest::Restaurante() const {
  return oAppGlobal_->Translate(QStringLiteral("Restaurante"));
}

void FrmCrearCategoriasRest::Form_Load() {
  const auto tr = [this](const char* text) { return oAppGlobal_->Translate(QString::fromUtf8(text)); };
  setWindowTitle(tr("Crear categorías de artículos de restaurante"));
  btnAceptar->setCaption(tr(" Aceptar "));
  btnCancelar->setCaption(tr(" Cancelar "));
  btnAceptar->setToolTipText(tr("Confirma los valores actuales para guardarlos"));
  btnCancelar->setToolTipText(tr("Cancela las modificaciones realizadas, descartando estos valores"));
  stbEstado->setPanelText(0, consultor_);
  stbEstado->Refresh();
  CargarArbol();
}

void FrmCrearCategoriasRest::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  DialogKey(KeyCode, Shift, kModoDialogo, btnAceptar, btnCancelar);
}

void FrmCrearCategoriasRest::btnAceptar_Click() {
  if (!FormGuard()) return;
  if (CreandoCategoriasRest()) Unload();
}

void FrmCrearCategoriasRest::btnCancelar_Click() {
  if (oAppGlobal_->AskYesNo(oAppGlobal_->Translate(QStringLiteral("¿Desea cancelar los cambios?")), 4,
                            oAppGlobal_->Translate(QStringLiteral("Confirmación")), IconQuestion))
    Unload();
}

}  // namespace arboles
