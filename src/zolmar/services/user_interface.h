#pragma once
// Every exchange with the person at the screen goes through one UserInterface:
// the Qt one shows real dialogs, the scripted one answers for tests.

#include <QString>
#include <QStringList>

class QWidget;

namespace zolmar {

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // buttons: 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4
  // Yes/No, 5 Retry/Cancel; + 256 makes the second button the default (and
  // Escape), + 512 the third. icon: arboles::MessageIcon.
  virtual void showMessage(const QString& text, qint32 buttons, const QString& title, qint32 icon) = 0;
  // True for Yes (or OK).
  virtual bool askYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) = 0;
  // The record questions: kind 0 save changes (1 Yes, 2 No, 3 Cancel); kind 1
  // discard changes (1 Yes, 2 No: no third button, Escape is No); kind 3
  // shows the text and answers 1.
  virtual qint32 askRecordQuestion(qint32 kind, const QString& text, const QString& title) = 0;
  // A pop-up choice among items; the chosen item's 1-based position, 0 for none.
  virtual qint32 chooseItem(const QString& title, const QStringList& items) = 0;
  // Empty text closes the wait window.
  virtual void showWait(const QString& text) = 0;
  // Returns once the window is closed (at once when it already is).
  virtual void waitFormClosed(QWidget* form) = 0;
  // True when the person chose to stop the program.
  virtual bool askHalt(const QString& message, bool force) = 0;
};

}  // namespace zolmar
