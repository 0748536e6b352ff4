#pragma once
// Services the host gives every window: the busy guard, the close check, the
// validation of an entry against its declared limits, the wait state.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace zolmar {

class Translator;

class FormServices {
 public:
  explicit FormServices(const Translator& translator) : translator_(translator) {}
  ~FormServices();

  // False while the window is in its wait state (busy with an operation).
  bool guard(QWidget* form) const;
  // False while busy: a window cannot close in the middle of an operation.
  bool closeCheck(QWidget* form) const { return guard(form); }
  // "" when the entry's text fits its MaxLength and TipoDato (and is not empty
  // when the entry has the dynamic property "Obligatorio" set); else the reason.
  QString validateEntry(QWidget* entry) const;
  void setWaitState(QWidget* form, bool on);
  // A name typed outside an entry control: "" when it is acceptable (not blank).
  QString checkText(const QString& text) const { return validateText(text, 0, 0, true); }

 private:
  QString validateText(const QString& text, qint32 maxLength, qint32 dataType, bool required) const;

  const Translator& translator_;
  QList<QPointer<QWidget>> busy_;
};

}  // namespace zolmar
