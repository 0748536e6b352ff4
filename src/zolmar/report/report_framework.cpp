#include "zolmar/report/report_framework.h"

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_host_objects.h"
#include "host/i_recordset.h"
#include "zolmar/report/frm_sql_experto.h"
#include "zolmar/report/report_panel.h"
#include "zolmar/report/report_query.h"
#include "zolmar/report/report_store.h"
#include "zolmar/report/rpt_generar.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/grid.h"
#include "zolmar/ui/popup_menu.h"

namespace zolmar {

ReportFramework::ReportFramework(std::shared_ptr<arboles::IAppGlobal> app,
                                 std::shared_ptr<arboles::IConnection> cn, QWidget* window)
    : QObject(window),
      app_(std::move(app)),
      cn_(std::move(cn)),
      store_(std::make_unique<ReportStore>(cn_)),
      window_(window),
      panel_(new ReportPanel(window)) {
  ConnectPanel();
  if (app_ && !FrmSqlExperto::Permitido(*app_, false)) panel_->btnSQLExpert->hide();
}

ReportFramework::~ReportFramework() {
  if (preview_) preview_->deleteLater();
}

void ReportFramework::ConnectPanel() {
  ReportPanel* p = panel_;
  connect(p->getTipoProceso, &get::Change, this, [this] { ProcesoTecleado(); });
  connect(p->getTipoProceso, &get::Combo, this, [this] { ElegirProceso(); });
  // The entry's search key presses the first button beside it, its open key the second.
  for (auto [entry, buttons] : {std::pair{p->getPreSets, p->btnPreSets},
                                std::pair{p->getModelo, p->btnModelo}, std::pair{p->getOrden, p->btnOrden}}) {
    connect(entry, &get::Buscar, buttons[0], [b = buttons[0]] { b->Click(); });
    connect(entry, &get::Abrir, buttons[1], [b = buttons[1]] { b->Click(); });
  }
  connect(p->getPreSets, &get::Change, this, [this] { CargarPreSet(panel_->getPreSets->Text().trimmed()); });
  connect(p->getPreSets, &get::Combo, this,
          [this] { ElegirNombre(panel_->getPreSets, PreSets(), QStringLiteral("Configuraciones")); });
  connect(p->btnPreSets[0], &btn::Clicked, this,
          [this] { GuardarPreSet(panel_->getPreSets->Text().trimmed()); });
  connect(p->btnPreSets[1], &btn::Clicked, this,
          [this] { BorrarPreSet(panel_->getPreSets->Text().trimmed()); });
  connect(p->getModelo, &get::Change, this, [this] { CargarModelo(panel_->getModelo->Text().trimmed()); });
  connect(p->getModelo, &get::Combo, this,
          [this] { ElegirNombre(panel_->getModelo, Modelos(), QStringLiteral("Modelos")); });
  connect(p->btnModelo[0], &btn::Clicked, this, [this] { EditarModelo(); });
  connect(p->btnModelo[1], &btn::Clicked, this,
          [this] { GuardarModelo(panel_->getModelo->Text().trimmed()); });
  connect(p->getOrden, &get::Combo, this, [this] { ElegirOrden(); });
  connect(p->btnOrden[0], &btn::Clicked, this, [this] { ElegirOrden(); });
  connect(p->chkLimite, &btn::Clicked, this, [this] { MostrarLimite(); });
  connect(p->btnSQLExpert, &btn::Clicked, this, [this] { MostrarSQLExperto(); });
  connect(p->grdBusqueda, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { ElegirFila(row); });
}

void ReportFramework::ClearProcesos() { procesos_.clear(); }

void ReportFramework::AddProceso(qint32 number, const QString& caption) {
  procesos_.append({number, caption});
}

void ReportFramework::SeleccionarProceso(qint32 number) {
  proceso_ = number;
  for (const auto& [n, caption] : procesos_)
    if (n == number && panel_->getTipoProceso->Text() != caption) {
      const QSignalBlocker quiet(panel_->getTipoProceso);
      panel_->getTipoProceso->setText(caption);
    }
}

void ReportFramework::SetProceso(qint32 number) {
  SeleccionarProceso(number);
  emit CfgProcesos();
  emit ShowGets();
}

void ReportFramework::ProcesoTecleado() {
  const QString typed = panel_->getTipoProceso->Text().trimmed();
  for (const auto& [n, caption] : procesos_)
    if (caption.compare(typed, Qt::CaseInsensitive) == 0 && n != proceso_) SetProceso(n);
}

void ReportFramework::ElegirProceso() {
  PopupMenu menu;
  for (const auto& entry : procesos_) menu.Add(entry.second);
  const qint32 chosen = menu.Show(QStringLiteral("Proceso"), panel_->getTipoProceso);
  if (chosen > 0) SetProceso(procesos_.at(chosen - 1).first);
}

void ReportFramework::ElegirNombre(get* entry, const QStringList& names, const QString& title) {
  if (names.isEmpty()) return;
  PopupMenu menu;
  for (const QString& name : names) menu.Add(name);
  const qint32 chosen = menu.Show(title, entry);
  if (chosen > 0) entry->setText(names.at(chosen - 1));
}

void ReportFramework::SetProcesoArbol(bool on) {
  arbol_ = on;
  CargarOrdenes();
}

void ReportFramework::SetCamposBusqueda(const ReportFields& columns) {
  search_ = columns;
  catalogue_.clear();
  Grid* grid = panel_->grdBusqueda;
  grid->Clear();
  grid->setColumnCount(0);
  for (const ReportField& c : columns) grid->AddColumn(c.caption, c.width);
  searchIds_.clear();
  panel_->ShowFrame(1);
}

void ReportFramework::SetCatalogo(const ReportFields& catalogue, qint32 defaultCount) {
  catalogue_ = catalogue;
  search_.clear();
  defaultCount_ = defaultCount;
  panel_->ShowFrame(0);
}

ReportFields ReportFramework::CamposSeleccionados() const {
  ReportFields fields;
  for (qint32 i = 0; i < catalogue_.size(); ++i)
    if (selected_.isEmpty() ? i < defaultCount_ : selected_.contains(catalogue_.at(i).expression))
      fields.append(catalogue_.at(i));
  return fields;
}

void ReportFramework::SetOrden(const QString& caption, bool descending) {
  panel_->getOrden->setText(caption);
  panel_->btnOrden[1]->setChecked(descending);
}

QString ReportFramework::Orden() const {
  const QString caption = panel_->getOrden->Text().trimmed();
  if (caption.isEmpty() || arbol_) return QString();
  for (const ReportField& f : catalogue_.isEmpty() ? search_ : catalogue_)
    if (f.caption.compare(caption, Qt::CaseInsensitive) == 0)
      return f.Bare() + (panel_->btnOrden[1]->Value() ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
  return QString();
}

void ReportFramework::ElegirOrden() {
  const ReportFields& fields = catalogue_.isEmpty() ? search_ : catalogue_;
  PopupMenu menu;
  menu.Add(QStringLiteral("(sin orden)"));
  for (const ReportField& f : fields) menu.Add(f.caption);
  const qint32 chosen = menu.Show(QStringLiteral("Orden"), panel_->getOrden);
  if (chosen == 1) panel_->getOrden->setText(QString());
  if (chosen > 1) panel_->getOrden->setText(fields.at(chosen - 2).caption);
}

bool ReportFramework::LimiteActivo() const { return panel_->chkLimite->Value() == 1; }

qint32 ReportFramework::Limite() const { return std::max(1, panel_->getLimite->Text().trimmed().toInt()); }

void ReportFramework::SetLimite(bool on, qint32 limit) {
  panel_->chkLimite->setChecked(on);
  panel_->getLimite->setText(QString::number(std::max(1, limit)));
  MostrarLimite();
}

void ReportFramework::SetExtras(const QString& fields, const QString& condition, const QString& joins) {
  extraFields_ = fields.trimmed();
  extraCondition_ = condition.trimmed();
  extraJoins_ = joins.trimmed();
}

bool ReportFramework::GetFields(QString& fields, QString& order) {
  QStringList items;
  for (const ReportField& f : search_.isEmpty() ? CamposSeleccionados() : search_) items << f.SelectItem();
  fields = items.join(QStringLiteral(", "));
  order.clear();
  return !items.isEmpty();
}

void ReportFramework::SetVariable(const QString& name, const QString& value) {
  engine_.Data().SetVariable(name, value);
}

arboles::RecordsetPtr ReportFramework::Abrir(ReportQuery& query, const QString& sql) {
  // The SQL editor only wants the statement.
  if (capture_) {
    captured_ = sql;
    return nullptr;
  }
  auto rs = query.Open(*cn_, sql);
  if (!rs) lastError_ = query.LastError();
  return rs;
}

void ReportFramework::EjecutarBusqueda(ReportQuery& query, const QString& sql) {
  auto rs = Abrir(query, sql);
  if (!rs) return;
  Grid* grid = panel_->grdBusqueda;
  grid->Clear();
  searchIds_.clear();
  grid->setRows(rs->RecordCount());
  for (qint32 row = 0; rs->Read(); ++row) {
    searchIds_.append(rs->Field(QStringLiteral("SearchedID")).toInt());
    for (qint32 c = 0; c < search_.size(); ++c)
      grid->setTextMatrix(row, c, rs->Field(search_.at(c).Alias()).toString().trimmed());
  }
  panel_->ShowFrame(1);
  produced_ = true;
}

void ReportFramework::EjecutarInforme(ReportQuery& query, const QString& sql) {
  auto rs = Abrir(query, sql);
  if (!rs) return;
  ReportData data;
  data.columns = CamposSeleccionados();
  for (const QString& extra : ReportField::SplitList(extraFields_)) {
    ReportField f{QString(), extra, 15, true};
    f.expression = f.Alias().mid(2);  // what the result calls the column
    for (qint32 i = 0; i < rs->FieldCount(); ++i)
      if (rs->FieldName(i).compare(f.expression, Qt::CaseInsensitive) == 0) f.expression = rs->FieldName(i);
    f.caption = f.expression;
    data.columns.append(f);
  }
  data.rows = rs;
  data.variables = engine_.Data().variables;
  for (const auto& [n, caption] : procesos_)
    if (n == proceso_) data.defaultTitle = caption;
  engine_.SetData(std::move(data));
  produced_ = true;
}

void ReportFramework::ElegirFila(qint32 row) {
  if (row < 0 || row >= searchIds_.size()) return;
  searchedId_ = searchIds_.at(row);
  emit CerrarVentana();
}

}  // namespace zolmar
