#pragma once
// FrmRptCategorias: the category assignments of customers or of suppliers
// through the host's report framework, filtered by one customer or supplier,
// one category, and up to ten category sets (each a category with its whole
// branch, or the category alone) that must all match or any may. In filter
// mode (RunGetFilter) it hands back the subquery of the customers or suppliers
// that match instead of printing.

#include <QString>
#include <memory>

#include "reports/frm_informe.h"
#include "zolmar/report/report_field.h"

class QGridLayout;

namespace zolmar {
class btn;
class get;
class lbl;
class opt;
class Frame;
}  // namespace zolmar

namespace arboles {

class cTAZ_Arboles;
class cTAZ_Categorias;
class IHostTableAccess;
class I_DAZ;

class FrmRptCategorias : public FrmInforme {
  Q_OBJECT
 public:
  static const QString NombreVentana;  // "FrmRptCategorias"
  static constexpr qint32 FilasCategoria = 10;

  explicit FrmRptCategorias(QWidget* parent = nullptr);
  ~FrmRptCategorias() override;

  // Makes MostrarInformes and GetFilterForSubQuery of cTAZ_Categorias use this window (idempotent).
  static void Registrar();
  // Process 1 lists customers, 2 suppliers.
  static zolmar::ReportFields Catalogo(qint32 nProceso);

  qint32 Run(cTAZ_Categorias& oTAZ_Categorias, qint32 nProcesoInicial, bool lWaitUntilClose);
  QString RunGetFilter(cTAZ_Categorias& oTAZ_Categorias, qint32 nProceso);

  void LoadConfig(qint32 nProcesoInicial) override;
  void CfgProcesos() override;
  std::shared_ptr<I_DAZ> Ctl2DAZ(zolmar::get* control);

  // Framework events.
  void oRptForm_ShowGets() override;
  void oRptForm_SaveCfg(zolmar::ReportCfgList& list) override;
  void oRptForm_SetCfg(const QString& name, const QVariant& value) override;
  void oRptForm_GenerarDatos(zolmar::ReportFramework*& result) override;
  void btnDefaults_Click() override;

  // Validation (True: Cancel) and search of the filter fields.
  bool getQuien_Validate(bool lForzarLista = false);
  void getQuien_Buscar();
  bool getCategoria_Validate(qint32 Index, bool lForzarLista = false);
  void getCategoria_Buscar(qint32 Index);
  bool getCat_Validate(bool lForzarLista = false);
  void getCat_Buscar();

  // The category filter of the rows filled in: empty, or the parenthesised
  // condition on Categorias.ID_Quien.
  QString FiltroCategorias();

  zolmar::Frame* Frame1;
  zolmar::lbl* lblQuien;
  zolmar::get* getQuien;
  zolmar::get* sayID_Quien;
  zolmar::lbl* lblCat;
  zolmar::get* getCat;
  zolmar::get* sayID_Cat;
  zolmar::Frame* FrameCategorias;
  zolmar::lbl* lblCategoria[FilasCategoria];
  zolmar::get* getCategoria[FilasCategoria];
  zolmar::get* sayID_Categoria[FilasCategoria];
  zolmar::btn* chkUsoFiltro;
  zolmar::opt* optTipoFiltro;
  zolmar::Frame* FrameOpciones;
  zolmar::lbl* lblFechaInforme;
  zolmar::get* getFechaInforme;
  zolmar::lbl* lblTituloInforme;
  zolmar::get* getTituloInforme;
  zolmar::lbl* lblFirstPage;
  zolmar::get* getFirstPage;

 protected:
  QList<std::pair<QString, QString>> VariablesDiseno() const override;
  void Form_Load() override;

 private:
  void CrearFiltros();
  void CrearFiltroQuien(QGridLayout* grid);
  void CrearFiltrosCategoria();
  void CrearOpciones();
  void ConectarFiltros();
  zolmar::get* NuevoCampo(const QString& nombre, const QString& tip, QWidget* parent);
  zolmar::get* NuevoId(const QString& nombre, QWidget* parent);
  // The customer access (process 1) or the supplier access.
  std::shared_ptr<IHostTableAccess> AccesoQuien() const;
  bool ValidarCategoria(zolmar::get* campo, zolmar::get* say, bool lForzarLista);
  void BuscarCategoria(zolmar::get* campo, zolmar::get* say);
  void PonerCategoria(zolmar::get* campo, zolmar::get* say, qint32 id);
  // Report variables after the data is read.
  void PonerVariables();
  // What is wrong with the header's date or first page; empty when both are
  // valid (a date dd/mm/aaaa or nothing; a page number from 1 or nothing).
  QString ErrorFechaInforme() const;
  QString ErrorPrimeraPagina() const;
  // Shows the error beside the entry; True (Cancel) when there is one.
  static bool Rechazar(zolmar::get* campo, const QString& error);

  cTAZ_Categorias* oTAZ_Categorias_ = nullptr;
  std::shared_ptr<IHostTableAccess> oClientes_;
  std::shared_ptr<IHostTableAccess> oProveedores_;
  std::unique_ptr<cTAZ_Arboles> oTAZ_Arboles_;
};

}  // namespace arboles
