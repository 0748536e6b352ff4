#include "reports/frm_informe.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_host_objects.h"
#include "host/i_list_object.h"
#include "zolmar/report/report_panel.h"
#include "zolmar/report/report_query.h"
#include "zolmar/report/rpt_generar.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/st_bar.h"

namespace arboles {

namespace {
// The host's key action that closes a window.
constexpr qint32 kAccionCerrar = 3;
}  // namespace

FrmInforme::FrmInforme(QWidget* parent) : zolmar::FrmBasico(parent) {
  stbEstado = new zolmar::StBar(this);
  stbEstado->AddPanel(0);
}

FrmInforme::~FrmInforme() = default;

void FrmInforme::Configurar(std::shared_ptr<IGlobales> oGlobales, std::shared_ptr<IAppGlobal> oAppGlobal) {
  oGlobales_ = std::move(oGlobales);
  oCn_ = oGlobales_->GetConnection();
  oAppGlobal_ = std::move(oAppGlobal);
}

QString FrmInforme::Traducir(const QString& text) const {
  return oAppGlobal_ ? oAppGlobal_->Translate(text) : text;
}

void FrmInforme::TraducirTextos(QWidget* root) const {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    if (!w->toolTip().isEmpty()) w->setToolTip(Traducir(w->toolTip()));
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
      label->setText(Traducir(label->text()));
    else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
      button->setText(Traducir(button->text()));
    else if (auto* frame = qobject_cast<QGroupBox*>(w); frame && !frame->title().isEmpty())
      frame->setTitle(Traducir(frame->title()));
  }
}

QString FrmInforme::NombreEmpresa() const {
  return oAppGlobal_->GetConfig().value(QStringLiteral("CFG_EMPRESA:NOMBRE")).toString();
}

qint32 FrmInforme::Ejecutar(const QString& nombreVentana, QWidget* filtros, qint32 nProcesoInicial,
                            bool lWaitUntilClose) {
  lNoEsperar_ = !lWaitUntilClose;
  if (lNoEsperar_ && oAppGlobal_->IsWindowOpen(nombreVentana)) return 0;
  CrearFramework(filtros);
  if (sinPersona_) oRptForm->SinConfiguracionGuardada(presetSinPersona_);
  SetAppGlobal(oAppGlobal_, nombreVentana);
  Show();
  QCoreApplication::processEvents();
  LoadConfig(nProcesoInicial);
  ready_ = true;
  rptGenerar->setOptionEnabled(zolmar::RptGenerar::EnviarA,
                               oAppGlobal_->CanOpenWindow(QStringLiteral("INFORMES_ENVIAR_A"), 1, 0, 0));
  if (lNoEsperar_) return 0;
  if (auto waiter = oAppGlobal_->GetFormWaiter()) waiter->WaitFormClosed(this);
  return oRptForm->Resultado();
}

void FrmInforme::CompletarCarga() {
  CfgProcesos();
  oRptForm->CargarModelos();
  oRptForm->CargarPreSets();
  oRptForm->CargarOrdenes();
  oRptForm->MostrarLimite();
  oRptForm->Preparado();
}

void FrmInforme::CrearFramework(QWidget* filtros) {
  oRptForm = new zolmar::ReportFramework(oAppGlobal_, oCn_, this);
  oRptForm->SetCarpetaInformes(QCoreApplication::applicationDirPath() + QStringLiteral("/Report/"));
  zolmar::ReportPanel* p = oRptForm->Panel();
  rptGenerar = p->rptGenerar;
  getModelo = p->getModelo;
  lblModelo = p->lblModelo;
  getPreSets = p->getPreSets;
  lblPreSets = p->lblPreSets;
  getTipoProceso = p->getTipoProceso;
  lblTipoProceso = p->lblTipoProceso;
  getOrden = p->getOrden;
  lblOrden = p->lblOrden;
  for (int i = 0; i < 2; ++i) {
    btnPreSets[i] = p->btnPreSets[i];
    btnModelo[i] = p->btnModelo[i];
    btnOrden[i] = p->btnOrden[i];
    btnFrames[i] = p->btnFrames[i];
  }
  btnSQLExpert = p->btnSQLExpert;
  btnReturnFilter = p->btnReturnFilter;
  btnDefaults = p->btnDefaults;
  btnReturnFilter->setVisible(lFiltro_);
  // On a short screen the filters scroll instead of pushing the window past it.
  auto* desplazable = new QScrollArea();
  desplazable->setWidgetResizable(true);
  desplazable->setFrameShape(QFrame::NoFrame);
  desplazable->setWidget(filtros);
  p->FilterArea()->layout()->addWidget(desplazable);
  auto* all = new QVBoxLayout(this);
  all->addWidget(p, 1);
  all->addWidget(stbEstado);
  ConectarFramework();
}

void FrmInforme::ConectarFramework() {
  using zolmar::ReportFramework;
  connect(oRptForm, &ReportFramework::CfgProcesos, this, [this] { CfgProcesos(); });
  connect(oRptForm, &ReportFramework::ShowGets, this, [this] { oRptForm_ShowGets(); });
  connect(oRptForm, &ReportFramework::SaveCfg, this,
          [this](zolmar::ReportCfgList& l) { oRptForm_SaveCfg(l); });
  connect(oRptForm, &ReportFramework::SetCfg, this,
          [this](const QString& n, const QVariant& v) { oRptForm_SetCfg(n, v); });
  connect(oRptForm, &ReportFramework::GenerarDatos, this,
          [this](ReportFramework*& r) { oRptForm_GenerarDatos(r); });
  connect(oRptForm, &ReportFramework::CerrarVentana, this, [this] { Unload(); });
  connect(rptGenerar, &zolmar::RptGenerar::Action, this,
          [this](qint32 kind, const QString& file, qint32 copies, bool ask) {
            oRptForm->Accion(kind, file, copies, ask, 0, 500, 1.0);
          });
  connect(btnReturnFilter, &zolmar::btn::Clicked, this, [this] { btnReturnFilter_Click(); });
  connect(btnDefaults, &zolmar::btn::Clicked, this, [this] { btnDefaults_Click(); });
}

bool FrmInforme::AppQueryUnload() {
  if (lNoEsperar_) return false;
  raise();
  activateWindow();
  oAppGlobal_->ShowMessage(Traducir(QStringLiteral("Debe cerrar esta ventana manualmente; ")) +
                               Traducir(QString::fromUtf8("si no, no podrá finalizar la aplicación.")),
                           0, Traducir(QString::fromUtf8("Información")), IconInformation);
  return true;
}

void FrmInforme::Form_QueryUnload(bool& Cancel, qint32) {
  if (!ready_) {
    Cancel = true;
    return;
  }
  Cancel = !FormGuard() || !CloseCheck();
}

void FrmInforme::Form_Unload(bool&) {
  if (oRptForm) oRptForm->Close();
}

void FrmInforme::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  // The host's close key (Escape) closes a report as it closes every other window.
  if (!oAppGlobal_ || oAppGlobal_->MapKey(KeyCode, Shift, 2) != kAccionCerrar) return;
  KeyCode = 0;
  Unload();
}

void FrmInforme::PintarFiltro(zolmar::get* control, bool enabled) {
  if (!enabled) control->setText(QString());
  control->setShownEnabled(enabled);
  QPalette colores = control->lineEdit()->palette();
  colores.setColor(QPalette::Base, palette().color(enabled ? QPalette::Base : QPalette::Button));
  control->lineEdit()->setPalette(colores);
}

QString FrmInforme::NuevaConsulta() {
  delete oDatos;
  oDatos = new zolmar::ReportQuery(this);
  connect(oDatos, &zolmar::ReportQuery::QueryInProgress, this,
          [this](const QString& text, qint32 records) { oDatos_QueryInProgress(text, records); });
  zolmar::ReportRun* run = oRptForm->RunObject();
  if (!run) return QStringLiteral(" TOP 250 ");
  run->Run(*oDatos);
  return oRptForm->LimiteActivo()
             ? QStringLiteral(" TOP ") + QString::number(oRptForm->Limite()) + QStringLiteral(" ")
             : QStringLiteral(" ");
}

void FrmInforme::MostrarRegistros(qint32 registros) {
  stbEstado->setPanelText(0, Traducir(QStringLiteral("Registros: ")) + QString::number(registros));
  stbEstado->Refresh();
}

void FrmInforme::oDatos_QueryInProgress(const QString& text, qint32 records) {
  if (!oRptForm->MuestraProgreso()) return;
  QString mensaje = Traducir(text);
  if (records > 0)
    mensaje +=
        QStringLiteral("\r") + QString::number(records) + Traducir(QStringLiteral(" registros recuperados."));
  oAppGlobal_->ShowWait(mensaje);
}

void FrmInforme::btnReturnFilter_Click() {
  if (!ready_) {
    oAppGlobal_->Signal(0);
    return;
  }
  cFiltro_ = QStringLiteral("**");
  zolmar::ReportFramework* result = nullptr;
  oRptForm_GenerarDatos(result);
  if (cFiltro_ != QLatin1String("**")) {
    Unload();
    return;
  }
  cFiltro_.clear();
}

void FrmInforme::RptCallBack_SaveOptions(qint32 option) { oRptForm->SaveOptions(option); }

void FrmInforme::RptCallBack_SaveReportDesign() { oRptForm->SaveReportDesign(QString()); }

void FrmInforme::RptCallBack_GetDesignDataForPreview(zolmar::ReportFramework*& result) {
  oRptForm_GenerarDatos(result);
}

void FrmInforme::RptCallBack_GetDesignVars(QObject*& design, std::shared_ptr<IListObject>& vars) {
  design = oRptForm->DesignObject();
  vars = oGlobales_->CreateListObject();
  vars->Init(1, 3, 1, 0);
  for (const auto& [name, value] : VariablesDiseno()) vars->AddRow({name, value, 40});
}

}  // namespace arboles
