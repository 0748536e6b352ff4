#include "zolmar/services/scripted_user_interface.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <QtDebug>

#include "zolmar/services/message_markup.h"

namespace zolmar {

namespace {

ScriptedUserInterface::FailureHandler& failureHandler() {
  static ScriptedUserInterface::FailureHandler handler;
  return handler;
}

}  // namespace

void ScriptedUserInterface::setFailureHandler(FailureHandler handler) {
  failureHandler() = std::move(handler);
}

void ScriptedUserInterface::fail(const QString& message) {
  failures_ << message;
  if (failureHandler()) {
    failureHandler()(message);
  } else {
    qWarning().noquote() << "ScriptedUserInterface:" << message;
  }
}

bool ScriptedUserInterface::takeAnswer(QVariant* answer, const QString& about) {
  if (answers_.empty()) {
    fail(QStringLiteral("Unexpected question (no answer queued): ") + MessageMarkupToPlain(about));
    return false;
  }
  *answer = answers_.front();
  answers_.pop_front();
  return true;
}

void ScriptedUserInterface::showMessage(const QString& text, qint32 buttons, const QString& title,
                                        qint32 icon) {
  messages_.append({QStringLiteral("message"), text, title, icon, buttons, QVariant()});
}

bool ScriptedUserInterface::askYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) {
  QVariant answer;
  bool yes = false;
  if (takeAnswer(&answer, text))
    yes = answer.typeId() == QMetaType::Bool ? answer.toBool() : answer.toInt() == 1;
  messages_.append({QStringLiteral("question"), text, title, icon, buttons, yes});
  return yes;
}

qint32 ScriptedUserInterface::askRecordQuestion(qint32 kind, const QString& text, const QString& title) {
  qint32 result = kind == 3 ? 1 : kind == 1 ? 2 : 3;
  if (kind != 3) {
    QVariant answer;
    if (takeAnswer(&answer, text))
      result = answer.typeId() == QMetaType::Bool ? (answer.toBool() ? 1 : 2) : answer.toInt();
  }
  // The discard question has Yes and No only: a person cannot answer 3.
  if (kind == 1 && result != 1 && result != 2) {
    fail(QStringLiteral("A discard question has no answer %1: ").arg(result) + MessageMarkupToPlain(text));
    result = 2;
  }
  messages_.append({QStringLiteral("record"), text, title, 0, kind, result});
  return result;
}

qint32 ScriptedUserInterface::chooseItem(const QString& title, const QStringList& items) {
  QVariant answer;
  qint32 result = 0;
  if (takeAnswer(&answer, title + QStringLiteral(": ") + items.join(QStringLiteral(", "))))
    result = answer.typeId() == QMetaType::Bool ? (answer.toBool() ? 1 : 0) : answer.toInt();
  messages_.append({QStringLiteral("choice"), items.join(QLatin1Char('\n')), title, 0, 0, result});
  return result;
}

void ScriptedUserInterface::showWait(const QString& text) {
  waitOpen_ = !text.isEmpty();
  if (waitOpen_) waitTexts_ << text;
}

bool ScriptedUserInterface::askHalt(const QString& message, bool force) {
  messages_.append({QStringLiteral("halt"), message, QString(), 0, force ? 1 : 0, false});
  return false;
}

void ScriptedUserInterface::queueAnswer(bool yes) { answers_.push_back(yes); }

void ScriptedUserInterface::queueAnswer(int answer) { answers_.push_back(answer); }

void ScriptedUserInterface::whenWaitingFor(const QString& name, WindowScript script) {
  scripts_[name].push_back(std::move(script));
}

qsizetype ScriptedUserInterface::pendingScripts() const {
  qsizetype n = 0;
  for (const auto& queue : scripts_) n += static_cast<qsizetype>(queue.size());
  return n;
}

QStringList ScriptedUserInterface::windowNames(const QWidget* form) {
  QStringList names;
  if (!form->objectName().isEmpty()) names << form->objectName();
  QString cls = QString::fromLatin1(form->metaObject()->className());
  names << cls.mid(cls.lastIndexOf(QLatin1Char(':')) + 1);
  return names;
}

void ScriptedUserInterface::waitFormClosed(QWidget* form) {
  if (!form || form->isHidden()) return;
  QPointer<QWidget> guard(form);
  const QStringList names = windowNames(form);
  for (const QString& name : names) {
    auto it = scripts_.find(name);
    if (it == scripts_.end() || it->empty()) continue;
    WindowScript script = std::move(it->front());
    it->pop_front();
    script(form);
    if (guard && !guard->isHidden()) fail(QStringLiteral("The script left the window open: ") + name);
    return;
  }
  fail(QStringLiteral("Unexpected wait for a window (no script): ") + names.join(QStringLiteral(" / ")));
  if (guard) guard->close();
}

QStringList ScriptedUserInterface::messageTexts() const {
  QStringList texts;
  for (const auto& m : messages_)
    if (m.kind == QLatin1String("message")) texts << m.text;
  return texts;
}

void ScriptedUserInterface::clear() {
  answers_.clear();
  scripts_.clear();
  messages_.clear();
  waitTexts_.clear();
  failures_.clear();
  waitOpen_ = false;
}

}  // namespace zolmar
