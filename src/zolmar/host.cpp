#include "zolmar/host.h"

#include <stdexcept>

#include "zolmar/cotalia/cotalia.h"
#include "zolmar/cotalia/cotalia_demo.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/db/schema.h"
#include "zolmar/demo/sample_data.h"
#include "zolmar/demo/server_databases.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/qt_user_interface.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/tables/record_validator.h"
#include "zolmar/tables/taz_articulos.h"
#include "zolmar/tables/taz_clientes.h"
#include "zolmar/tables/taz_proveedores.h"
#include "zolmar/ui/database_file_guard.h"
#include "zolmar/ui/popup_menu.h"

namespace zolmar {

namespace {

[[noreturn]] void refuse(const QString& what, const QString& why) {
  throw std::runtime_error((what + QStringLiteral(": ") + why).toStdString());
}

}  // namespace

std::unique_ptr<Host> Host::open(const QString& pathOrMemoryOrOdbc) {
  QString error;
  auto cn = Connection::open(pathOrMemoryOrOdbc, &error);
  if (!cn) refuse(Connection::displayName(pathOrMemoryOrOdbc), error);
  // A SQL Server database is set up by its administrator (or "arboles init"):
  // nothing is created there on opening.
  if (!cn->isOdbc() && !Schema::create(*cn, &error)) refuse(pathOrMemoryOrOdbc, error);
  if (!cn->serverFolder().isEmpty() && !ServerDatabases::create(cn->serverFolder(), &error))
    refuse(cn->serverFolder(), error);
  if (cn->isPostgres() && !ServerDatabases::create(*cn, &error))
    refuse(Connection::displayName(pathOrMemoryOrOdbc), error);
  return std::unique_ptr<Host>(new Host(std::move(cn)));
}

Host::Host(std::shared_ptr<Connection> cn)
    : cn_(std::move(cn)),
      locks_(std::make_shared<LockManager>(cn_)),
      app_(std::make_shared<AppGlobal>(cn_, locks_, std::make_shared<QtUserInterface>())) {
  // From now on nothing else in the process may open these files.
  DatabaseFileGuard::Register(this, cn_->isServer() ? QString() : cn_->path(), cn_->serverFolder());
  registerHostClasses();
  // Captions are translated as windows are built, so the catalogue comes first.
  app_->loadTranslations();
}

Host::~Host() {
  DatabaseFileGuard::Unregister(this);
  if (locks_) locks_->releaseAll();
  if (scripted_) PopupMenu::SetChooser({});
}

void Host::registerHostClasses() {
  app_->registerTableAccess(TazClientes::kClassName, [] { return std::make_shared<TazClientes>(); });
  app_->registerTableAccess(TazProveedores::kClassName, [] { return std::make_shared<TazProveedores>(); });
  app_->registerTableAccess(TazArticulos::kClassName, [] { return std::make_shared<TazArticulos>(); });
  for (const char* name : {RecordValidator::kCustomerClassName, RecordValidator::kSupplierClassName})
    app_->registerFieldValidator(name, [] { return std::make_shared<RecordValidator>(); });
  app_->registerPriceService(cCotalia::kClassName, [] { return std::make_shared<cCotalia>(); });
}

void Host::sampleData() { fillSample(false); }

void Host::demoCompany() { fillSample(true); }

// The company, then the price service's classification file beside it.
void Host::fillSample(bool withCatalogue) {
  QString error;
  if (!SampleData::fill(*cn_, &error, withCatalogue)) refuse(QStringLiteral("Datos de ejemplo"), error);
  if (!CotaliaDemo::Instalar(*cn_, &error)) refuse(QStringLiteral("Datos de ejemplo"), error);
}

void Host::useScriptedUserInterface() {
  if (!scripted_) scripted_ = std::make_shared<ScriptedUserInterface>();
  app_->setUserInterface(scripted_);
  // A test never stops the process: the halt is only recorded.
  app_->setHaltAction({});
  // Pop-up menus of the control library are answered from the same queue.
  std::weak_ptr<ScriptedUserInterface> weak = scripted_;
  PopupMenu::SetChooser([weak](const QString& title, const QStringList& items) {
    auto ui = weak.lock();
    return ui ? ui->chooseItem(title, items) : 0;
  });
}

ScriptedUserInterface& Host::scriptedUserInterface() {
  if (!scripted_) throw std::logic_error("useScriptedUserInterface() was not called");
  return *scripted_;
}

UserInterface& Host::userInterface() { return app_->userInterface(); }

std::shared_ptr<arboles::IAppGlobal> Host::appGlobal() { return app_; }

}  // namespace zolmar
