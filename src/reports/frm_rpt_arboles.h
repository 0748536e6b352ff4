#pragma once
// FrmRptArboles: the reports of one tree through the host's report framework:
// a search that hands back a node id, a flat listing and a drawing of the tree
// with connector lines. In filter mode (RunGetFilter) it hands back instead
// the subquery of the ids that match the person's filters.

#include <QString>
#include <memory>
#include <optional>

#include "reports/dibujo_arbol.h"
#include "zolmar/report/report_data.h"
#include "zolmar/report/report_field.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/ui/frm_basico.h"

namespace zolmar {
class btn;
class get;
class lbl;
class Frame;
class StBar;
class RptGenerar;
class ReportQuery;
}  // namespace zolmar

namespace arboles {

class cTAZ_Arboles;
class IAppGlobal;
class IConnection;
class IGlobales;
class IListObject;
class I_DAZ;

class FrmRptArboles : public zolmar::FrmBasico {
  Q_OBJECT
 public:
  static const QString NombreVentana;  // "FrmRptArboles"

  explicit FrmRptArboles(QWidget* parent = nullptr);
  ~FrmRptArboles() override;

  // Makes MostrarInformes of cTAZ_Arboles open this window (idempotent).
  static void Registrar();

  static QString ClaveConfiguracion(qint32 nTipoArbol);
  static QString TituloArbol(qint32 nTipoArbol);  // untranslated
  static zolmar::ReportFields Catalogo(const QString& cBaseComentarios);
  static zolmar::ReportFields CamposBusqueda();

  qint32 Run(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, qint32 nProcesoInicial, bool lWaitUntilClose,
             bool lOnlyLeafNodes);
  QString RunGetFilter(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, bool lOnlyLeafNodes);
  bool AppQueryUnload() override;

  void LoadConfig(qint32 nProcesoInicial);
  void CfgProcesos();
  std::shared_ptr<I_DAZ> Ctl2DAZ(zolmar::get* control);
  bool getZolmarID_Validate();

  // Framework events.
  void oRptForm_ShowGets();
  void oRptForm_SaveCfg(zolmar::ReportCfgList& list);
  void oRptForm_SetCfg(const QString& name, const QVariant& value);
  void oRptForm_GenerarDatos(zolmar::ReportFramework*& result);
  // Engine events.
  void oRpt_PaintRptItem(bool& painted, const zolmar::ReportItem& item);
  void oRpt_GetText(const QString& field, QString& text);
  void oDatos_QueryInProgress(const QString& text, qint32 records);
  // Callbacks of the framework.
  void RptCallBack_SaveOptions(qint32 option);
  void RptCallBack_SaveReportDesign();
  void RptCallBack_GetDesignDataForPreview(zolmar::ReportFramework*& result);
  void RptCallBack_GetDesignVars(QObject*& design, std::shared_ptr<IListObject>& vars);

  void btnReturnFilter_Click();
  void btnDefaults_Click();

  bool Ready() const { return ready_; }
  bool FilterMode() const { return lFiltro_; }
  QString FilterText() const { return cFiltro_; }
  void setFilterText(const QString& text) { cFiltro_ = text; }
  qint32 TipoArbol() const { return nTipoArbol_; }
  // The prefix the drawing gives the row at this position of the last result.
  QString PrefijoFila(qint32 row);

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
  // The window's own.
  zolmar::StBar* stbEstado;
  zolmar::Frame* Frame1;
  zolmar::get* getZolmarID;
  zolmar::lbl* lblZolmarID;
  zolmar::get* getNombre;
  zolmar::lbl* lblNombre;
  zolmar::btn* chkLeafNodes;

 protected:
  void Form_Load() override;
  void Form_QueryUnload(bool& Cancel, qint32 UnloadMode) override;
  void Form_Unload(bool& Cancel) override;
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

 private:
  void CrearFiltros();
  void CrearFramework();
  void ConectarFramework();
  void PintarFiltro(zolmar::get* control, bool enabled);
  QString Traducir(const QString& text) const;
  // "NombreDeLaEmpresa" and "TipoDeGrupo".
  QList<std::pair<QString, QString>> VariablesInforme() const;

  cTAZ_Arboles* oTAZ_Arboles_ = nullptr;
  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IConnection> oCn_;
  qint32 nTipoArbol_ = 0;
  bool lOnlyLeafNodes_ = false;
  bool lNoEsperar_ = true;
  bool ready_ = false;
  bool lFiltro_ = false;
  QString cFiltro_;
  std::optional<DibujoArbol> dibujo_;
};

}  // namespace arboles
