#include "zolmar/report/report_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "zolmar/report/rpt_generar.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/grid.h"
#include "zolmar/ui/lbl.h"

namespace zolmar {

namespace {

get* comboEntry(QWidget* parent, const char* name) {
  auto* g = new get(parent);
  g->setObjectName(QString::fromLatin1(name));
  g->setEnabledCombo(true);
  return g;
}

}  // namespace

ReportPanel::ReportPanel(QWidget* parent) : QWidget(parent) {
  lblTipoProceso = new lbl(QStringLiteral("Proceso"), this);
  getTipoProceso = comboEntry(this, "getTipoProceso");
  lblPreSets = new lbl(QStringLiteral("Configuración"), this);
  getPreSets = comboEntry(this, "getPreSets");
  lblModelo = new lbl(QStringLiteral("Modelo"), this);
  getModelo = comboEntry(this, "getModelo");
  lblOrden = new lbl(QStringLiteral("Orden"), this);
  getOrden = comboEntry(this, "getOrden");
  btnPreSets[0] = new btn(QStringLiteral("Guardar"), this);
  btnPreSets[1] = new btn(QStringLiteral("Borrar"), this);
  btnModelo[0] = new btn(QStringLiteral("Campos..."), this);
  btnModelo[1] = new btn(QStringLiteral("Guardar"), this);
  btnOrden[0] = new btn(QStringLiteral("Elegir..."), this);
  btnOrden[1] = new btn(QStringLiteral("Descendente"), this);
  btnOrden[1]->setCheckButton(true);
  chkLimite = new btn(QStringLiteral("Limitar a"), this);
  chkLimite->setCheckButton(true);
  getLimite = new get(this);
  getLimite->setTipoDato(get::Entero);
  getLimite->setAlignment(get::Derecha);
  getLimite->setText(QStringLiteral("1000"));
  btnSQLExpert = new btn(QStringLiteral("SQL experto..."), this);
  btnDefaults = new btn(QStringLiteral("Valores por defecto"), this);
  btnFrames[0] = new btn(QStringLiteral("Filtros"), this);
  btnFrames[1] = new btn(QStringLiteral("Resultado"), this);
  btnReturnFilter = new btn(QStringLiteral("Devolver filtro"), this);
  btnReturnFilter->setVisible(false);
  grdBusqueda = new Grid(this);
  grdBusqueda->setObjectName(QStringLiteral("grdBusqueda"));
  grdBusqueda->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdBusqueda->setSelectionBehavior(QAbstractItemView::SelectRows);
  rptGenerar = new RptGenerar(this);

  auto* options = new QGridLayout();
  const QList<std::tuple<lbl*, get*, btn*, btn*>> rows = {
      {lblTipoProceso, getTipoProceso, nullptr, nullptr},
      {lblPreSets, getPreSets, btnPreSets[0], btnPreSets[1]},
      {lblModelo, getModelo, btnModelo[0], btnModelo[1]},
      {lblOrden, getOrden, btnOrden[0], btnOrden[1]}};
  int r = 0;
  for (const auto& [label, entry, first, second] : rows) {
    options->addWidget(label, r, 0);
    options->addWidget(entry, r, 1);
    if (first) options->addWidget(first, r, 2);
    if (second) options->addWidget(second, r, 3);
    ++r;
  }
  options->addWidget(chkLimite, r, 0);
  options->addWidget(getLimite, r, 1);
  options->addWidget(btnSQLExpert, r, 2);
  options->addWidget(btnDefaults, r, 3);
  options->setColumnStretch(1, 1);

  filters_ = new QWidget(this);
  new QVBoxLayout(filters_);
  frames_ = new QStackedWidget(this);
  frames_->addWidget(filters_);
  frames_->addWidget(grdBusqueda);
  auto* switches = new QHBoxLayout();
  switches->addWidget(btnFrames[0]);
  switches->addWidget(btnFrames[1]);
  switches->addStretch(1);
  auto* bottom = new QHBoxLayout();
  bottom->addWidget(btnReturnFilter);
  bottom->addWidget(rptGenerar, 1);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(0, 0, 0, 0);
  all->addLayout(options);
  all->addLayout(switches);
  all->addWidget(frames_, 1);
  all->addLayout(bottom);
  for (int i = 0; i < 2; ++i) connect(btnFrames[i], &btn::Clicked, this, [this, i] { ShowFrame(i); });
}

void ReportPanel::ShowFrame(qint32 index) { frames_->setCurrentIndex(index == 1 ? 1 : 0); }

qint32 ReportPanel::VisibleFrame() const { return frames_->currentIndex(); }

}  // namespace zolmar
