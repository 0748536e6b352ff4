#pragma once
// FrmRptArboles: the reports of one tree through the host's report framework:
// a search that hands back a node id, a flat listing and a drawing of the tree
// with connector lines. In filter mode (RunGetFilter) it hands back instead
// the subquery of the ids that match the person's filters.

#include <QString>
#include <memory>
#include <optional>

#include "reports/dibujo_arbol.h"
#include "reports/frm_informe.h"
#include "zolmar/report/report_data.h"
#include "zolmar/report/report_field.h"

namespace zolmar {
class btn;
class get;
class lbl;
class Frame;
}  // namespace zolmar

namespace arboles {

class cTAZ_Arboles;
class I_DAZ;

class FrmRptArboles : public FrmInforme {
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

  void LoadConfig(qint32 nProcesoInicial) override;
  void CfgProcesos() override;
  std::shared_ptr<I_DAZ> Ctl2DAZ(zolmar::get* control);
  bool getZolmarID_Validate();

  // Framework events.
  void oRptForm_ShowGets() override;
  void oRptForm_SaveCfg(zolmar::ReportCfgList& list) override;
  void oRptForm_SetCfg(const QString& name, const QVariant& value) override;
  void oRptForm_GenerarDatos(zolmar::ReportFramework*& result) override;
  void btnDefaults_Click() override;
  // Engine events.
  void oRpt_PaintRptItem(bool& painted, const zolmar::ReportItem& item);
  void oRpt_GetText(const QString& field, QString& text);
  qint32 TipoArbol() const { return nTipoArbol_; }
  // The prefix the drawing gives the row at this position of the last result.
  QString PrefijoFila(qint32 row);

  // The window's own.
  zolmar::Frame* Frame1;
  zolmar::get* getZolmarID;
  zolmar::lbl* lblZolmarID;
  zolmar::get* getNombre;
  zolmar::lbl* lblNombre;
  zolmar::btn* chkLeafNodes;

 protected:
  void Form_Load() override;
  QList<std::pair<QString, QString>> VariablesDiseno() const override { return VariablesInforme(); }

 private:
  void CrearFiltros();
  bool TieneHijos(qint32 nID) const;
  // "NombreDeLaEmpresa" and "TipoDeGrupo".
  QList<std::pair<QString, QString>> VariablesInforme() const;

  cTAZ_Arboles* oTAZ_Arboles_ = nullptr;
  qint32 nTipoArbol_ = 0;
  bool lOnlyLeafNodes_ = false;
  std::optional<DibujoArbol> dibujo_;
};

}  // namespace arboles
