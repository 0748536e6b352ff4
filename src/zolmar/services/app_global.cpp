#include "zolmar/services/app_global.h"

#include <QApplication>
#include <QRegularExpression>
#include <cstdlib>

#include "host/host_types.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/services/backup_service.h"
#include "zolmar/services/comments.h"
#include "zolmar/services/common_search_list.h"
#include "zolmar/services/control_marker.h"
#include "zolmar/services/form_waiter.h"
#include "zolmar/services/globales.h"
#include "zolmar/services/key_map.h"
#include "zolmar/services/main_menu_grid.h"
#include "zolmar/services/qt_catalogue.h"
#include "zolmar/services/text_to_id.h"
#include "zolmar/services/user_interface.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/status_bar_help.h"

namespace zolmar {

namespace {

bool windowRefusesToClose(QWidget* form) {
  if (auto* basico = qobject_cast<FrmBasico*>(form)) return basico->AppQueryUnload();
  return false;
}

qint64 shortcutKey(qint32 keyCode, qint32 shift) {
  return (static_cast<qint64>(keyCode) << 8) | (shift & 0xff);
}

void quitProgram() {
  QApplication::closeAllWindows();
  std::exit(EXIT_FAILURE);
}

}  // namespace

AppGlobal::AppGlobal(std::shared_ptr<Connection> cn, std::shared_ptr<LockManager> locks,
                     std::shared_ptr<UserInterface> ui)
    : cn_(std::move(cn)),
      locks_(std::move(locks)),
      ui_(std::move(ui)),
      forms_(translator_),
      data_(cn_),
      windows_(windowRefusesToClose),
      eventErrors_(cn_, locks_),
      haltAction_(quitProgram) {
  globales_ = std::make_shared<Globales>(cn_);
}

AppGlobal::~AppGlobal() = default;

std::shared_ptr<arboles::IGlobales> AppGlobal::GetGlobales() { return globales_; }

QString AppGlobal::Translate(const QString& text) { return translator_.translate(text); }

// The host's look: every window carries the program's icon, as its main window does.
void AppGlobal::StyleWindow(QWidget* form) {
  if (form && !QApplication::windowIcon().isNull()) form->setWindowIcon(QApplication::windowIcon());
}

void AppGlobal::ConnectStatusBar(QWidget* form, QStatusBar* bar) { StatusBarHelp::Connect(form, bar); }

qint32 AppGlobal::loadTranslations() {
  translator_.clear();
  const QString language = GetConfig().value(QStringLiteral("CFG_IDIOMA")).toString();
  QtCatalogue::install(language);
  return Translator::isSpanish(language) ? 0 : translator_.load(*cn_, language.trimmed());
}

QString AppGlobal::FormatMessage(const QString& templ, const QVariantList& params) {
  static const QRegularExpression placeholder(QStringLiteral("%(\\d+)"));
  QString result;
  qsizetype last = 0;
  auto it = placeholder.globalMatch(templ);
  while (it.hasNext()) {
    const auto m = it.next();
    const qsizetype index = m.captured(1).toLongLong() - 1;
    result += templ.mid(last, m.capturedStart() - last);
    result += index >= 0 && index < params.size() ? params.at(index).toString() : m.captured(0);
    last = m.capturedEnd();
  }
  return result + templ.mid(last);
}

void AppGlobal::ShowMessage(const QString& text, qint32 buttons, const QString& title, qint32 icon) {
  ui_->showMessage(text, buttons, title, icon);
}

bool AppGlobal::AskYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) {
  return ui_->askYesNo(text, buttons, title, icon);
}

qint32 AppGlobal::AskRecordQuestion(qint32 kind, const QString& text) {
  QString question = text;
  if (question.isEmpty() && kind == 0)
    question = Translate(QStringLiteral("¿Desea guardar los cambios realizados?"));
  if (question.isEmpty() && kind == 1)
    question = Translate(QStringLiteral("¿Desea descartar los cambios realizados?"));
  return ui_->askRecordQuestion(kind, question, Translate(QStringLiteral("Confirmación")));
}

void AppGlobal::ShowWait(const QString& text) { ui_->showWait(text); }

bool AppGlobal::CanOpenWindow(const QString& windowName, qint32, qint32 b, qint32) {
  QString error;
  if (data_.windowAllowed(user_, windowName, &error)) return true;
  // A permission that could not be read is not a permission: the window stays
  // closed and the person learns why, whether or not refusals are reported.
  if (!error.isEmpty()) {
    ui_->showMessage(
        FormatMessage(Translate(QStringLiteral(
                          "No se ha podido comprobar el permiso para abrir la ventana <B>%1</B>:<BR>%2")),
                      {windowName, error}),
        0, Translate(QStringLiteral("Acceso denegado")), arboles::IconError);
    return false;
  }
  if (b != 0)
    ui_->showMessage(
        FormatMessage(Translate(QStringLiteral("No tiene permiso para abrir la ventana <B>%1</B>.")),
                      {windowName}),
        0, Translate(QStringLiteral("Acceso denegado")), arboles::IconWarning);
  return false;
}

bool AppGlobal::LockTable(qint32 kind, bool lock, const QString& table, qint32 reserved,
                          const QString& filter, qint32 lockKind) {
  if (!locks_) return lock;
  const bool refused = locks_->LockTable(kind, lock, table, reserved, filter, lockKind);
  if (lock && !refused) eventErrors_.locked(table, filter);
  return refused;
}

qint32 AppGlobal::BeginEventHandler() { return eventErrors_.begin(); }

void AppGlobal::EndEventHandler(qint32 mark) { eventErrors_.end(mark); }

bool AppGlobal::HandleEventError(qint32 mark, const QString& formName, const QString& message) {
  eventErrors_.handle(*this, mark, formName, message);
  return true;
}

bool AppGlobal::DeleteComment(qint32 id, qint32) { return data_.deleteComment(id); }

std::shared_ptr<arboles::IFormWaiter> AppGlobal::GetFormWaiter() {
  return std::make_shared<FormWaiter>(weak_from_this());
}

QVariantMap AppGlobal::GetConfig() { return data_.configuration(); }

QByteArray AppGlobal::WindowPlacement(const QString& formName) {
  const QString key = formName.toLower();
  if (windowSettings_) return windowSettings_->value(QStringLiteral("Ventanas/") + key).toByteArray();
  return placements_.value(key);
}

void AppGlobal::SaveWindowPlacement(const QString& formName, const QByteArray& geometry) {
  const QString key = formName.toLower();
  if (windowSettings_)
    windowSettings_->setValue(QStringLiteral("Ventanas/") + key, geometry);
  else
    placements_.insert(key, geometry);
}

// The comments live in the company database itself.
QString AppGlobal::CommentsDatabase() { return cn_->catalogName(); }

// A copy that cannot be made is no reason to stop the person's work, but the
// person decides: the operation is the one that cannot be undone.
bool AppGlobal::CopiaDeSeguridad(const QString& cOperacion) {
  BackupService copias(cn_, locks_.get());
  if (!copias.unavailableReason().isEmpty() || !copias.automatic()) return true;
  QString error;
  if (!copias.make(cOperacion, &error).isEmpty()) return true;
  return AskYesNo(
      FormatMessage(Translate(QString::fromUtf8("No se pudo hacer la copia de seguridad antes de <B>%1</B>:"
                                                "<BR>%2<BR><BR>¿Desea continuar sin copia de seguridad?")),
                    {Translate(cOperacion), error}),
      arboles::ButtonsYesNo + arboles::DefaultSecondButton, Translate(QStringLiteral("Copia de seguridad")),
      arboles::IconWarning);
}

void AppGlobal::SetConfig(const QString& key, const QVariant& value) {
  data_.setConfiguration(key, value.toString());
}

bool AppGlobal::IsWindowOpen(const QString& formName) { return windows_.isOpen(formName); }

qint32 AppGlobal::RegisterWindow(QWidget* form, const QString& name) { return windows_.add(form, name); }

void AppGlobal::UnregisterWindow(qint32 handle) { windows_.remove(handle); }

bool AppGlobal::AppQueryUnload() { return windows_.queryUnload(); }

bool AppGlobal::HandleShortcut(qint32 keyCode, qint32 shift) {
  const auto it = shortcuts_.constFind(shortcutKey(keyCode, shift));
  if (it == shortcuts_.constEnd()) return false;
  it.value()();
  return true;
}

qint32 AppGlobal::MapKey(qint32 keyCode, qint32 shift, qint32 mode) {
  const qint32 action = KeyMap::map(keyCode, shift);
  return mode == KeyMap::DialogMode && action == KeyMap::Save ? KeyMap::AcceptOrCancel : action;
}

bool AppGlobal::FormGuard(QWidget* form) { return forms_.guard(form); }

bool AppGlobal::CloseCheck(QWidget* form) { return forms_.closeCheck(form); }

QString AppGlobal::ValidateEntry(QWidget* entry) { return forms_.validateEntry(entry); }

void AppGlobal::SetWaitState(QWidget* form, bool on) { forms_.setWaitState(form, on); }

QString AppGlobal::Pad(const QString& text, qint32 length, const QString& fill, qint32 side) {
  const QChar c = fill.isEmpty() ? QLatin1Char(' ') : fill.at(0);
  return side == 0 ? text.rightJustified(length, c) : text.leftJustified(length, c);
}

void AppGlobal::LogChange(qint32 kind, const QString& table, qint32 id, const QString& description,
                          const QString& groupWord) {
  data_.logChange(user_, kind, table, id, description, groupWord);
}

void AppGlobal::HaltExecution(const QString& message, bool lForce) {
  if (ui_->askHalt(message, lForce) && haltAction_) haltAction_();
}

std::shared_ptr<arboles::IHostTableAccess> AppGlobal::CreateTableAccess(const QString& className) {
  const auto it = tableAccess_.constFind(className.toUpper());
  return it == tableAccess_.constEnd() ? nullptr : it.value()();
}

std::shared_ptr<arboles::IHostFieldValidator> AppGlobal::CreateFieldValidator(const QString& className) {
  const auto it = validators_.constFind(className.toUpper());
  return it == validators_.constEnd() ? nullptr : it.value()();
}

std::shared_ptr<arboles::IComments> AppGlobal::CreateComments() { return std::make_shared<Comments>(); }

void AppGlobal::setUserInterface(std::shared_ptr<UserInterface> ui) { ui_ = std::move(ui); }

void AppGlobal::registerTableAccess(const QString& className, TableAccessFactory factory) {
  tableAccess_.insert(className.toUpper(), std::move(factory));
}

void AppGlobal::registerFieldValidator(const QString& className, FieldValidatorFactory factory) {
  validators_.insert(className.toUpper(), std::move(factory));
}

void AppGlobal::registerPriceService(const QString& className, PriceServiceFactory factory) {
  priceServices_.insert(className.toUpper(), std::move(factory));
}

std::shared_ptr<arboles::IPriceService> AppGlobal::CreatePriceService(const QString& className) {
  const auto it = priceServices_.constFind(className.toUpper());
  return it == priceServices_.constEnd() ? nullptr : it.value()();
}

QString AppGlobal::CheckText(const QString& text) { return forms_.checkText(text); }

void AppGlobal::registerShortcut(qint32 keyCode, qint32 shift, Shortcut action) {
  shortcuts_.insert(shortcutKey(keyCode, shift), std::move(action));
}

qint32 AppGlobal::TextToID(const QString& text) { return TextToId::parse(text); }

std::shared_ptr<arboles::ICommonSearchList> AppGlobal::CreateCommonSearchList() {
  return std::make_shared<CommonSearchList>(weak_from_this());
}

void AppGlobal::MarkControl(QWidget* control, qint32 code) { ControlMarker::mark(control, code); }

void AppGlobal::Signal(qint32) {
  ++signals_;
  QApplication::beep();
}

void AppGlobal::ShowCommentState(qint32 idComentario, QWidget* ctlFicha) {
  if (auto* ficha = qobject_cast<CtlFicha*>(ctlFicha)) ficha->setCommentMarked(idComentario > 0);
}

std::shared_ptr<arboles::IListObject> AppGlobal::GetMenuGrid() {
  if (!menuGrid_) menuGrid_ = MainMenuGrid::standard();
  return menuGrid_;
}

}  // namespace zolmar
