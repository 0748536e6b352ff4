#pragma once
// FrmInforme: what every report window of the module shares as a thin client
// of the host's report framework: the framework's panel and its wiring, the
// open / wait / close rules, the filter mode markers, the query object's
// progress and the design callbacks. A window supplies its processes, field
// catalogue, filters and statement.

#include <QList>
#include <QString>
#include <memory>
#include <utility>

#include "zolmar/report/report_framework.h"
#include "zolmar/ui/frm_basico.h"

namespace zolmar {
class btn;
class get;
class lbl;
class StBar;
class RptGenerar;
class ReportQuery;
}  // namespace zolmar

namespace arboles {

class IAppGlobal;
class IConnection;
class IGlobales;
class IListObject;

class FrmInforme : public zolmar::FrmBasico {
  Q_OBJECT
 public:
  explicit FrmInforme(QWidget* parent = nullptr);
  ~FrmInforme() override;

  bool AppQueryUnload() override;

  // Framework events.
  virtual void CfgProcesos() = 0;
  virtual void oRptForm_ShowGets() = 0;
  virtual void oRptForm_SaveCfg(zolmar::ReportCfgList& list) = 0;
  virtual void oRptForm_SetCfg(const QString& name, const QVariant& value) = 0;
  virtual void oRptForm_GenerarDatos(zolmar::ReportFramework*& result) = 0;
  virtual void btnDefaults_Click() = 0;
  // Callbacks of the framework.
  void RptCallBack_SaveOptions(qint32 option);
  void RptCallBack_SaveReportDesign();
  void RptCallBack_GetDesignDataForPreview(zolmar::ReportFramework*& result);
  void RptCallBack_GetDesignVars(QObject*& design, std::shared_ptr<IListObject>& vars);
  void oDatos_QueryInProgress(const QString& text, qint32 records);
  void btnReturnFilter_Click();

  // Before Run: start from the defaults, or from the preset named, never
  // from the person's last use (a run without a person).
  void SinConfiguracionGuardada(const QString& preset) {
    presetSinPersona_ = preset;
    sinPersona_ = true;
  }

  bool Ready() const { return ready_; }
  bool FilterMode() const { return lFiltro_; }
  QString FilterText() const { return cFiltro_; }
  void setFilterText(const QString& text) { cFiltro_ = text; }

  zolmar::ReportFramework* oRptForm = nullptr;
  zolmar::ReportQuery* oDatos = nullptr;

  // Controls of the framework's panel.
  zolmar::RptGenerar* rptGenerar = nullptr;
  zolmar::get* getModelo = nullptr;
  zolmar::lbl* lblModelo = nullptr;
  zolmar::get* getPreSets = nullptr;
  zolmar::lbl* lblPreSets = nullptr;
  zolmar::get* getTipoProceso = nullptr;
  zolmar::lbl* lblTipoProceso = nullptr;
  zolmar::get* getOrden = nullptr;
  zolmar::lbl* lblOrden = nullptr;
  zolmar::btn* btnPreSets[2] = {};
  zolmar::btn* btnModelo[2] = {};
  zolmar::btn* btnOrden[2] = {};
  zolmar::btn* btnSQLExpert = nullptr;
  zolmar::btn* btnFrames[2] = {};
  zolmar::btn* btnReturnFilter = nullptr;
  zolmar::btn* btnDefaults = nullptr;
  zolmar::StBar* stbEstado;

 protected:
  // The globals of the calling table access; every statement goes through their connection.
  void Configurar(std::shared_ptr<IGlobales> oGlobales, std::shared_ptr<IAppGlobal> oAppGlobal);
  // Shows the window with its filters in the framework's panel, loads the
  // configuration and, when asked to, waits until it closes. 0, or after a
  // wait the framework's result; 0 at once when a window of the name is open
  // and the caller does not wait.
  qint32 Ejecutar(const QString& nombreVentana, QWidget* filtros, qint32 nProcesoInicial,
                  bool lWaitUntilClose);
  virtual void LoadConfig(qint32 nProcesoInicial) = 0;
  // The end of every LoadConfig: the process's fields, then the framework's set-up steps.
  void CompletarCarga();
  // The report variables offered while a model is designed (width 40).
  virtual QList<std::pair<QString, QString>> VariablesDiseno() const = 0;

  // A new query object for the report; the TOP part the framework's record limit gives.
  QString NuevaConsulta();
  void MostrarRegistros(qint32 registros);
  // An entry emptied and shown disabled with the button-face colour, or enabled again.
  void PintarFiltro(zolmar::get* control, bool enabled);
  QString Traducir(const QString& text) const;
  // The labels, frame captions, button captions and tooltips under root in
  // the person's language (they are created before the globals are known).
  void TraducirTextos(QWidget* root) const;
  QString NombreEmpresa() const;

  void Form_QueryUnload(bool& Cancel, qint32 UnloadMode) override;
  void Form_Unload(bool& Cancel) override;
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IConnection> oCn_;
  bool lNoEsperar_ = true;
  bool ready_ = false;
  bool lFiltro_ = false;
  QString cFiltro_;

 private:
  bool sinPersona_ = false;
  QString presetSinPersona_;
  void CrearFramework(QWidget* filtros);
  void ConectarFramework();
};

}  // namespace arboles
