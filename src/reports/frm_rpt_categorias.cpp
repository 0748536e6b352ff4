#include "reports/frm_rpt_categorias.h"

#include <QGridLayout>

#include "categories/taz_categorias.h"
#include "categories/ventanas_categorias.h"
#include "host/i_app_global.h"
#include "host/i_host_objects.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/frame.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/lbl.h"
#include "zolmar/ui/opt.h"

namespace arboles {

const QString FrmRptCategorias::NombreVentana = QStringLiteral("FrmRptCategorias");

namespace {

QString Texto(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

void FrmRptCategorias::Registrar() {
  VentanasCategorias::instance().registerInformes(
      [](cTAZ_Categorias& taz, qint32 nProcesoInicial, bool lWaitUntilClose) {
        auto* frm = new FrmRptCategorias();
        frm->setAttribute(Qt::WA_DeleteOnClose);
        frm->Run(taz, nProcesoInicial, lWaitUntilClose);
        // Not shown: a window of the name was open already.
        if (!frm->IsLoaded()) delete frm;
      });
  VentanasCategorias::instance().registerFiltro([](cTAZ_Categorias& taz, qint32 nProceso) {
    FrmRptCategorias frm;
    return frm.RunGetFilter(taz, nProceso);
  });
}

FrmRptCategorias::FrmRptCategorias(QWidget* parent) : FrmInforme(parent) {
  setObjectName(NombreVentana);
  setWindowTitle(Texto("Informes de categorías"));
  resize(760, 640);
  // Outside filter mode, and until the filter is asked for, the report prints.
  cFiltro_ = QStringLiteral("*");
  CrearFiltros();
}

FrmRptCategorias::~FrmRptCategorias() = default;

zolmar::ReportFields FrmRptCategorias::Catalogo(qint32 nProceso) {
  const bool clientes = nProceso == TAZ_Categorias_ProcesosListadosCli;
  const QString nombre =
      clientes ? QStringLiteral("NombreClientes.Nombre + ' ' +") +
                     QStringLiteral(" NombreClientes.Apellidos") + QStringLiteral(" AS Cliente")
               : QStringLiteral("NombreProveedores.Nombre + ' ' +") +
                     QStringLiteral(" NombreProveedores.Apellidos") + QStringLiteral(" AS Proveedor");
  return {{QStringLiteral("ID_Categoria"), QStringLiteral("Categorias.ID_Categoria"), 6},
          {QStringLiteral("Categoria"), QStringLiteral("Arboles.Nombre AS Categoria"), 30},
          {clientes ? QStringLiteral("ID_Cliente") : QStringLiteral("ID_Proveedor"),
           QStringLiteral("Categorias.ID_Quien"), 6},
          {clientes ? QStringLiteral("Cliente") : QStringLiteral("Proveedor"), nombre, 30}};
}

zolmar::get* FrmRptCategorias::NuevoCampo(const QString& nombre, const QString& tip, QWidget* parent) {
  auto* campo = new zolmar::get(parent);
  campo->setObjectName(nombre);
  campo->setToolTipText(tip);
  campo->setEnabledBuscar(true);
  campo->setEnabledCombo(true);
  return campo;
}

zolmar::get* FrmRptCategorias::NuevoId(const QString& nombre, QWidget* parent) {
  auto* say = new zolmar::get(parent);
  say->setObjectName(nombre);
  say->setReadOnly(true);
  say->setTipoDato(zolmar::get::Entero);
  say->setAlignment(zolmar::get::Derecha);
  say->setMaximumWidth(80);
  say->setText(QStringLiteral("0"));
  return say;
}

void FrmRptCategorias::CrearFiltros() {
  Frame1 = new zolmar::Frame(QStringLiteral("Filtros"), this);
  auto* grid = new QGridLayout(Frame1);
  CrearFiltroQuien(grid);
  CrearFiltrosCategoria();
  CrearOpciones();
  grid->addWidget(FrameCategorias, 2, 0, 1, 3);
  grid->addWidget(FrameOpciones, 3, 0, 1, 3);
  grid->setRowStretch(4, 1);
  ConectarFiltros();
}

void FrmRptCategorias::CrearFiltroQuien(QGridLayout* grid) {
  lblQuien = new zolmar::lbl(QStringLiteral("Cliente"), Frame1);
  getQuien = NuevoCampo(QStringLiteral("getQuien"), QString(), Frame1);
  sayID_Quien = NuevoId(QStringLiteral("sayID_Quien"), Frame1);
  lblCat = new zolmar::lbl(Texto("Categoría"), Frame1);
  getCat = NuevoCampo(QStringLiteral("getCat"), Texto("Categoria (filtra solo por esta categoría)"), Frame1);
  sayID_Cat = NuevoId(QStringLiteral("sayID_Cat"), Frame1);
  grid->addWidget(lblQuien, 0, 0);
  grid->addWidget(getQuien, 0, 1);
  grid->addWidget(sayID_Quien, 0, 2);
  grid->addWidget(lblCat, 1, 0);
  grid->addWidget(getCat, 1, 1);
  grid->addWidget(sayID_Cat, 1, 2);
}

void FrmRptCategorias::CrearFiltrosCategoria() {
  FrameCategorias = new zolmar::Frame(Texto("Filtros de categorías"), Frame1);
  auto* grid = new QGridLayout(FrameCategorias);
  for (qint32 i = 0; i < FilasCategoria; ++i) {
    lblCategoria[i] = new zolmar::lbl(Texto("Categoría %1").arg(i + 1), FrameCategorias);
    getCategoria[i] =
        NuevoCampo(QStringLiteral("getCategoria(%1)").arg(i), Texto("Categoría"), FrameCategorias);
    sayID_Categoria[i] = NuevoId(QStringLiteral("sayID_Categoria(%1)").arg(i), FrameCategorias);
    // Two columns of five rows.
    const int fila = i % 5, columna = (i / 5) * 3;
    grid->addWidget(lblCategoria[i], fila, columna);
    grid->addWidget(getCategoria[i], fila, columna + 1);
    grid->addWidget(sayID_Categoria[i], fila, columna + 2);
  }
  chkUsoFiltro = new zolmar::btn(Texto("Sólo las categorías escogidas"), FrameCategorias);
  chkUsoFiltro->setCheckButton(true);
  chkUsoFiltro->setToolTipText(
      Texto("Selecciona exclusivamente las categorías escogidas (ignora los niveles "
            "superiores e inferiores)"));
  optTipoFiltro = new zolmar::opt(
      {Texto("Con todas las categorías escogidas"), Texto("Con alguna de las categorías escogidas")},
      FrameCategorias);
  optTipoFiltro->setToolTipText(Texto("Utilización del filtro de categorías"));
  grid->addWidget(chkUsoFiltro, 5, 0, 1, 6, Qt::AlignLeft);
  grid->addWidget(optTipoFiltro, 6, 0, 1, 6);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(4, 1);
}

void FrmRptCategorias::CrearOpciones() {
  FrameOpciones = new zolmar::Frame(QStringLiteral(" Otras opciones para el informe "), Frame1);
  auto* grid = new QGridLayout(FrameOpciones);
  lblFechaInforme = new zolmar::lbl(Texto("Fecha del informe"), FrameOpciones);
  getFechaInforme = new zolmar::get(FrameOpciones);
  getFechaInforme->setObjectName(QStringLiteral("getFechaInforme"));
  getFechaInforme->setToolTipText(
      Texto("Fecha que debe figurar en el encabezado del informe. Si la deja en "
            "blanco, se mostrará la de hoy"));
  lblTituloInforme = new zolmar::lbl(Texto("Título del informe"), FrameOpciones);
  getTituloInforme = new zolmar::get(FrameOpciones);
  getTituloInforme->setObjectName(QStringLiteral("getTituloInforme"));
  getTituloInforme->setToolTipText(
      Texto("Título que debe mostrarse en el encabezado del informe. Si lo deja "
            "en blanco, se mostrará un título por defecto"));
  lblFirstPage = new zolmar::lbl(Texto("Primera página"), FrameOpciones);
  getFirstPage = new zolmar::get(FrameOpciones);
  getFirstPage->setObjectName(QStringLiteral("getFirstPage"));
  getFirstPage->setTipoDato(zolmar::get::Entero);
  getFirstPage->setMaximumWidth(80);
  getFirstPage->setToolTipText(Texto("Número de la primera página que se imprima"));
  grid->addWidget(lblFechaInforme, 0, 0);
  grid->addWidget(getFechaInforme, 0, 1);
  grid->addWidget(lblFirstPage, 0, 2);
  grid->addWidget(getFirstPage, 0, 3);
  grid->addWidget(lblTituloInforme, 1, 0);
  grid->addWidget(getTituloInforme, 1, 1, 1, 3);
}

void FrmRptCategorias::ConectarFiltros() {
  using zolmar::get;
  connect(getQuien, &get::Validating, this, [this](bool& Cancel) { Cancel = getQuien_Validate(false); });
  connect(getQuien, &get::Combo, this, [this] { getQuien_Validate(true); });
  connect(getQuien, &get::Buscar, this, [this] { getQuien_Buscar(); });
  connect(getCat, &get::Validating, this, [this](bool& Cancel) { Cancel = getCat_Validate(false); });
  connect(getCat, &get::Combo, this, [this] { getCat_Validate(true); });
  connect(getCat, &get::Buscar, this, [this] { getCat_Buscar(); });
  connect(getFechaInforme, &get::Validating, this,
          [this](bool& Cancel) { Cancel = Rechazar(getFechaInforme, ErrorFechaInforme()); });
  connect(getFirstPage, &get::Validating, this,
          [this](bool& Cancel) { Cancel = Rechazar(getFirstPage, ErrorPrimeraPagina()); });
  for (qint32 i = 0; i < FilasCategoria; ++i) {
    connect(getCategoria[i], &get::Validating, this,
            [this, i](bool& Cancel) { Cancel = getCategoria_Validate(i, false); });
    connect(getCategoria[i], &get::Combo, this, [this, i] { getCategoria_Validate(i, true); });
    connect(getCategoria[i], &get::Buscar, this, [this, i] { getCategoria_Buscar(i); });
  }
}

qint32 FrmRptCategorias::Run(cTAZ_Categorias& oTAZ_Categorias, qint32 nProcesoInicial, bool lWaitUntilClose) {
  oTAZ_Categorias_ = &oTAZ_Categorias;
  Configurar(oTAZ_Categorias.oGlobales, oTAZ_Categorias.oAppGlobal);
  oClientes_ = oAppGlobal_->CreateTableAccess(QStringLiteral("Clientes.cTAZ_Clientes"));
  oProveedores_ = oAppGlobal_->CreateTableAccess(QStringLiteral("Proveedores.cTAZ_Proveedores"));
  for (const auto& taz : {oClientes_, oProveedores_})
    if (taz) taz->I_TAZ_Configure(oGlobales_, oAppGlobal_);
  oTAZ_Arboles_ = std::make_unique<cTAZ_Arboles>();
  oTAZ_Arboles_->I_TAZ_Configure(oGlobales_, oAppGlobal_);
  return Ejecutar(NombreVentana, Frame1, nProcesoInicial, lWaitUntilClose);
}

QString FrmRptCategorias::RunGetFilter(cTAZ_Categorias& oTAZ_Categorias, qint32 nProceso) {
  lFiltro_ = true;
  Run(oTAZ_Categorias, nProceso, true);
  return cFiltro_;
}

void FrmRptCategorias::Form_Load() {
  setWindowTitle(Traducir(Texto("Informes de categorías")));
  TraducirTextos(this);
}

void FrmRptCategorias::LoadConfig(qint32 nProcesoInicial) {
  oRptForm->ClearProcesos();
  oRptForm->AddProceso(TAZ_Categorias_ProcesosListadosCli,
                       Traducir(Texto("Listados de categorías de clientes")));
  oRptForm->AddProceso(TAZ_Categorias_ProcesosListadosPro,
                       Traducir(Texto("Listados de categorías de proveedores")));
  if (!oRptForm->LoadConfig(QString(), nProcesoInicial)) {
    oRptForm->SeleccionarProceso(nProcesoInicial == 0 ? TAZ_Categorias_ProcesosListadosCli : nProcesoInicial);
    getQuien->SetFocus();
  }
  // The caller asked for the customers or the suppliers: the process stays.
  if (lFiltro_) getTipoProceso->setEnabled(false);
  CompletarCarga();
}

void FrmRptCategorias::CfgProcesos() {
  zolmar::ReportFields campos = Catalogo(oRptForm->Proceso());
  for (auto& c : campos) c.caption = Traducir(c.caption);
  oRptForm->SetCatalogo(campos, static_cast<qint32>(campos.size()));
}

std::shared_ptr<I_DAZ> FrmRptCategorias::Ctl2DAZ(zolmar::get* control) {
  if (!control || !oTAZ_Categorias_) return nullptr;
  return oTAZ_Categorias_->I_TAZ_Str2DAZ(
      (control->Alias() + QStringLiteral(".") + control->Campo()).toUpper());
}

void FrmRptCategorias::oRptForm_ShowGets() {
  if (lFiltro_ && !btnReturnFilter->isVisible()) {
    btnReturnFilter->setIcon(btnReturnFilter->Picture(251));
    btnReturnFilter->setVisible(true);
  }
  if (oRptForm->Proceso() == TAZ_Categorias_ProcesosListadosCli) {
    lblQuien->setCaption(Traducir(QStringLiteral("Cliente")));
    FrameCategorias->setCaption(Traducir(Texto("Filtros de categorías para seleccionar clientes")));
  } else {
    lblQuien->setCaption(Traducir(QStringLiteral("Proveedor")));
    FrameCategorias->setCaption(Traducir(Texto("Filtros de categorías para seleccionar proveedores")));
  }
  getQuien->setText(QString());
  sayID_Quien->setText(QStringLiteral("0"));
}

void FrmRptCategorias::oRptForm_SaveCfg(zolmar::ReportCfgList& list) {
  auto distintoDeCero = [](zolmar::get* say) { return say->Text().toInt() != 0; };
  list.append({QStringLiteral("Filtro Quien"), sayID_Quien, distintoDeCero(sayID_Quien), 0});
  list.append({QStringLiteral("Filtro Categoria Unica"), sayID_Cat, distintoDeCero(sayID_Cat), 0});
  list.append({Texto("Opción busqueda de categorías"), chkUsoFiltro, true, 0});
  for (qint32 i = 0; i < FilasCategoria; ++i)
    list.append({QStringLiteral("Filtro Categoria%1").arg(i + 1), sayID_Categoria[i],
                 distintoDeCero(sayID_Categoria[i]), 0});
  list.append({Texto("Título informe"), getTituloInforme, !getTituloInforme->Text().isEmpty(), 0});
}

void FrmRptCategorias::oRptForm_SetCfg(const QString& name, const QVariant& value) {
  const qint32 id = value.toInt();
  if (name == QLatin1String("FILTRO QUIEN")) {
    sayID_Quien->setText(QString::number(id));
    const auto acceso = AccesoQuien();
    getQuien->setText(acceso ? acceso->NameByID(id) : QString());
  } else if (name == QLatin1String("FILTRO CATEGORIA UNICA")) {
    PonerCategoria(getCat, sayID_Cat, id);
  } else if (name == Texto("OPCIÓN BUSQUEDA DE CATEGORÍAS")) {
    chkUsoFiltro->setChecked(value.toString() != QLatin1String("0"));
  } else if (name.startsWith(QLatin1String("FILTRO CATEGORIA"))) {
    bool ok = false;
    const qint32 fila = name.mid(16).toInt(&ok);
    if (ok && fila >= 1 && fila <= FilasCategoria)
      PonerCategoria(getCategoria[fila - 1], sayID_Categoria[fila - 1], id);
  } else if (name == Texto("TÍTULO INFORME")) {
    getTituloInforme->setText(value.toString());
  }
}

void FrmRptCategorias::PonerCategoria(zolmar::get* campo, zolmar::get* say, qint32 id) {
  say->setText(QString::number(id));
  campo->setText(oTAZ_Arboles_->NameByID(id));
}

void FrmRptCategorias::btnDefaults_Click() {
  QList<std::pair<QString, QString>> campos = {
      {Traducir(QStringLiteral("Cliente o proveedor")), QStringLiteral("getQuien")}};
  // The ids are what the statement filters by: they come back with the names.
  QStringList ids = {QStringLiteral("sayID_Quien")};
  for (qint32 i = 0; i < FilasCategoria; ++i) {
    campos.append({Traducir(QStringLiteral("Categoria")) + QString::number(i + 1),
                   QStringLiteral("getCategoria(%1)").arg(i)});
    ids << QStringLiteral("sayID_Categoria(%1)").arg(i);
  }
  oRptForm->GuardarDefectos(campos, ids);
}

}  // namespace arboles
