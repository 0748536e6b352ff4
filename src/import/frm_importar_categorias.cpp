#include "import/frm_importar_categorias.h"

#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "host/i_app_global.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "tree/ventanas_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/lbl.h"
#include "zolmar/ui/st_bar.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

const QString FrmImportarCategorias::NombreVentana = QStringLiteral("FrmImportarCategorias");
const QString FrmImportarCategorias::NombreRama = QStringLiteral("Cotalia");

namespace {

constexpr qint32 kModoDialogo = 3;
constexpr int kRetrasoTimer = 60;

}  // namespace

void FrmImportarCategorias::Registrar() {
  VentanasArboles::instance().registerImportarCategorias(
      [](zolmar::FrmBasico& editor, RecordsetPtr oDatos) -> QWidget* {
        auto* frm = new FrmImportarCategorias();
        if (!frm->Run(editor, std::move(oDatos))) {
          delete frm;
          return nullptr;
        }
        return frm;
      });
}

FrmImportarCategorias::FrmImportarCategorias(QWidget* parent) : zolmar::FrmBasico(parent) {
  setObjectName(NombreVentana);
  CrearControles();
}

FrmImportarCategorias::~FrmImportarCategorias() = default;

void FrmImportarCategorias::CrearControles() {
  resize(460, 560);
  TreeArbol = new zolmar::TreeView(this);
  TreeArbol->setCheckboxes(true);
  TreeArbol->setLabelEdit(true);
  lblInfo = new zolmar::lbl(QString(), this);
  lblInfo->setWordWrap(true);
  btnAceptar = new zolmar::btn(QStringLiteral(" Aceptar "), this);
  btnCancelar = new zolmar::btn(QStringLiteral(" Cancelar "), this);
  stbEstado = new zolmar::StBar(this);
  stbEstado->AddPanel();
  TimerArbol = new QTimer(this);
  TimerArbol->setSingleShot(false);
  TimerArbol->setInterval(kRetrasoTimer);

  auto* botones = new QHBoxLayout();
  botones->addStretch(1);
  botones->addWidget(btnAceptar);
  botones->addWidget(btnCancelar);
  auto* todo = new QVBoxLayout(this);
  todo->addWidget(lblInfo);
  todo->addWidget(TreeArbol, 1);
  todo->addLayout(botones);
  todo->addWidget(stbEstado);
  ConectarEventos();
}

void FrmImportarCategorias::ConectarEventos() {
  connect(btnAceptar, &zolmar::btn::Clicked, this, [this] { btnAceptar_Click(); });
  connect(btnCancelar, &zolmar::btn::Clicked, this, [this] { btnCancelar_Click(); });
  connect(TimerArbol, &QTimer::timeout, this, [this] { TimerArbol_Timer(); });
  connect(TreeArbol, &zolmar::TreeView::NodeCheck, this, [this](const auto& n) { TreeArbol_NodeCheck(n); });
  connect(TreeArbol, &zolmar::TreeView::MouseDown, this,
          [this](qint32 b, qint32 s, float x, float y) { TreeArbol_MouseDown(b, s, x, y); });
  connect(TreeArbol, &zolmar::TreeView::MouseUp, this,
          [this](qint32 b, qint32 s, float x, float y) { TreeArbol_MouseUp(b, s, x, y); });
  connect(TreeArbol, &zolmar::TreeView::KeyPress, this, [this](qint32& k) { TreeArbol_KeyPress(k); });
  connect(TreeArbol, &zolmar::TreeView::BeforeLabelEdit, this,
          [this](const auto& n, bool& c) { TreeArbol_BeforeLabelEdit(n, c); });
  connect(TreeArbol, &zolmar::TreeView::AfterLabelEdit, this,
          [this](const auto& n, bool& c, QString& s) { TreeArbol_AfterLabelEdit(n, c, s); });
}

bool FrmImportarCategorias::Run(zolmar::FrmBasico& oFrmArboles, RecordsetPtr oDatos) {
  oFrmArboles_ = &oFrmArboles;
  oDatos_ = std::move(oDatos);
  oAppGlobal_ = oFrmArboles.AppGlobal();
  if (!oAppGlobal_) return false;
  oGlobales_ = oAppGlobal_->GetGlobales();
  oCn_ = oGlobales_->GetConnection();
  if (!oDatos_) {
    oAppGlobal_->ShowWait(QString());
    return false;
  }
  oAppGlobal_->ShowWait(
      oAppGlobal_->Translate(QStringLiteral("Organizando las categorías a importar.<BR>Espere...")));
  SetAppGlobal(oAppGlobal_, NombreVentana);
  Load();
  TreeArbol->setVisible(false);
  CargarArbol();
  Show();
  TreeArbol->setVisible(true);
  TreeArbol->setFocus();
  oAppGlobal_->ShowWait(QString());
  return true;
}

void FrmImportarCategorias::Form_Load() {
  const auto tr = [this](const char* text) { return oAppGlobal_->Translate(QString::fromUtf8(text)); };
  setWindowTitle(tr("Importación de Categorías de Artículos"));
  lblInfo->setCaption(tr("Seleccione las categorías que desea importar.") + QLatin1Char('\n') +
                      tr("Todas las categorías marcadas serán añadidas al \"árbol de categorías\".") +
                      QLatin1Char('\n') +
                      tr("Pulse sobre los iconos \"+\" para expandir el árbol y ver todas las ramas de cada "
                         "categoría."));
  btnAceptar->setCaption(tr(" Aceptar "));
  btnCancelar->setCaption(tr(" Cancelar "));
  btnAceptar->setToolTipText(tr("Confirma los valores actuales para guardarlos"));
  btnCancelar->setToolTipText(tr("Cancela las modificaciones realizadas, descartando estos valores"));
}

void FrmImportarCategorias::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  DialogKey(KeyCode, Shift, kModoDialogo, btnAceptar, btnCancelar, [this] { return FormGuard(); });
}

void FrmImportarCategorias::btnAceptar_Click() {
  if (!FormGuard()) return;
  if (GuardarCategorias()) Unload();
}

void FrmImportarCategorias::btnCancelar_Click() {
  if (oAppGlobal_->AskYesNo(oAppGlobal_->Translate(QStringLiteral("¿Desea cancelar la importación?")), 4,
                            oAppGlobal_->Translate(QStringLiteral("Confirmación")), IconQuestion))
    Unload();
}

// A refused uncheck is undone here, after the control has finished with the
// click that caused it.
void FrmImportarCategorias::TimerArbol_Timer() {
  TimerArbol->stop();
  zolmar::TreeNode nodo = TreeArbol->Node(nodoTimer_);
  if (nodo) nodo.setChecked(true);
}

}  // namespace arboles
