#include "editor/frm_arboles.h"

#include <utility>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_ficha_db.h"
#include "host/i_globales.h"
#include "host/i_host_objects.h"
#include "host/i_recordset.h"
#include "tree/marcas_borrado.h"
#include "tree/taz_arboles.h"
#include "tree/ventanas_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/frame.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/lbl.h"
#include "zolmar/ui/list_window.h"
#include "zolmar/ui/st_bar.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

const QString FrmArboles::NombreVentana = QStringLiteral("FrmArboles");
const QString FrmArboles::ClaveNueva = QStringLiteral("K=NEWKEY");

namespace {

const QString kTablaBloqueo = QStringLiteral("Arboles");

QString filtroBloqueo(qint32 nTipoArbol) { return QStringLiteral("Tipo=") + QString::number(nTipoArbol); }

QString rtrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s.at(n - 1).isSpace()) --n;
  return s.left(n);
}

}  // namespace

void FrmArboles::Registrar() {
  VentanasArboles::instance().registerEditor(
      [](cTAZ_Arboles& taz, qint32 nTipoArbol, bool lMoverARegistro) -> QWidget* {
        auto* frm = new FrmArboles();
        if (!frm->Run(taz, nTipoArbol, lMoverARegistro)) {
          delete frm;
          return nullptr;
        }
        return frm;
      });
}

FrmArboles::FrmArboles(QWidget* parent) : zolmar::FrmBasico(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  CrearControles();
}

FrmArboles::~FrmArboles() {
  if (bloqueado_ && oAppGlobal_)
    oAppGlobal_->LockTable(3, false, kTablaBloqueo, 0, filtroBloqueo(nTipoArbol_), 3);
  if (referencias_) referencias_->close();
}

bool FrmArboles::Run(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, bool lMoveToRecord) {
  oTAZ_Arboles_ = &oTAZ_Arboles;
  oGlobales_ = oTAZ_Arboles.oGlobales;
  oAppGlobal_ = oTAZ_Arboles.oAppGlobal;
  nTipoArbol_ = nTipoArbol;
  lMoveToRecord_ = lMoveToRecord;
  tabla_ = oTAZ_Arboles.I_TAZ_Name();
  if (lMoveToRecord_ && oAppGlobal_->IsWindowOpen(NombreVentana)) return false;
  if (oAppGlobal_->LockTable(3, true, kTablaBloqueo, 0, filtroBloqueo(nTipoArbol_), 3)) return false;
  bloqueado_ = true;

  oComentarios_ = oAppGlobal_->CreateComments();
  if (oComentarios_) oComentarios_->Configure(oGlobales_, oAppGlobal_);
  oArticulos_ = oAppGlobal_->CreateTableAccess(QStringLiteral("Articulos.cTAZ_Articulos"));
  oClientes_ = oAppGlobal_->CreateTableAccess(QStringLiteral("Clientes.cTAZ_Clientes"));
  oProveedores_ = oAppGlobal_->CreateTableAccess(QStringLiteral("Proveedores.cTAZ_Proveedores"));
  for (const auto& taz : {oArticulos_, oClientes_, oProveedores_})
    if (taz) taz->I_TAZ_Configure(oGlobales_, oAppGlobal_);

  ficha_ = oTAZ_Arboles.I_TAZ_FichaDB();
  ficha_->SetFilter(QStringLiteral("tipo=") + QString::number(nTipoArbol_));
  ficha_->SetOrder(QStringLiteral("clave"));
  ficha_->Reload();
  if (lMoveToRecord_) ficha_->MoveLast();

  SetAppGlobal(oAppGlobal_, NombreVentana);
  Show();
  return true;
}

void FrmArboles::Form_Load() {
  const auto tr = [this](const char* text) { return oAppGlobal_->Translate(QString::fromUtf8(text)); };
  switch (nTipoArbol_) {
    case TipoArbolClientes:
      setWindowTitle(tr("Árbol de Grupos de Clientes"));
      btnAccion[5]->setCaption(tr(" Listar clientes"));
      break;
    case TipoArbolProveedores:
      setWindowTitle(tr("Árbol de Grupos de Proveedores/Acreedores"));
      btnAccion[5]->setCaption(tr(" Listar proveedores"));
      break;
    default:
      setWindowTitle(tr("Árbol de Categorías de Artículos"));
      btnAccion[5]->setCaption(tr(" Listar artículos"));
      break;
  }
  lblZolmarID->setCaption(tr("Ficha Nº"));
  lblNombre->setCaption(tr("Nombre"));
  lblCriteriohijos->setCaption(tr("Criterio de las ramas hijas"));
  Frame1->setCaption(tr("Datos del grupo"));
  Frame2->setCaption(tr("Nombre de los campos auxiliares"));
  lblUso->setCaption(tr("Validar"));
  for (qint32 i = 0; i < NumAux; ++i)
    lblNomaux[i]->setCaption(oAppGlobal_->FormatMessage(tr("Auxiliar %1"), {i + 1}));
  const char* acciones[] = {" Añadir nivel", " Ordenar por nombre", " Organizar", " Importar de Cotalia",
                            " Referencias"};
  for (qint32 i = 0; i < 5; ++i) btnAccion[i]->setCaption(tr(acciones[i]));
  btnAccion[5]->setToolTipText(tr("Informe con los artículos pertenecientes a esta categoría"));
  btnOrden[0]->setToolTipText(tr("Sube una posición dentro de la misma rama"));
  btnOrden[1]->setToolTipText(tr("Baja una posición dentro de la misma rama"));
  btnGuardar->setCaption(tr("Guardar"));
  btnGuardar->setToolTipText(tr("Confirma los valores actuales para guardarlos"));
  btnCancelar->setCaption(tr("Cancelar"));
  btnCancelar->setToolTipText(tr("Cancela las modificaciones realizadas, descartando estos valores"));
  btnFrames->setCaption(tr("Campos auxiliares"));
  chkContar->setCaption(tr("Nº de fichas"));
  chkContar->setToolTipText(tr("Muestra junto a cada rama cuántas fichas la usan"));
  {
    const QSignalBlocker leyendo(chkContar);
    chkContar->setValue(oAppGlobal_->GetConfig().value(ClaveConfigContar).toInt() != 0 ? 1 : 0);
  }
  Frame2->setVisible(false);
  Frame2->setEnabled(false);

  for (zolmar::get* e : {sayZolmarID, getNombre, getCriteriohijos}) CtlFicha->Bind(e);
  for (zolmar::get* e : getNomaux) CtlFicha->Bind(e);
  CtlFicha->Configure(ficha_, QStringLiteral("Tipo=") + QString::number(nTipoArbol_));
  CtlFicha->SetDeleter([this] { return BorrarNodo(); });
  CargarArbol();
  CtlFicha_RecordChanged();
}

bool FrmArboles::AppQueryUnload() {
  bool cancel = false;
  Form_QueryUnload(cancel, FormControlMenu);
  return cancel;
}

std::shared_ptr<I_DAZ> FrmArboles::Ctl2DAZ(const zolmar::get& oCtl) {
  return oTAZ_Arboles_->I_TAZ_Str2DAZ((oCtl.Alias() + QStringLiteral(".") + oCtl.Campo()).toUpper());
}

void FrmArboles::Form_QueryUnload(bool& Cancel, qint32) {
  if (!FormGuard() || !CloseCheck()) {
    Cancel = true;
    return;
  }
  if (!CtlFicha || CtlFicha->Mode() == zolmar::CtlFicha::Browsing) return;
  switch (oAppGlobal_->AskRecordQuestion(0, QString())) {
    case 1: {
      bool ok = false;
      Guardar(ok);
      if (!ok) Cancel = true;
      break;
    }
    case 2:
      CtlFicha->CancelEdit();
      break;
    default:
      Cancel = true;
  }
}

void FrmArboles::Form_Unload(bool&) {
  if (bloqueado_) oAppGlobal_->LockTable(3, false, kTablaBloqueo, 0, filtroBloqueo(nTipoArbol_), 3);
  bloqueado_ = false;
  if (referencias_) referencias_->close();
  oArticulos_.reset();
  oClientes_.reset();
  oProveedores_.reset();
  oComentarios_.reset();
}

void FrmArboles::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  if (oAppGlobal_->HandleShortcut(KeyCode, Shift)) {
    KeyCode = 0;
    return;
  }
  switch (CtlFicha->MapKey(KeyCode, Shift)) {
    case zolmar::CtlFicha::SaveAction:
      if (FormGuard()) btnGuardar->Click();
      break;
    case zolmar::CtlFicha::CancelAction:
      btnCancelar->Click();
      break;
    case zolmar::CtlFicha::CloseAction:
      Unload();
      break;
    default:
      return;
  }
  KeyCode = 0;
}

void FrmArboles::Form_KeyUp(qint32& KeyCode, qint32 Shift) {
  if (KeyCode > 0) CtlFicha->KeyUp(KeyCode, Shift);
}

// --- The tree ------------------------------------------------------------

// A damaged tree is repaired and filled again until it is whole. A repair that
// changed nothing would change nothing the next time either (the children of a
// parent with more than 255 keep their keys): the placed part is shown then.
void FrmArboles::CargarArbol() {
  Llenado llenado;
  bool reparado = false;
  while ((llenado = LlenarArbol()) == Llenado::Danado) {
    if (!RepararArbol()) break;
    reparado = true;
  }
  // The record browser still holds the record as it was read before the
  // repair: a key built from its old Clave would damage the tree again.
  if (reparado) {
    ficha_->Reload();
    CtlFicha->ShowCurrent();
  }
  if (llenado == Llenado::SinDatos) {
    TreeArbol->setUpdatesEnabled(true);
    return;  // nothing could be read: the tree stays empty and hidden
  }
  MarcasBorrado::Aplicar(*Cn(), nTipoArbol_, *TreeArbol);
  MostrarCuentas();
  MostrarArbolLleno();
}

FrmArboles::Llenado FrmArboles::LlenarArbol() {
  TreeArbol->setUpdatesEnabled(false);
  TreeArbol->setVisible(false);
  TreeArbol->Nodes().Clear();
  claveResaltada_.clear();
  const QString sql = QStringLiteral("SELECT zolmarID, nombre,id_padre, CriterioHijos") +
                      QStringLiteral(" FROM Arboles") + QStringLiteral(" WHERE tipo = ") +
                      QString::number(nTipoArbol_) + QStringLiteral(" ORDER BY clave");
  const auto rs = recordsetOf(Cn()->ExecuteSQL(sql, 5, QVariant()));
  if (!rs) return Llenado::SinDatos;
  zolmar::TreeNodes& nodos = TreeArbol->Nodes();
  const QString arriba;
  while (rs->Read()) {
    const qint32 id = rs->Field(QStringLiteral("zolmarID")).toInt();
    const qint32 idPadre = rs->Field(QStringLiteral("id_padre")).toInt();
    const QString clave = QStringLiteral("K=") + QString::number(id);
    QString texto = rtrim(rs->Field(QStringLiteral("nombre")).toString());
    zolmar::TreeNode nodo;
    if (idPadre == 0) {
      const QString criterio = rs->Field(QStringLiteral("CriterioHijos")).toString();
      if (!criterio.trimmed().isEmpty()) texto += QStringLiteral(" - (") + criterio + QStringLiteral(")");
      nodo = nodos.tryAdd(arriba, zolmar::TreeNodes::tvwLast, clave, texto);
    } else {
      nodo = nodos.tryAdd(QStringLiteral("K=") + QString::number(idPadre), zolmar::TreeNodes::tvwChild, clave,
                          texto);
    }
    if (nodo.isNull()) return Llenado::Danado;
  }
  return Llenado::Completo;
}

void FrmArboles::MostrarArbolLleno() {
  const QString clave = ClaveNodoActual();
  zolmar::TreeNode nodo = TreeArbol->Node(clave);
  if (!nodo.isNull()) {
    TreeArbol->setSelectedItem(nodo);
    nodo.EnsureVisible();
    MarcarNodo(true, clave);
    claveResaltada_ = clave;
  }
  TreeArbol->setUpdatesEnabled(true);
  TreeArbol->setVisible(true);
}

void FrmArboles::MarcarNodo(bool lMarcar, const QString& cClave) {
  if (cClave.isEmpty()) return;
  zolmar::TreeNode nodo = TreeArbol->Node(cClave);
  if (nodo.isNull()) return;
  nodo.setHighlighted(lMarcar);
  if (lMarcar && !nodo.Visible()) nodo.EnsureVisible();
}

void FrmArboles::SeleccionarNodo(const QString& cClave) {
  MarcarNodo(false, claveResaltada_);
  const qint32 id = cClave.mid(cClave.indexOf(QLatin1Char('=')) + 1).toInt();
  if (id <= 0) return;
  ficha_->SeekID(id);
  claveResaltada_ = QStringLiteral("K=") + QString::number(id);
  CtlFicha->ShowCurrent();
  CtlFicha_RecordChanged();
}

void FrmArboles::ClaveNodoActual(QString& cClave) const {
  cClave = QStringLiteral("K=") + QString::number(ficha_ ? ficha_->CurrentID() : 0);
}

QString FrmArboles::ClaveNodoActual() const {
  QString clave;
  ClaveNodoActual(clave);
  return clave;
}

void FrmArboles::TreeArbol_NodeClick(const zolmar::TreeNode& node) { SeleccionarNodo(node.Key()); }

void FrmArboles::TreeArbol_Collapse(const zolmar::TreeNode& node) {
  TreeArbol->setSelectedItem(node);
  SeleccionarNodo(node.Key());
}

void FrmArboles::CtlFicha_RecordChanged() {
  if (borrando_) {
    borrando_ = false;
    // The record set moved to the row after the deleted one, in key order,
    // which may be far away in another branch.
    if (idTrasBorrar_ > 0) ficha_->SeekID(std::exchange(idTrasBorrar_, 0));
    CtlFicha->ShowCurrent();
    CargarArbol();
  }
  const qint32 modo = CtlFicha->Mode();
  if (modo == zolmar::CtlFicha::Browsing) {
    oAppGlobal_->ShowCommentState(Campo(QStringLiteral("id_comentario")).toInt(), CtlFicha);
    MostrarUsoAux(Campo(QStringLiteral("UsoAux")).toString());
    // Whichever control moved the record, the tree follows it.
    MarcarNodo(false, claveResaltada_);
    claveResaltada_ = CtlFicha->HasRecord() ? ClaveNodoActual() : QString();
    zolmar::TreeNode nodo = TreeArbol->Node(claveResaltada_);
    if (nodo) {
      nodo.setMarkedDeleted(!CtlFicha->ActiveFlag());
      if (TreeArbol->SelectedItem() != nodo) TreeArbol->setSelectedItem(nodo);
    }
    MarcarNodo(true, claveResaltada_);
    idPadre_ = Campo(QStringLiteral("ID_Padre")).toInt();
  } else {
    HabilitarCamposAux(0);
    if (modo == zolmar::CtlFicha::Adding)
      sayZolmarID->setText(oAppGlobal_->Translate(QStringLiteral("(Nuevo)")));
  }
  HabilitarBotones();
  ActualizarEstado();
}

void FrmArboles::HabilitarBotones() {
  const bool editando = CtlFicha->Mode() != zolmar::CtlFicha::Browsing;
  const bool navegando = !editando && CtlFicha->HasRecord();
  btnGuardar->setEnabled(editando);
  btnCancelar->setEnabled(editando);
  for (qint32 i : {0, 1, 2, 4, 5}) btnAccion[i]->setEnabled(navegando);
  btnAccion[3]->setEnabled(false);
  for (zolmar::btn* b : btnOrden) b->setEnabled(navegando);
}

void FrmArboles::ActualizarEstado() {
  QString texto;
  switch (CtlFicha->Mode()) {
    case zolmar::CtlFicha::Adding:
      texto = oAppGlobal_->Translate(QStringLiteral("Añadiendo una ficha"));
      break;
    case zolmar::CtlFicha::Editing:
      texto = oAppGlobal_->Translate(QStringLiteral("Modificando la ficha"));
      break;
    default:
      if (CtlFicha->HasRecord() && !CtlFicha->ActiveFlag())
        texto = oAppGlobal_->Translate(QStringLiteral("BORRADO"));
  }
  stbEstado->setPanelText(0, texto);
  stbEstado->setPanelText(1, oAppGlobal_->FormatMessage(oAppGlobal_->Translate(QStringLiteral("%1 fichas")),
                                                        {ficha_ ? ficha_->RecordCount() : 0}));
  stbEstado->Refresh();
}

// --- Shared helpers ------------------------------------------------------

std::shared_ptr<IConnection> FrmArboles::Cn() const { return oGlobales_->GetConnection(); }

QVariant FrmArboles::Valor(const QString& sql, const QVariant& def) const {
  return Cn()->ExecuteSQL(sql, 2, def);
}

QVariant FrmArboles::Campo(const QString& name) const { return ficha_ ? ficha_->Field(name) : QVariant(); }

qint32 FrmArboles::IdActual() const { return ficha_ ? ficha_->CurrentID() : 0; }

void FrmArboles::Informar(const QString& texto) {
  oAppGlobal_->ShowMessage(texto, 0, QStringLiteral("Información"), IconInformation);
}

void FrmArboles::Avisar(const QString& texto, const QString& titulo) {
  oAppGlobal_->ShowMessage(texto, 0, titulo, IconWarning);
}

}  // namespace arboles
