#include "zolmar/services/form_services.h"

#include <QApplication>
#include <QDate>
#include <QLocale>

#include "zolmar/services/translator.h"
#include "zolmar/ui/get.h"

namespace zolmar {

namespace {

bool isInteger(const QString& text) {
  bool ok = false;
  text.toLongLong(&ok);
  return ok;
}

bool isDecimal(const QString& text) {
  bool ok = false;
  QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
  return ok;
}

bool isDate(const QString& text) {
  for (const char* format : {"d/M/yyyy", "d/M/yy", "yyyy-MM-dd", "d-M-yyyy"})
    if (QDate::fromString(text, QString::fromLatin1(format)).isValid()) return true;
  return false;
}

}  // namespace

FormServices::~FormServices() {
  for (const auto& form : busy_)
    if (form) QApplication::restoreOverrideCursor();
}

bool FormServices::guard(QWidget* form) const {
  for (const auto& busy : busy_)
    if (busy && busy == form) return false;
  return true;
}

QString FormServices::validateEntry(QWidget* entry) const {
  const auto* field = qobject_cast<const get*>(entry);
  if (!field) return QString();
  return validateText(field->Text(), field->MaxLength(), field->TipoDato(),
                      entry->property("Obligatorio").toBool());
}

QString FormServices::validateText(const QString& text, qint32 maxLength, qint32 dataType,
                                   bool required) const {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty())
    return required ? translator_.translate(QStringLiteral("Este campo no puede quedar vacío")) : QString();
  if (maxLength > 0 && text.size() > maxLength)
    return translator_.translate(QStringLiteral("El texto no puede tener más de %1 caracteres"))
        .arg(maxLength);
  switch (dataType) {
    case get::Entero:
      if (!isInteger(trimmed))
        return translator_.translate(QStringLiteral("El valor debe ser un número entero"));
      break;
    case get::Decimal:
      if (!isDecimal(trimmed)) return translator_.translate(QStringLiteral("El valor debe ser un número"));
      break;
    case get::Fecha:
      if (!isDate(trimmed)) return translator_.translate(QStringLiteral("La fecha no es válida"));
      break;
    default:
      break;
  }
  return QString();
}

void FormServices::setWaitState(QWidget* form, bool on) {
  if (!form) return;
  const bool busy = !guard(form);
  if (on == busy) return;
  if (on) {
    busy_ << QPointer<QWidget>(form);
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    busy_.removeAll(QPointer<QWidget>(form));
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace zolmar
