#pragma once
// The person's side played by a test: messages are recorded, questions are
// answered from a queue, windows the module waits for are driven by scripts.
// Anything unexpected is reported to the failure handler (the test main makes
// it a test failure).

#include <QHash>
#include <QList>
#include <QVariant>
#include <deque>
#include <functional>

#include "zolmar/services/user_interface.h"

namespace zolmar {

struct ShownMessage {
  QString kind;  // "message", "question", "record", "choice", "halt"
  QString text;
  QString title;
  qint32 icon = 0;
  qint32 buttons = 0;  // for "record": the question kind
  QVariant answer;     // what the script answered (questions only)
};

class ScriptedUserInterface : public UserInterface {
 public:
  using FailureHandler = std::function<void(const QString&)>;
  using WindowScript = std::function<void(QWidget*)>;

  // Installed once by the test program; the default records the failure in
  // failures() and warns.
  static void setFailureHandler(FailureHandler handler);

  void showMessage(const QString& text, qint32 buttons, const QString& title, qint32 icon) override;
  bool askYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) override;
  qint32 askRecordQuestion(qint32 kind, const QString& text, const QString& title) override;
  qint32 chooseItem(const QString& title, const QStringList& items) override;
  void showWait(const QString& text) override;
  void waitFormClosed(QWidget* form) override;
  bool askHalt(const QString& message, bool force) override;

  // Answers, used in order: a bool answers a Yes/No question (an int n
  // answers it Yes when n is 1); an int answers a record question or a choice
  // (a bool there: true 1, false 2).
  void queueAnswer(bool yes);
  void queueAnswer(int answer);
  qsizetype pendingAnswers() const { return static_cast<qsizetype>(answers_.size()); }

  // Runs the script once when the module waits for a window whose object name
  // or class name (without namespace) is name; the window must be closed
  // when the script returns. Several scripts for one name run in order.
  void whenWaitingFor(const QString& name, WindowScript script);
  qsizetype pendingScripts() const;

  const QList<ShownMessage>& messages() const { return messages_; }
  // Texts of the plain messages only (no questions), in order.
  QStringList messageTexts() const;
  const QStringList& waitTexts() const { return waitTexts_; }
  bool waitWindowOpen() const { return waitOpen_; }
  const QStringList& failures() const { return failures_; }
  void clear();

  // The name the scripts are looked up by: object name, else class name.
  static QStringList windowNames(const QWidget* form);

 private:
  void fail(const QString& message);
  bool takeAnswer(QVariant* answer, const QString& about);

  std::deque<QVariant> answers_;
  QHash<QString, std::deque<WindowScript>> scripts_;
  QList<ShownMessage> messages_;
  QStringList waitTexts_;
  QStringList failures_;
  bool waitOpen_ = false;
};

}  // namespace zolmar
