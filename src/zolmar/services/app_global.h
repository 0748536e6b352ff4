#pragma once
// oAppGlobal of the reference host: the user-interface services, the host's
// own tables (permissions, configuration, change log, comments), the window
// register, the key mapping and the factory of the host's classes.

#include <QHash>
#include <QPointer>
#include <QSettings>
#include <QWidget>
#include <functional>
#include <memory>

#include "host/i_app_global.h"
#include "zolmar/services/event_errors.h"
#include "zolmar/services/form_services.h"
#include "zolmar/services/host_data_services.h"
#include "zolmar/services/translator.h"
#include "zolmar/services/window_registry.h"

namespace zolmar {

class Connection;
class Globales;
class LockManager;
class UserInterface;

class AppGlobal : public arboles::IAppGlobal, public std::enable_shared_from_this<AppGlobal> {
 public:
  using TableAccessFactory = std::function<std::shared_ptr<arboles::IHostTableAccess>()>;
  using FieldValidatorFactory = std::function<std::shared_ptr<arboles::IHostFieldValidator>()>;
  using Shortcut = std::function<void()>;
  using PriceServiceFactory = std::function<std::shared_ptr<arboles::IPriceService>()>;

  AppGlobal(std::shared_ptr<Connection> cn, std::shared_ptr<LockManager> locks,
            std::shared_ptr<UserInterface> ui);
  ~AppGlobal() override;

  std::shared_ptr<arboles::IGlobales> GetGlobales() override;
  QString Translate(const QString& text) override;
  QString FormatMessage(const QString& templ, const QVariantList& params) override;
  void ShowMessage(const QString& text, qint32 buttons, const QString& title, qint32 icon) override;
  bool AskYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) override;
  qint32 AskRecordQuestion(qint32 kind, const QString& text) override;
  void ShowWait(const QString& text) override;
  // b != 0: a refusal is explained to the person.
  bool CanOpenWindow(const QString& windowName, qint32 a = 0, qint32 b = 1, qint32 c = 0) override;
  bool LockTable(qint32 kind, bool lock, const QString& table, qint32 reserved, const QString& filter,
                 qint32 lockKind) override;
  bool DeleteComment(qint32 id, qint32 flags = 0) override;
  std::shared_ptr<arboles::IFormWaiter> GetFormWaiter() override;
  QVariantMap GetConfig() override;
  bool IsWindowOpen(const QString& formName) override;
  qint32 RegisterWindow(QWidget* form, const QString& name) override;
  void UnregisterWindow(qint32 handle) override;
  bool AppQueryUnload() override;
  bool HandleShortcut(qint32 keyCode, qint32 shift) override;
  qint32 MapKey(qint32 keyCode, qint32 shift, qint32 mode = 0) override;
  bool FormGuard(QWidget* form) override;
  bool CloseCheck(QWidget* form) override;
  QString ValidateEntry(QWidget* entry) override;
  void SetWaitState(QWidget* form, bool on) override;
  QString Pad(const QString& text, qint32 length, const QString& fill, qint32 side) override;
  void LogChange(qint32 kind, const QString& table, qint32 id, const QString& description,
                 const QString& groupWord) override;
  void HaltExecution(const QString& message, bool lForce) override;
  std::shared_ptr<arboles::IHostTableAccess> CreateTableAccess(const QString& className) override;
  std::shared_ptr<arboles::IHostFieldValidator> CreateFieldValidator(const QString& className) override;
  std::shared_ptr<arboles::IComments> CreateComments() override;
  qint32 TextToID(const QString& text) override;
  std::shared_ptr<arboles::ICommonSearchList> CreateCommonSearchList() override;
  void MarkControl(QWidget* control, qint32 code) override;
  void Signal(qint32 kind) override;
  void ShowCommentState(qint32 idComentario, QWidget* ctlFicha) override;
  qint32 BeginEventHandler() override;
  void EndEventHandler(qint32 mark) override;
  bool HandleEventError(qint32 mark, const QString& formName, const QString& message) override;
  std::shared_ptr<arboles::IPriceService> CreatePriceService(const QString& className) override;
  QString CheckText(const QString& text) override;
  QString CommentsDatabase() override;
  void StyleWindow(QWidget* form) override;
  void ConnectStatusBar(QWidget* form, QStatusBar* bar) override;
  QWidget* MainWindow() override { return mainWindow_; }
  QByteArray WindowPlacement(const QString& formName) override;
  void SaveWindowPlacement(const QString& formName, const QByteArray& geometry) override;
  bool CopiaDeSeguridad(const QString& cOperacion) override;
  void SetConfig(const QString& key, const QVariant& value) override;
  // The session whose locks a restore checks.
  LockManager* locks() const { return locks_.get(); }
  // Signals given so far (tests read it: the scripted interface has no sound).
  qint32 SignalCount() const { return signals_; }
  // The standard menus until the program sets the ones it shows.
  std::shared_ptr<arboles::IListObject> GetMenuGrid() override;

  // Host side.
  void setUserInterface(std::shared_ptr<UserInterface> ui);
  UserInterface& userInterface() const { return *ui_; }
  Translator& translator() { return translator_; }
  // The catalogue of the configured language ("CFG_IDIOMA", Spanish when
  // empty), read into memory; returns how many texts it holds.
  qint32 loadTranslations();
  WindowRegistry& windows() { return windows_; }
  HostDataServices& data() { return data_; }
  std::shared_ptr<Connection> connection() const { return cn_; }
  QString user() const { return user_; }
  void setUser(const QString& user) { user_ = user; }
  // Class names are compared without regard to case.
  void registerTableAccess(const QString& className, TableAccessFactory factory);
  void registerFieldValidator(const QString& className, FieldValidatorFactory factory);
  void registerPriceService(const QString& className, PriceServiceFactory factory);
  void registerShortcut(qint32 keyCode, qint32 shift, Shortcut action);
  void setMenuGrid(std::shared_ptr<arboles::IListObject> grid) { menuGrid_ = std::move(grid); }
  void setMainWindow(QWidget* window) { mainWindow_ = window; }
  // Window placements outlive the program in these settings (the person's
  // own, on this computer); without them they last as long as the session.
  void setWindowSettings(std::shared_ptr<QSettings> settings) { windowSettings_ = std::move(settings); }
  // What HaltExecution does once the person chose to stop (default: quit the process).
  void setHaltAction(std::function<void()> action) { haltAction_ = std::move(action); }

 private:
  std::shared_ptr<Connection> cn_;
  std::shared_ptr<LockManager> locks_;
  std::shared_ptr<UserInterface> ui_;
  std::shared_ptr<Globales> globales_;
  Translator translator_;
  FormServices forms_;
  HostDataServices data_;
  WindowRegistry windows_;
  EventErrors eventErrors_;
  QHash<QString, TableAccessFactory> tableAccess_;
  QHash<QString, FieldValidatorFactory> validators_;
  QHash<QString, PriceServiceFactory> priceServices_;
  QHash<qint64, Shortcut> shortcuts_;
  std::function<void()> haltAction_;
  std::shared_ptr<arboles::IListObject> menuGrid_;
  QPointer<QWidget> mainWindow_;
  std::shared_ptr<QSettings> windowSettings_;
  QHash<QString, QByteArray> placements_;
  qint32 signals_ = 0;
  QString user_ = QStringLiteral("demo");
};

}  // namespace zolmar
