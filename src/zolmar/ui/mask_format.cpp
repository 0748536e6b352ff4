#include "zolmar/ui/mask_format.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

namespace zolmar {

QString MaskFormat::Format(const QVariant& value, const QString& mask) {
  if (value.isNull()) return QString();
  if (mask.isEmpty()) return value.toString();
  if (mask == QLatin1String(">")) return value.toString().toUpper();
  if (mask == QLatin1String("<")) return value.toString().toLower();
  const QString lower = mask.toLower();
  if (lower.contains(QLatin1String("dd")) || lower.contains(QLatin1String("yy"))) {
    const QDateTime dt = value.toDateTime();
    if (!dt.isValid()) return value.toString();
    QString qtMask = lower;
    qtMask.replace(QLatin1String("mm"), QLatin1String("MM"));
    return dt.toString(qtMask);
  }
  bool ok = false;
  const double number = value.toDouble(&ok);
  return ok ? formatNumber(number, mask) : value.toString();
}

QString MaskFormat::formatNumber(double value, const QString& mask) {
  // Spanish separators with thousands grouped from 1.000 on (the locale data
  // groups only from 10.000).
  const int dot = mask.indexOf('.');
  const int decimals = dot < 0 ? 0 : int(mask.size()) - dot - 1;
  const QString integerMask = dot < 0 ? mask : mask.left(dot);
  const int zeros = int(integerMask.count('0'));
  QString text = QString::number(std::abs(value), 'f', decimals);
  const int point = int(text.indexOf('.'));
  QString digits = point < 0 ? text : text.left(point);
  const QString fraction = point < 0 ? QString() : text.mid(point + 1);
  if (digits.size() < zeros) digits.prepend(QString(zeros - digits.size(), '0'));
  if (integerMask.contains(',')) {
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, '.');
  }
  const bool negative =
      value < 0 && (digits + fraction).contains(QRegularExpression(QStringLiteral("[1-9]")));
  return (negative ? QStringLiteral("-") : QString()) + digits +
         (fraction.isEmpty() ? QString() : ',' + fraction);
}

double MaskFormat::ParseNumber(const QString& text, bool* ok) {
  QString plain = text.trimmed();
  plain.remove('.');
  plain.replace(',', '.');
  return plain.toDouble(ok);
}

}  // namespace zolmar
