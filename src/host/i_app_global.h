#pragma once
// oAppGlobal: the host's application globals and user-interface services.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

#include "host/host_types.h"

class QStatusBar;
class QWidget;

namespace arboles {

class IGlobales;
class IFormWaiter;
class IHostTableAccess;
class IHostFieldValidator;
class IComments;
class ICommonSearchList;
class IListObject;
class IPriceService;

class IAppGlobal {
 public:
  virtual ~IAppGlobal() = default;

  virtual std::shared_ptr<IGlobales> GetGlobales() = 0;
  virtual QString Translate(const QString& text) = 0;
  // "%1" is element 0, "%2" element 1, ...
  virtual QString FormatMessage(const QString& templ, const QVariantList& params) = 0;
  // buttons: MessageButtons (0 OK only, 4 Yes/No, + 256 No by default). icon: MessageIcon.
  virtual void ShowMessage(const QString& text, qint32 buttons, const QString& title, qint32 icon) = 0;
  // True for Yes.
  virtual bool AskYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) = 0;
  // The host's standard record questions: kind 0 save changes (1 = Yes,
  // 2 = No, 3 = Cancel), kind 1 discard changes (1 = Yes, 2 = No only), kind 3
  // shows a text (answer 1).
  virtual qint32 AskRecordQuestion(qint32 kind, const QString& text) = 0;
  // Empty text closes the wait window.
  virtual void ShowWait(const QString& text) = 0;
  virtual bool CanOpenWindow(const QString& windowName, qint32 a = 0, qint32 b = 1, qint32 c = 0) = 0;
  // True when the lock was NOT obtained; lock False releases.
  virtual bool LockTable(qint32 kind, bool lock, const QString& table, qint32 reserved, const QString& filter,
                         qint32 lockKind) = 0;
  // True on success.
  virtual bool DeleteComment(qint32 id, qint32 flags = 0) = 0;
  virtual std::shared_ptr<IFormWaiter> GetFormWaiter() = 0;
  virtual QVariantMap GetConfig() = 0;

  // Window query: is a window of that name already open?
  virtual bool IsWindowOpen(const QString& formName) = 0;
  // Registration of the windows the host asks before it closes.
  virtual qint32 RegisterWindow(QWidget* form, const QString& name) = 0;
  virtual void UnregisterWindow(qint32 handle) = 0;
  // The application asks every registered window; True when one refuses.
  virtual bool AppQueryUnload() = 0;
  // Global shortcut handler: True when the host took the key.
  virtual bool HandleShortcut(qint32 keyCode, qint32 shift) = 0;
  // Key mapping: 1 save, 2 accept/cancel, 3 close, 0 none. Mode 3 is a
  // dialog with Aceptar / Cancelar: the save keys accept it too.
  virtual qint32 MapKey(qint32 keyCode, qint32 shift, qint32 mode = 0) = 0;
  // Form services.
  virtual bool FormGuard(QWidget* form) = 0;          // True: may proceed
  virtual bool CloseCheck(QWidget* form) = 0;         // True: may close
  virtual QString ValidateEntry(QWidget* entry) = 0;  // "" = valid
  virtual void SetWaitState(QWidget* form, bool on) = 0;
  // Text services: pad(text, length, fill, 0 left / 1 right).
  virtual QString Pad(const QString& text, qint32 length, const QString& fill, qint32 side) = 0;
  // Change log: kind 1 marked deleted, 2 modified, 3 status change.
  virtual void LogChange(qint32 kind, const QString& table, qint32 id, const QString& description,
                         const QString& groupWord) = 0;
  // Asks the application to stop; returns when the person chose to go on.
  virtual void HaltExecution(const QString& message, bool lForce) = 0;

  // Object factory ("Clientes.cTAZ_Clientes", ...). Nothing for an unknown name.
  virtual std::shared_ptr<IHostTableAccess> CreateTableAccess(const QString& className) = 0;
  virtual std::shared_ptr<IHostFieldValidator> CreateFieldValidator(const QString& className) = 0;
  virtual std::shared_ptr<IComments> CreateComments() = 0;

  // Services of the field descriptors and the pick dialog. They have a
  // neutral default so that a host without them still links.
  // An id the person referred to explicitly in a typed text ("#42", "K=42");
  // 0 when the text holds none (a bare number is not a reference).
  virtual qint32 TextToID(const QString& /*text*/) { return 0; }
  // The host's common search list; nullptr when the host has none.
  virtual std::shared_ptr<ICommonSearchList> CreateCommonSearchList() { return nullptr; }
  // Marks an entry control: 0 clears, 2 unresolved (left as typed), 3 refused.
  virtual void MarkControl(QWidget* /*control*/, qint32 /*code*/) {}
  // The host's menu grid ("omenu"): column 1 the caption ("-" for a
  // separator), column 2 the level (1 for a menu of the bar, 2 for its
  // entries, ...), rows in menu order from 1. nullptr when there is none.
  virtual std::shared_ptr<IListObject> GetMenuGrid() { return nullptr; }
  // The host's short signal (kind 0: a beep) for a command that had nothing to do.
  virtual void Signal(qint32 /*kind*/) {}
  // The comment service: the record browser shows whether the record it
  // displays has a comment (idComentario 0: none).
  virtual void ShowCommentState(qint32 /*idComentario*/, QWidget* /*ctlFicha*/) {}
  // The host's handling of an error that escapes a window's event handler.
  // The control library marks where each handler starts and ends; on an error
  // the host shows it with the window's name, rolls back every transaction
  // still open and frees the table locks taken since the mark. False: the
  // host has no such handling and the error goes on to the caller.
  virtual qint32 BeginEventHandler() { return 0; }
  virtual void EndEventHandler(qint32 /*mark*/) {}
  virtual bool HandleEventError(qint32 /*mark*/, const QString& /*formName*/, const QString& /*message*/) {
    return false;
  }
  // Outside components created by name ("Cotalia.cCotalia"); nullptr when
  // the host has none of that name.
  virtual std::shared_ptr<IPriceService> CreatePriceService(const QString& /*className*/) { return nullptr; }
  // The host's check of a typed text (a name): the reason it is refused, "" when acceptable.
  virtual QString CheckText(const QString& /*text*/) { return QString(); }
  // Name of the database that holds the comments table, as statements write
  // it before "..comentarios".
  virtual QString CommentsDatabase() { return QString(); }
  // The window service's styling of a window as it loads (the host's look).
  virtual void StyleWindow(QWidget* /*form*/) {}
  // Connects a window's status bar: it shows the tip of the control that has the focus.
  virtual void ConnectStatusBar(QWidget* /*form*/, QStatusBar* /*bar*/) {}
  // The host's main window: windows open over it and stay in front of it.
  // nullptr when the host has none.
  virtual QWidget* MainWindow() { return nullptr; }
  // Where a window of that name was last left (saved by SaveWindowPlacement);
  // empty when it has never been closed.
  virtual QByteArray WindowPlacement(const QString& /*formName*/) { return QByteArray(); }
  virtual void SaveWindowPlacement(const QString& /*formName*/, const QByteArray& /*geometry*/) {}
  // Before an operation that cannot be undone ("Ordenar por nombre", ...)
  // the host keeps a copy of the database. True when the operation may go on:
  // the copy was made, the host keeps none (a database in memory, or on a
  // server, whose server keeps them), or the person chose to go on without it.
  virtual bool CopiaDeSeguridad(const QString& /*cOperacion*/) { return true; }
  // Writes one value of the host's configuration (read back by GetConfig).
  virtual void SetConfig(const QString& /*key*/, const QVariant& /*value*/) {}
};

}  // namespace arboles
