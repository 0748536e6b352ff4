#include "categories/frm_categorias.h"

#include <QHBoxLayout>
#include <QSet>
#include <QStringList>
#include <QStyle>
#include <QVBoxLayout>
#include <stdexcept>

#include "categories/taz_categorias.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_insert_builder.h"
#include "host/i_list_object.h"
#include "host/i_recordset.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/grid.h"
#include "zolmar/ui/st_bar.h"

namespace arboles {

const QString FrmCategorias::NombreVentana = QStringLiteral("FrmCategorias");

namespace {
constexpr qint32 kModoDialogo = 3;
constexpr qint32 kIconoVentana = 401;
constexpr qint32 kColumnas = 3;  // id, name, the ancestors' path
constexpr qint32 kAnchoAyuda = 150;
const QString kSeparador = QStringLiteral(" ; ");
}  // namespace

FrmCategorias::FrmCategorias(QWidget* parent) : zolmar::FrmBasico(parent) {
  setObjectName(NombreVentana);
  CrearControles();
}

FrmCategorias::~FrmCategorias() = default;

void FrmCategorias::CrearControles() {
  resize(380, 420);
  grdCategorias = new zolmar::Grid(this);
  getGrid = new zolmar::get(this);
  stbEstado = new zolmar::StBar(this);
  btnAceptar = new zolmar::btn(QStringLiteral("Aceptar"), this);
  btnCancelar = new zolmar::btn(QStringLiteral("Cancelar"), this);
  btnAceptar->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  btnCancelar->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

  auto* botones = new QHBoxLayout();
  botones->addStretch(1);
  botones->addWidget(btnAceptar);
  botones->addWidget(btnCancelar);
  auto* todo = new QVBoxLayout(this);
  todo->addWidget(grdCategorias, 1);
  todo->addLayout(botones);
  todo->addWidget(stbEstado);
  grdCategorias->setCellEditor(getGrid);
  ConectarEventos();
}

void FrmCategorias::ConectarEventos() {
  connect(btnAceptar, &zolmar::btn::Clicked, this, [this] { btnAceptar_Click(); });
  connect(btnCancelar, &zolmar::btn::Clicked, this, [this] { btnCancelar_Click(); });
  connect(getGrid, &zolmar::get::Validating, this, [this](bool& c) { getGrid_Validate(c); });
  connect(getGrid, &zolmar::get::GotFocus, this, [this] { getGrid_GotFocus(); });
  connect(getGrid, &zolmar::get::Buscar, this, [this] { getGrid_Buscar(); });
  connect(getGrid, &zolmar::get::Abrir, this, [this] { getGrid_Abrir(); });
  connect(getGrid, &zolmar::get::Combo, this, [this] { getGrid_Combo(); });
  connect(grdCategorias, &zolmar::Grid::StartEditing, this,
          [this](qint32 r, qint32 c, bool& cancel) { grdCategorias_StartEditing(r, c, cancel); });
  connect(grdCategorias, &zolmar::Grid::LeaveCell, this,
          [this](qint32 r, qint32 c, bool& cancel) { grdCategorias_LeaveCell(r, c, cancel); });
  connect(grdCategorias, &zolmar::Grid::MoveOn, this,
          [this](qint32 r, qint32 c) { grdCategorias_MoveOn(r, c); });
  connect(grdCategorias, &zolmar::Grid::DeleteRequest, this,
          [this](qint32 r) { grdCategorias_DeleteRequest(r); });
  connect(grdCategorias, &QTableWidget::currentCellChanged, this,
          [this](int, int, int previousRow, int) { grdCategorias_RowChange(previousRow); });
}

bool FrmCategorias::Run(cTAZ_Categorias& oTAZ, qint32 nTipoCategoria, qint32 ID_CliProv) {
  oGlobales_ = oTAZ.oGlobales;
  oAppGlobal_ = oTAZ.oAppGlobal;
  oCn_ = oGlobales_->GetConnection();
  nTipoCategoria_ = nTipoCategoria;
  ID_CliProv_ = ID_CliProv;
  oTAZ_Arboles_ = std::make_shared<cTAZ_Arboles>();
  oTAZ_Categorias_ = std::make_shared<cTAZ_Categorias>();
  // Without the tree the rows could be neither named nor picked.
  if (!oTAZ_Arboles_->I_TAZ_Configure(oGlobales_, oAppGlobal_, QString()) ||
      !oTAZ_Categorias_->I_TAZ_Configure(oGlobales_, oAppGlobal_, QString())) {
    Comprobar();
    throw std::runtime_error("Categorias: no se han podido abrir las tablas");
  }
  lModificado_ = false;
  SetAppGlobal(oAppGlobal_, NombreVentana);
  Show();
  grdCategorias->setFocus(Qt::OtherFocusReason);
  return true;
}

void FrmCategorias::Form_Load() {
  setWindowTitle(oAppGlobal_->Translate(QString::fromUtf8("Categorías")));
  setWindowIcon(btnCancelar->Picture(kIconoVentana));
  btnAceptar->setCaption(oAppGlobal_->Translate(QStringLiteral("Aceptar")));
  btnCancelar->setCaption(oAppGlobal_->Translate(QStringLiteral("Cancelar")));
  btnAceptar->setToolTipText(
      oAppGlobal_->Translate(QStringLiteral("Confirma los valores actuales para guardarlos")));
  btnCancelar->setToolTipText(oAppGlobal_->Translate(
      QStringLiteral("Cancela las modificaciones realizadas, descartando estos valores")));
  getGrid->setEnabledBuscar(true);
  getGrid->setEnabledCombo(true);
  getGrid->setEnabledAbrir(true);
  getGrid->setMaxLength(50);
  oLista_ = oGlobales_->CreateListObject();
  oLista_->Init(1, kColumnas, 1, 0);
  stbEstado->AddPanel(kAnchoAyuda);
  stbEstado->AddPanel(0);  // the current row's path
  stbEstado->Refresh();
  Llenar();
}

// A list that could not be read must never be shown: saving it would delete
// the assignments it failed to show. The error goes to the caller's handler
// and the window does not open.
void FrmCategorias::Llenar() {
  const RecordsetPtr rs = recordsetOf(oCn_->ExecuteSQL(
      QStringLiteral("SELECT * FROM Categorias WHERE Tipo=") + QString::number(nTipoCategoria_) +
          QStringLiteral(" AND ID_Quien=") + QString::number(ID_CliProv_),
      7));
  Comprobar();
  if (!rs) throw std::runtime_error("Categorias: no se han podido leer las categorías");
  oLista_->Init(1, kColumnas, 1, 0);
  QList<qint32> ids;
  while (rs->Read()) ids.append(rs->Field(QStringLiteral("ID_Categoria")).toInt());
  const QHash<qint32, QString> rutas = RutasPadre(ids);
  for (const qint32 id : ids) {
    const QString nombre = oTAZ_Arboles_->NameByID(id);
    Comprobar();
    oLista_->AddRow({id, nombre, rutas.value(id)});
  }
  if (oLista_->RowCount() == 0) AnadirFilaVacia();
  DisponerRejilla();
}

void FrmCategorias::Comprobar() {
  if (oCn_->HasError()) throw std::runtime_error(oCn_->LastError().toStdString());
}

// The paths of every assigned category in one statement, not one per row.
QHash<qint32, QString> FrmCategorias::RutasPadre(const QList<qint32>& ids) {
  QHash<qint32, QString> rutas;
  QStringList lista;
  for (const qint32 id : ids)
    if (id > 0) lista << QString::number(id);
  if (lista.isEmpty()) return rutas;
  const RecordsetPtr rs = recordsetOf(
      oCn_->ExecuteSQL(QStringLiteral("SELECT ZolmarID, RutaPadre FROM Arboles WHERE ZolmarID IN (") +
                           lista.join(QLatin1Char(',')) + QStringLiteral(")"),
                       5));
  Comprobar();
  while (rs && rs->Read())
    rutas.insert(rs->Field(QStringLiteral("ZolmarID")).toInt(),
                 rs->Field(QStringLiteral("RutaPadre")).toString());
  return rutas;
}

void FrmCategorias::DisponerRejilla() {
  grdCategorias->AddColumn(oAppGlobal_->Translate(QStringLiteral("ID")), 50);
  grdCategorias->AddColumn(oAppGlobal_->Translate(QStringLiteral("Nombre")), 250);
  grdCategorias->setRows(oLista_->RowCount());
  grdCategorias->MoveTo(0, 1);
  Repintar();
}

qint32 FrmCategorias::Filas() const { return oLista_ ? oLista_->RowCount() : 0; }

qint32 FrmCategorias::IdFila(qint32 fila) const { return oLista_->Cell(1, fila).toInt(); }

QString FrmCategorias::NombreFila(qint32 fila) const { return oLista_->Cell(2, fila).toString(); }

QString FrmCategorias::RutaFila(qint32 fila) const {
  if (IdFila(fila) == 0) return QString();
  return oLista_->Cell(3, fila).toString() + NombreFila(fila);
}

void FrmCategorias::btnAceptar_Click() {
  if (Guardar()) Unload();
}

void FrmCategorias::btnCancelar_Click() {
  if (lModificado_ &&
      !oAppGlobal_->AskYesNo(oAppGlobal_->Translate(QStringLiteral("¿ Desea cancelar los cambios ?")), 4,
                             oAppGlobal_->Translate(QStringLiteral("Confirmación")), IconQuestion))
    return;
  Unload();
}

// The first row whose id already appeared above it; 0 when none repeats.
qint32 FrmCategorias::FilaRepetida() const {
  QSet<qint32> vistos;
  for (qint32 fila = 1; fila <= oLista_->RowCount(); ++fila) {
    const qint32 id = IdFila(fila);
    if (vistos.contains(id)) return fila;
    vistos.insert(id);
  }
  return 0;
}

// The name being typed is validated as when the focus leaves it, then the
// entry against its limits.
bool FrmCategorias::ControlesValidos() {
  if (grdCategorias->EditorVisible() && getGrid->Validate()) return false;
  return oAppGlobal_->ValidateEntry(getGrid).isEmpty();
}

bool FrmCategorias::Guardar() {
  if (!ControlesValidos()) return false;
  const qint32 repetida = FilaRepetida();
  if (repetida > 0) {
    oAppGlobal_->ShowMessage(oAppGlobal_->Translate(QStringLiteral("No puede haber categorías repetidas")), 0,
                             oAppGlobal_->Translate(QStringLiteral("Información")), IconInformation);
    grdCategorias->HideEditor();
    grdCategorias->MoveTo(repetida - 1, 1);
    Repintar();
    grdCategorias->setFocus(Qt::OtherFocusReason);
    return false;
  }
  if (!lModificado_) return true;
  if (!CategoriasExisten()) return false;
  QString lote = QStringLiteral("DELETE FROM Categorias WHERE Tipo=") + QString::number(nTipoCategoria_) +
                 QStringLiteral(" AND ID_Quien=") + QString::number(ID_CliProv_) + kSeparador;
  const auto insercion = oGlobales_->CreateInsertBuilder(oCn_, QStringLiteral("Categorias"));
  for (qint32 fila = 1; fila <= oLista_->RowCount(); ++fila) {
    if (IdFila(fila) == 0) continue;
    insercion->Clear();
    insercion->AddField(QStringLiteral("Tipo"), nTipoCategoria_);
    insercion->AddField(QStringLiteral("ID_Quien"), ID_CliProv_);
    insercion->AddField(QStringLiteral("ID_Categoria"), IdFila(fila));
    lote += insercion->Sql() + kSeparador;
  }
  oCn_->ExecuteSQL(lote, 1);
  if (oCn_->HasError()) {
    // The batch runs whole or not at all: the rows stay for another try.
    oAppGlobal_->ShowMessage(oCn_->LastError(), 0, oAppGlobal_->Translate(QStringLiteral("Error")),
                             IconError);
    return false;
  }
  lModificado_ = false;
  return true;
}

// A category merged away or deleted since the grid was filled would be
// written back pointing at nothing: its row is shown to the person instead.
bool FrmCategorias::CategoriasExisten() {
  QStringList ids;
  for (qint32 fila = 1; fila <= oLista_->RowCount(); ++fila)
    if (IdFila(fila) != 0) ids << QString::number(IdFila(fila));
  if (ids.isEmpty()) return true;
  const RecordsetPtr rs =
      recordsetOf(oCn_->ExecuteSQL(QStringLiteral("SELECT ZolmarID FROM Arboles WHERE ZolmarID IN (") +
                                       ids.join(QLatin1Char(',')) + QLatin1Char(')'),
                                   5));
  if (oCn_->HasError() || !rs) {
    oAppGlobal_->ShowMessage(oCn_->LastError(), 0, oAppGlobal_->Translate(QStringLiteral("Error")),
                             IconError);
    return false;
  }
  QSet<qint32> existen;
  while (rs->Read()) existen.insert(rs->Field(QStringLiteral("ZolmarID")).toInt());
  for (qint32 fila = 1; fila <= oLista_->RowCount(); ++fila) {
    if (IdFila(fila) == 0 || existen.contains(IdFila(fila))) continue;
    oAppGlobal_->ShowMessage(
        oAppGlobal_->FormatMessage(
            oAppGlobal_->Translate(
                QString::fromUtf8("La categoría <B>%1</B> ya no existe.<BR>Elija otra o borre la línea.")),
            {NombreFila(fila).isEmpty() ? QString::number(IdFila(fila)) : NombreFila(fila).toHtmlEscaped()}),
        0, oAppGlobal_->Translate(QStringLiteral("Información")), IconInformation);
    grdCategorias->HideEditor();
    grdCategorias->MoveTo(fila - 1, 1);
    Repintar();
    grdCategorias->setFocus(Qt::OtherFocusReason);
    return false;
  }
  return true;
}

void FrmCategorias::Form_QueryUnload(bool& Cancel, qint32) { Cancel = !FormGuard() || !CloseCheck(); }

void FrmCategorias::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  DialogKey(KeyCode, Shift, kModoDialogo, btnAceptar, btnCancelar, [this] { return ControlesValidos(); });
}

}  // namespace arboles
