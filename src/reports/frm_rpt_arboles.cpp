#include "reports/frm_rpt_arboles.h"

#include <QGridLayout>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "tree/taz_arboles.h"
#include "tree/ventanas_arboles.h"
#include "zolmar/report/id_list.h"
#include "zolmar/report/rpt_generar.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/frame.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/lbl.h"

namespace arboles {

const QString FrmRptArboles::NombreVentana = QStringLiteral("FrmRptArboles");

namespace {}  // namespace

void FrmRptArboles::Registrar() {
  VentanasArboles::instance().registerInformes([](cTAZ_Arboles& taz, qint32 nTipoArbol,
                                                  qint32 nProcesoInicial, bool& lWaitUntilClose,
                                                  bool lOnlyLeafNodes) -> qint32 {
    auto* frm = new FrmRptArboles();
    frm->setAttribute(Qt::WA_DeleteOnClose);
    const qint32 resultado = frm->Run(taz, nTipoArbol, nProcesoInicial, lWaitUntilClose, lOnlyLeafNodes);
    // Not shown: a window of the name was open already.
    if (!frm->IsLoaded()) delete frm;
    return resultado;
  });
}

FrmRptArboles::FrmRptArboles(QWidget* parent) : FrmInforme(parent) {
  setObjectName(NombreVentana);
  setWindowTitle(QStringLiteral("Informes"));
  resize(720, 560);
  CrearFiltros();
}

FrmRptArboles::~FrmRptArboles() = default;

QString FrmRptArboles::ClaveConfiguracion(qint32 nTipoArbol) {
  // The same name the host is asked about before the window opens.
  return cTAZ_Arboles::NombreVentanaInforme(nTipoArbol);
}

QString FrmRptArboles::TituloArbol(qint32 nTipoArbol) {
  switch (nTipoArbol) {
    case TipoArbolClientes:
      return QStringLiteral("Grupos de Clientes");
    case TipoArbolProveedores:
      return QStringLiteral("Grupos de Proveedores/Acreedores");
    case TipoArbolArticulos:
      return QString::fromUtf8("Categorías de Artículos");
    default:
      return QString();
  }
}

zolmar::ReportFields FrmRptArboles::Catalogo(const QString& D) {
  const QString comentario =
      QStringLiteral("CASE Arboles.ID_Comentario ") + QStringLiteral(" WHEN 0 THEN ''") +
      QStringLiteral(" ELSE isnull((SELECT comentario") + QStringLiteral(" FROM ") + D +
      QStringLiteral("..comentarios ") + QStringLiteral(" WHERE zolmarID=Arboles.ID_Comentario),'')") +
      QStringLiteral(" END AS Comentario");
  zolmar::ReportFields campos = {
      {QStringLiteral("Ficha"), QStringLiteral("Arboles.ZolmarID"), 7},
      {QStringLiteral("Nombre"), QStringLiteral("Arboles.Nombre"), 30},
      {QStringLiteral("Padre"), QStringLiteral("Arboles.ID_Padre"), 7},
      {QStringLiteral("Orden"), QStringLiteral("Arboles.Clave"), 30},
      {QString::fromUtf8("Criterio de clasificación"), QStringLiteral("Arboles.CriterioHijos"), 30}};
  for (int i = 1; i <= 6; ++i)
    campos.append(
        {QString::fromUtf8("Campo auxiliar %1º").arg(i), QStringLiteral("Arboles.NomAux%1").arg(i), 25});
  campos.append({QStringLiteral("Comentario"), comentario, 50});
  return campos;
}

zolmar::ReportFields FrmRptArboles::CamposBusqueda() {
  zolmar::ReportFields campos = {{QStringLiteral("Ficha"), QStringLiteral("Arboles.ZolmarID"), 70},
                                 {QStringLiteral("Nombre"), QStringLiteral("Arboles.Nombre"), 200}};
  for (int i = 1; i <= 6; ++i)
    campos.append(
        {QString::fromUtf8("Campo auxiliar %1º").arg(i), QStringLiteral("Arboles.NomAux%1").arg(i), 150});
  return campos;
}

void FrmRptArboles::CrearFiltros() {
  Frame1 = new zolmar::Frame(QStringLiteral("Filtros"), this);
  lblZolmarID = new zolmar::lbl(QStringLiteral("Fichas"), Frame1);
  getZolmarID = new zolmar::get(Frame1);
  getZolmarID->setObjectName(QStringLiteral("getZolmarID"));
  getZolmarID->setAlias(QStringLiteral("Arboles"));
  getZolmarID->setCampo(QStringLiteral("ZolmarID"));
  getZolmarID->setToolTipText(QString::fromUtf8(
      "Introduzca los números de las fichas separados por comas (use \"-\" para indicar un rango)"));
  lblNombre = new zolmar::lbl(QStringLiteral("Nombre"), Frame1);
  getNombre = new zolmar::get(Frame1);
  getNombre->setObjectName(QStringLiteral("getNombre"));
  getNombre->setAlias(QStringLiteral("Arboles"));
  getNombre->setCampo(QStringLiteral("Nombre"));
  getNombre->setToolTipText(QStringLiteral("Nombre del grupo buscado"));
  chkLeafNodes = new zolmar::btn(QString::fromUtf8("Sólo elementos sin dependencias"), Frame1);
  chkLeafNodes->setCheckButton(true);
  chkLeafNodes->setToolTipText(
      QString::fromUtf8("Procesa sólo los elementos del árbol de los que no dependa ningún otro"));
  auto* grid = new QGridLayout(Frame1);
  grid->addWidget(lblZolmarID, 0, 0);
  grid->addWidget(getZolmarID, 0, 1);
  grid->addWidget(lblNombre, 1, 0);
  grid->addWidget(getNombre, 1, 1);
  grid->addWidget(chkLeafNodes, 2, 1, Qt::AlignLeft);
  grid->setRowStretch(3, 1);
  connect(getZolmarID, &zolmar::get::Validating, this,
          [this](bool& Cancel) { Cancel = getZolmarID_Validate(); });
}

qint32 FrmRptArboles::Run(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, qint32 nProcesoInicial,
                          bool lWaitUntilClose, bool lOnlyLeafNodes) {
  oTAZ_Arboles_ = &oTAZ_Arboles;
  Configurar(oTAZ_Arboles.oGlobales, oTAZ_Arboles.oAppGlobal);
  nTipoArbol_ = nTipoArbol;
  lOnlyLeafNodes_ = lOnlyLeafNodes;
  dibujo_.emplace(oCn_, nTipoArbol_);
  const qint32 id = Ejecutar(NombreVentana, Frame1, nProcesoInicial, lWaitUntilClose);
  // A caller that asked for leaves never gets a node with children, however
  // the rows it was chosen from were produced (the SQL editor runs any text).
  if (id > 0 && lOnlyLeafNodes_ && TieneHijos(id)) {
    oAppGlobal_->ShowMessage(
        Traducir(QString::fromUtf8("Solo se pueden seleccionar elementos del último nivel del árbol")), 0,
        Traducir(QString::fromUtf8("Información")), IconInformation);
    return 0;
  }
  return id;
}

// The leaf condition of the statement, read the other way.
bool FrmRptArboles::TieneHijos(qint32 nID) const {
  return oCn_->ExecuteSQL(QStringLiteral("SELECT TOP 1 ZolmarID FROM Arboles WHERE ID_Padre=") +
                              QString::number(nID) + QStringLiteral(" AND activo=0"),
                          2, 0)
             .toInt() > 0;
}

QString FrmRptArboles::RunGetFilter(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, bool lOnlyLeafNodes) {
  lFiltro_ = true;
  Run(oTAZ_Arboles, nTipoArbol, TAZ_Arboles_ProcesosListados, true, lOnlyLeafNodes);
  return cFiltro_;
}

void FrmRptArboles::Form_Load() {
  setWindowTitle(Traducir(QStringLiteral("Informes de")) + QStringLiteral(" ") +
                 Traducir(TituloArbol(nTipoArbol_)));
  TraducirTextos(this);
  zolmar::ReportEngine& oRpt = oRptForm->Engine();
  connect(&oRpt, &zolmar::ReportEngine::PaintRptItem, this,
          [this](bool& painted, const zolmar::ReportItem& item) { oRpt_PaintRptItem(painted, item); });
  connect(&oRpt, &zolmar::ReportEngine::GetText, this,
          [this](const QString& field, QString& text) { oRpt_GetText(field, text); });
}

void FrmRptArboles::LoadConfig(qint32 nProcesoInicial) {
  oRptForm->ClearProcesos();
  oRptForm->AddProceso(TAZ_Arboles_ProcesosBusqueda, Traducir(QStringLiteral("Buscar una ficha")));
  oRptForm->AddProceso(TAZ_Arboles_ProcesosListados, Traducir(QStringLiteral("Listados")));
  oRptForm->AddProceso(TAZ_Arboles_ProcesosArbol, Traducir(QStringLiteral("Arbol de grupos")));
  if (!oRptForm->LoadConfig(ClaveConfiguracion(nTipoArbol_), nProcesoInicial)) {
    oRptForm->SeleccionarProceso(nProcesoInicial == 0 ? TAZ_Arboles_ProcesosListados : nProcesoInicial);
    getModelo->SetFocus();
  }
  CompletarCarga();
}

void FrmRptArboles::CfgProcesos() {
  if (oRptForm->Proceso() == TAZ_Arboles_ProcesosBusqueda) {
    zolmar::ReportFields campos = CamposBusqueda();
    for (auto& c : campos) c.caption = Traducir(c.caption);
    oRptForm->SetCamposBusqueda(campos);
  } else {
    zolmar::ReportFields campos = Catalogo(oAppGlobal_->CommentsDatabase());
    for (auto& c : campos) c.caption = Traducir(c.caption);
    // Ficha, Nombre, Padre and Orden: what the drawing needs.
    oRptForm->SetCatalogo(campos, 4);
  }
}

std::shared_ptr<I_DAZ> FrmRptArboles::Ctl2DAZ(zolmar::get* control) {
  if (!control || !oTAZ_Arboles_) return nullptr;
  return oTAZ_Arboles_->I_TAZ_Str2DAZ((control->Alias() + QStringLiteral(".") + control->Campo()).toUpper());
}

bool FrmRptArboles::getZolmarID_Validate() {
  const QString mensaje = zolmar::IdList::Check(getZolmarID->Text());
  if (mensaje.isEmpty()) return false;
  getZolmarID->ShowTip(mensaje);
  return true;
}

void FrmRptArboles::oRptForm_ShowGets() {
  const bool arbol = oRptForm->Proceso() == TAZ_Arboles_ProcesosArbol;
  oRptForm->SetProcesoArbol(arbol);
  PintarFiltro(getNombre, !arbol);
  PintarFiltro(getZolmarID, !arbol);
  if (arbol) {
    chkLeafNodes->setChecked(false);
    chkLeafNodes->setEnabled(false);
  } else if (lOnlyLeafNodes_) {
    chkLeafNodes->setChecked(true);
    chkLeafNodes->setEnabled(false);
  } else {
    chkLeafNodes->setEnabled(true);
  }
}

void FrmRptArboles::oRptForm_SaveCfg(zolmar::ReportCfgList& list) {
  if (!getNombre->Text().isEmpty()) list.append({QStringLiteral("Filtro Nombre"), getNombre, true, 0});
  list.append({QString::fromUtf8("Filtro Sólo elementos sin dependencias"), chkLeafNodes, true, 0});
}

void FrmRptArboles::oRptForm_SetCfg(const QString& name, const QVariant& value) {
  if (name == QLatin1String("FILTRO NOMBRE"))
    getNombre->setText(value.toString());
  else if (name == QString::fromUtf8("FILTRO SÓLO ELEMENTOS SIN DEPENDENCIAS"))
    // The caller's leaves-only outranks what the person stored last time.
    chkLeafNodes->setChecked(lOnlyLeafNodes_ || value.toString() != QLatin1String("0"));
}

void FrmRptArboles::btnDefaults_Click() {
  oRptForm->GuardarDefectos({{Traducir(QStringLiteral("Fichas")), QStringLiteral("getZolmarId")},
                             {Traducir(QStringLiteral("Nombre")), QStringLiteral("getNombre")}});
}

}  // namespace arboles
