// FrmArboles: building the controls and wiring their events.

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

#include "editor/frm_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/frame.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/lbl.h"
#include "zolmar/ui/st_bar.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

zolmar::get* entrada(QWidget* parent, const QString& campo, qint32 ancho) {
  auto* e = new zolmar::get(parent);
  e->setAlias(QStringLiteral("Arboles"));
  e->setCampo(campo);
  e->setMaxLength(ancho);
  return e;
}

zolmar::get* soloLectura(QWidget* parent) {
  auto* e = new zolmar::get(parent);
  e->setReadOnly(true);
  return e;
}

}  // namespace

void FrmArboles::CrearControles() {
  setWindowTitle(QStringLiteral("Árbol de ..."));
  resize(820, 520);
  TreeArbol = new zolmar::TreeView(this);
  TreeArbol->setHeaderHidden(true);
  TreeArbol->setMinimumWidth(260);

  auto* derecha = new QWidget(this);
  auto* columna = new QVBoxLayout(derecha);
  columna->setContentsMargins(0, 0, 0, 0);
  CtlFicha = new zolmar::CtlFicha(derecha);
  columna->addWidget(CtlFicha);
  columna->addWidget(CrearPanelFicha(), 1);
  columna->addWidget(CrearBotones());

  auto* division = new QSplitter(Qt::Horizontal, this);
  division->addWidget(TreeArbol);
  division->addWidget(derecha);
  division->setStretchFactor(0, 1);
  division->setStretchFactor(1, 1);

  stbEstado = new zolmar::StBar(this);
  stbEstado->AddPanel(0);
  stbEstado->AddPanel(160);
  auto* todo = new QVBoxLayout(this);
  todo->setContentsMargins(6, 6, 6, 0);
  todo->addWidget(division, 1);
  todo->addWidget(stbEstado);
  ConectarEventos();
}

QWidget* FrmArboles::CrearPanelFicha() {
  auto* panel = new QWidget(this);
  auto* capas = new QVBoxLayout(panel);
  capas->setContentsMargins(0, 0, 0, 0);

  Frame1 = new zolmar::Frame(QString(), panel);
  auto* g = new QGridLayout(Frame1);
  sayZolmarID = soloLectura(Frame1);
  sayZolmarID->setAlias(QStringLiteral("Arboles"));
  sayZolmarID->setCampo(QStringLiteral("ZolmarID"));
  sayZolmarID->setMaximumWidth(110);
  sayNombre = soloLectura(Frame1);
  lblNombre = new zolmar::lbl(QString(), Frame1);
  getNombre = entrada(Frame1, QStringLiteral("Nombre"), 50);
  getNombre->setProperty("Obligatorio", true);  // a blank name could not be told from its siblings
  lblCriteriohijos = new zolmar::lbl(QString(), Frame1);
  getCriteriohijos = entrada(Frame1, QStringLiteral("CriterioHijos"), 75);
  lblZolmarID = new zolmar::lbl(QString(), Frame1);
  g->addWidget(lblZolmarID, 0, 0);
  g->addWidget(sayZolmarID, 0, 1);
  g->addWidget(lblNombre, 1, 0);
  g->addWidget(getNombre, 1, 1);
  g->addWidget(lblCriteriohijos, 2, 0);
  g->addWidget(getCriteriohijos, 2, 1);
  g->setRowStretch(3, 1);

  Frame2 = new zolmar::Frame(QString(), panel);
  CrearCamposAux(Frame2);

  capas->addWidget(sayNombre);
  capas->addWidget(Frame1, 1);
  capas->addWidget(Frame2, 1);
  return panel;
}

void FrmArboles::CrearCamposAux(QWidget* frame) {
  auto* g = new QGridLayout(frame);
  lblUso = new zolmar::lbl(QString(), frame);
  g->addWidget(lblUso, 0, 2);
  for (qint32 i = 0; i < NumAux; ++i) {
    lblNomaux[i] = new zolmar::lbl(QString(), frame);
    getNomaux[i] = entrada(frame, QStringLiteral("NomAux%1").arg(i + 1), 20);
    chkUso[i] = new zolmar::btn(frame);
    chkUso[i]->setCheckButton(true);
    chkUso[i]->setMaximumWidth(40);
    g->addWidget(lblNomaux[i], i + 1, 0);
    g->addWidget(getNomaux[i], i + 1, 1);
    g->addWidget(chkUso[i], i + 1, 2);
  }
  g->setRowStretch(NumAux + 1, 1);
}

QWidget* FrmArboles::CrearBotones() {
  auto* barra = new QWidget(this);
  auto* filas = new QVBoxLayout(barra);
  filas->setContentsMargins(0, 0, 0, 0);
  auto* acciones = new QGridLayout();
  for (qint32 i = 0; i < qint32(btnAccion.size()); ++i) {
    btnAccion[i] = new zolmar::btn(barra);
    acciones->addWidget(btnAccion[i], i / 3, i % 3);
  }
  // Under the actions, so the bar below keeps the editor narrow enough for a small screen.
  chkContar = new zolmar::btn(barra);
  chkContar->setCheckButton(true);
  acciones->addWidget(chkContar, 2, 0);
  filas->addLayout(acciones);
  auto* inferior = new QHBoxLayout();
  for (qint32 i = 0; i < 2; ++i) {
    btnOrden[i] = new zolmar::btn(i == 0 ? QStringLiteral("▲") : QStringLiteral("▼"), barra);
    inferior->addWidget(btnOrden[i]);
  }
  btnFrames = new zolmar::btn(barra);
  inferior->addWidget(btnFrames);
  inferior->addStretch(1);
  btnGuardar = new zolmar::btn(barra);
  btnCancelar = new zolmar::btn(barra);
  inferior->addWidget(btnGuardar);
  inferior->addWidget(btnCancelar);
  filas->addLayout(inferior);
  return barra;
}

void FrmArboles::ConectarEventos() {
  connect(TreeArbol, &zolmar::TreeView::NodeClick, this, &FrmArboles::TreeArbol_NodeClick);
  connect(TreeArbol, &zolmar::TreeView::Collapse, this, &FrmArboles::TreeArbol_Collapse);
  TreeArbol->setNodeDragDrop(true);
  connect(TreeArbol, &zolmar::TreeView::NodeDrop, this, &FrmArboles::TreeArbol_NodeDrop);
  connect(CtlFicha, &zolmar::CtlFicha::RecordChanged, this, &FrmArboles::CtlFicha_RecordChanged);
  connect(CtlFicha, &zolmar::CtlFicha::Saved, this, &FrmArboles::CtlFicha_Saved);
  connect(CtlFicha, &zolmar::CtlFicha::NewRequest, this, &FrmArboles::CtlFicha_NewRequest);
  connect(CtlFicha, &zolmar::CtlFicha::EditRequest, this, &FrmArboles::CtlFicha_EditRequest);
  connect(CtlFicha, &zolmar::CtlFicha::DeleteRequest, this, &FrmArboles::CtlFicha_DeleteRequest);
  connect(CtlFicha, &zolmar::CtlFicha::SearchRequest, this, &FrmArboles::CtlFicha_SearchRequest);
  connect(CtlFicha, &zolmar::CtlFicha::CommentRequest, this, &FrmArboles::CtlFicha_CommentRequest);
  connect(CtlFicha, &zolmar::CtlFicha::NewRecordDefaults, this, &FrmArboles::CtlFicha_NewRecordDefaults);
  connect(CtlFicha, &zolmar::CtlFicha::ActionRequest, this, &FrmArboles::CtlFicha_ActionRequest);
  connect(getNombre, &zolmar::get::Change, this, &FrmArboles::getNombre_Change);
  connect(getCriteriohijos, &zolmar::get::Change, this, &FrmArboles::ActualizarTextoNodo);
  for (qint32 i = 0; i < NumAux; ++i)
    connect(getNomaux[i], &zolmar::get::Change, this, [this, i] { HabilitarCamposAux(i); });
  for (qint32 i = 0; i < qint32(btnAccion.size()); ++i)
    connect(btnAccion[i], &zolmar::btn::Clicked, this, [this, i] { btnAccion_Click(i); });
  for (qint32 i = 0; i < 2; ++i)
    connect(btnOrden[i], &zolmar::btn::Clicked, this, [this, i] { btnOrden_Click(i); });
  connect(btnGuardar, &zolmar::btn::Clicked, this, &FrmArboles::btnGuardar_Click);
  connect(btnCancelar, &zolmar::btn::Clicked, this, &FrmArboles::btnCancelar_Click);
  connect(btnFrames, &zolmar::btn::Clicked, this, &FrmArboles::btnFrames_Click);
  connect(chkContar, &zolmar::btn::Clicked, this, &FrmArboles::chkContar_Click);
}

}  // namespace arboles
