#include "zolmar/report/id_list.h"

#include <QRegularExpression>
#include <QStringList>

namespace zolmar {

namespace {

QString refused(const QString& part, const QString& why) {
  return QString::fromUtf8(
             "La lista de fichas no es válida en «%1»: %2. Escriba los números separados por comas "
             "y use \"-\" para indicar un rango (por ejemplo: 1,5-9).")
      .arg(part, why);
}

}  // namespace

QString IdList::Check(const QString& text) {
  if (text.trimmed().isEmpty()) return QString();
  static const QRegularExpression item(QStringLiteral("^\\s*(\\d{1,9})\\s*(?:-\\s*(\\d{1,9})\\s*)?$"));
  for (const QString& part : text.split(QLatin1Char(','))) {
    if (part.trimmed().isEmpty())
      return refused(text.trimmed(), QStringLiteral("falta un número entre dos comas"));
    const auto m = item.match(part);
    if (!m.hasMatch()) return refused(part.trimmed(), QString::fromUtf8("no es un número ni un rango"));
    // "5-1" would select nothing without a word.
    if (m.hasCaptured(2) && m.captured(2).toLongLong() < m.captured(1).toLongLong())
      return refused(part.trimmed(), QString::fromUtf8("el rango empieza por el número mayor"));
  }
  return QString();
}

}  // namespace zolmar
