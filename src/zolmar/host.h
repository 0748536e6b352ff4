#pragma once
// The reference host in one object: a program opens a database with it and
// hands its globals to the module's classes.
//
//   auto host = zolmar::Host::open("empresa.db");   // the schema is created when new
//   host->useScriptedUserInterface();                // tests only
//   auto oAppGlobal = host->appGlobal();
//
// open() accepts a file, ":memory:" or "odbc:..." and throws std::runtime_error
// (with the database's reason) when the connection cannot be opened or the
// file is not a database. The session's table locks go with the Host.

#include <QString>
#include <memory>

namespace arboles {
class IAppGlobal;
}

namespace zolmar {

class AppGlobal;
class Connection;
class LockManager;
class ScriptedUserInterface;
class UserInterface;

class Host {
 public:
  static std::unique_ptr<Host> open(const QString& pathOrMemoryOrOdbc);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Fills the small demo company the tests use; throws std::runtime_error on failure.
  void sampleData();
  // The same company with its full catalogue (about 300 categories, 2,000
  // articles, 200 customers): what a person first sees in the programs.
  void demoCompany();
  // Every message and question goes to a ScriptedUserInterface from now on.
  void useScriptedUserInterface();
  // Only after useScriptedUserInterface(); throws std::logic_error otherwise.
  ScriptedUserInterface& scriptedUserInterface();
  UserInterface& userInterface();

  std::shared_ptr<arboles::IAppGlobal> appGlobal();
  // The same object with the host's own members.
  std::shared_ptr<AppGlobal> app() { return app_; }
  std::shared_ptr<Connection> connection() { return cn_; }
  LockManager& locks() { return *locks_; }

 private:
  void fillSample(bool withCatalogue);
  explicit Host(std::shared_ptr<Connection> cn);
  void registerHostClasses();

  std::shared_ptr<Connection> cn_;
  std::shared_ptr<LockManager> locks_;
  std::shared_ptr<AppGlobal> app_;
  std::shared_ptr<ScriptedUserInterface> scripted_;
};

}  // namespace zolmar
