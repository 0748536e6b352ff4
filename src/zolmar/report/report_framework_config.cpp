// Stored configurations, presets, models and defaults of the report framework.

#include <utility>

#include "host/i_app_global.h"
#include "host/i_host_objects.h"
#include "zolmar/report/frm_modelo_informe.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/report/report_panel.h"
#include "zolmar/report/report_store.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

namespace zolmar {

namespace {

const QString kPreSet = QStringLiteral("PRESET:");
const QString kModelo = QStringLiteral("MODELO:");
const QString kDefectos = QStringLiteral("DEFECTOS");
const QString kDiseno = QString::fromUtf8("DISEÑO");

get* entryNamed(QWidget* window, const QString& name) {
  for (get* g : window->findChildren<get*>())
    if (g->objectName().compare(name, Qt::CaseInsensitive) == 0) return g;
  return nullptr;
}

QVariant valueOf(QWidget* control) {
  if (auto* g = qobject_cast<get*>(control)) return g->Text();
  if (auto* b = qobject_cast<btn*>(control)) return b->Value();
  return QVariant();
}

}  // namespace

bool ReportFramework::LoadConfig(const QString& key, qint32 proceso) {
  // Without a key the window's own name keeps its configurations apart.
  key_ = key.isEmpty() ? window_->objectName().toUpper() : key;
  if (sinGuardada_) return CargarPreSetInicial(proceso);
  const QString text = store_->Load(key_, QString(), proceso);
  if (text.isEmpty()) {
    defectos_ = true;
    return false;
  }
  ApplyConfig(ReportConfig::FromText(text));
  return true;
}

void ReportFramework::SinConfiguracionGuardada(const QString& preset) {
  sinGuardada_ = true;
  remember_ = false;
  presetInicial_ = preset;
}

bool ReportFramework::CargarPreSetInicial(qint32 proceso) {
  presetFalta_ = false;
  if (presetInicial_.isEmpty()) return false;
  const QString text = store_->Load(key_, kPreSet + presetInicial_, 0);
  if (text.isEmpty()) {
    presetFalta_ = true;
    return false;
  }
  ReportConfig c = ReportConfig::FromText(text);
  if (proceso != 0) c.process = proceso;
  ApplyConfig(c);
  return true;
}

ReportConfig ReportFramework::CurrentConfig() {
  ReportConfig c;
  c.process = proceso_;
  c.model = panel_->getModelo->Text().trimmed();
  c.fields = selected_;
  c.order = panel_->getOrden->Text().trimmed();
  c.descending = panel_->btnOrden[1]->Value() == 1;
  c.limitOn = LimiteActivo();
  c.limit = Limite();
  c.extraFields = extraFields_;
  c.extraCondition = extraCondition_;
  c.extraJoins = extraJoins_;
  ReportCfgList list;
  emit SaveCfg(list);
  for (const ReportCfgEntry& e : list) c.entries.append({e.name.toUpper(), valueOf(e.control)});
  return c;
}

void ReportFramework::ApplyConfig(const ReportConfig& c) {
  // The process is taken quietly: the window prepares its filters afterwards.
  for (const auto& entry : procesos_)
    if (entry.first == c.process) SeleccionarProceso(c.process);
  {
    const QSignalBlocker quiet(panel_->getModelo);
    panel_->getModelo->setText(c.model);
  }
  selected_ = c.fields;
  SetOrden(c.order, c.descending);
  SetLimite(c.limitOn, c.limit);
  SetExtras(c.extraFields, c.extraCondition, c.extraJoins);
  pendientes_ = c.entries;
}

void ReportFramework::SaveConfig(const QString& name) {
  if (key_.isEmpty()) return;
  store_->Save(key_, name, proceso_, CurrentConfig().ToText());
}

void ReportFramework::CargarModelos() {
  panel_->getModelo->setToolTipText(Modelos().join(QStringLiteral(", ")));
}

void ReportFramework::CargarPreSets() {
  panel_->getPreSets->setToolTipText(PreSets().join(QStringLiteral(", ")));
}

void ReportFramework::CargarOrdenes() {
  // A tree is drawn in key order whatever the person chose.
  panel_->getOrden->setShownEnabled(!arbol_);
  panel_->btnOrden[0]->setEnabled(!arbol_);
  panel_->btnOrden[1]->setEnabled(!arbol_);
}

void ReportFramework::MostrarLimite() { panel_->getLimite->setShownEnabled(LimiteActivo()); }

void ReportFramework::Preparado() {
  const bool search = !search_.isEmpty();
  panel_->getModelo->setShownEnabled(!search);
  panel_->btnModelo[0]->setEnabled(!search);
  panel_->btnModelo[1]->setEnabled(!search);
  emit ShowGets();
  // The stored values go into the filters the process has just prepared.
  for (const auto& [name, value] : std::exchange(pendientes_, {})) emit SetCfg(name, value);
  if (std::exchange(defectos_, false)) AplicarDefectos();
}

bool ReportFramework::GuardarPreSet(const QString& name) {
  if (name.isEmpty() || key_.isEmpty()) return false;
  const bool ok = store_->Save(key_, kPreSet + name, proceso_, CurrentConfig().ToText());
  CargarPreSets();
  return ok;
}

bool ReportFramework::CargarPreSet(const QString& name) {
  if (name.isEmpty()) return false;
  const QString text = store_->Load(key_, kPreSet + name, 0);
  if (text.isEmpty()) return false;
  ApplyConfig(ReportConfig::FromText(text));
  emit CfgProcesos();
  Preparado();
  return true;
}

void ReportFramework::BorrarPreSet(const QString& name) {
  if (name.isEmpty()) return;
  store_->Remove(key_, kPreSet + name);
  CargarPreSets();
}

QStringList ReportFramework::PreSets() const { return store_->Names(key_, kPreSet); }

bool ReportFramework::GuardarModelo(const QString& name) {
  if (name.isEmpty() || key_.isEmpty()) return false;
  ReportConfig c;
  c.model = name;
  for (const ReportField& f : CamposSeleccionados()) c.fields << f.expression;
  c.extraFields = extraFields_;
  c.extraCondition = extraCondition_;
  c.extraJoins = extraJoins_;
  const bool ok = store_->Save(key_, kModelo + name, 0, c.ToText());
  CargarModelos();
  return ok;
}

bool ReportFramework::CargarModelo(const QString& name) {
  if (name.isEmpty()) return false;
  const QString text = store_->Load(key_, kModelo + name, 0);
  if (text.isEmpty()) return false;
  const ReportConfig c = ReportConfig::FromText(text);
  selected_ = c.fields;
  SetExtras(c.extraFields, c.extraCondition, c.extraJoins);
  return true;
}

QStringList ReportFramework::Modelos() const { return store_->Names(key_, kModelo); }

bool ReportFramework::EditarModelo() {
  FrmModeloInforme frm;
  QStringList current;
  for (const ReportField& f : CamposSeleccionados()) current << f.expression;
  frm.Cargar(catalogue_, current, extraFields_, extraCondition_, extraJoins_);
  frm.Show();
  Esperar(&frm);
  if (!frm.Aceptado()) return false;
  selected_ = frm.Seleccion();
  SetExtras(frm.getCamposExtra->Text(), frm.getCondicionExtra->Text(), frm.getUnionesExtra->Text());
  return true;
}

void ReportFramework::GuardarDefectos(const QList<std::pair<QString, QString>>& campos,
                                      const QStringList& ids) {
  QStringList captions;
  for (const auto& campo : campos) captions << campo.first;
  const QString question = app_->FormatMessage(
      QString::fromUtf8("¿Desea guardar los valores actuales de <B>%1</B> como valores por defecto?"),
      {captions.join(QStringLiteral(", "))});
  if (!app_->AskYesNo(question, 4, QStringLiteral("Valores por defecto"), 32514)) return;
  ReportConfig c;
  for (const auto& campo : campos)
    if (get* g = entryNamed(window_, campo.second)) c.entries.append({campo.second, g->Text()});
  for (const QString& id : ids)
    if (get* g = entryNamed(window_, id)) c.entries.append({id, g->Text()});
  store_->Save(key_, kDefectos, 0, c.ToText());
}

void ReportFramework::AplicarDefectos() {
  const QString text = store_->Load(key_, kDefectos, 0);
  if (text.isEmpty()) return;
  for (const auto& [name, value] : ReportConfig::FromText(text).entries)
    // An id entry is read-only to the person, not to its stored default.
    if (get* g = entryNamed(window_, name); g && (g->ReadOnly() ? g->isEnabled() : !g->Locked()))
      g->setText(value.toString());
}

void ReportFramework::SaveOptions(qint32) { SaveConfig(); }

void ReportFramework::SaveReportDesign(const QString& design) { store_->Save(key_, kDiseno, 0, design); }

void ReportFramework::Close() {
  if (remember_) SaveConfig();
  if (preview_) preview_->close();
}

void ReportFramework::Esperar(QWidget* form) {
  if (auto waiter = app_->GetFormWaiter()) waiter->WaitFormClosed(form);
}

}  // namespace zolmar
