#include "zolmar/report/report_field.h"

#include <QRegularExpression>

namespace zolmar {

namespace {

const QRegularExpression& ownAlias() {
  static const QRegularExpression re(QStringLiteral("\\s+AS\\s+\\[?(\\w+)\\]?\\s*$"),
                                     QRegularExpression::CaseInsensitiveOption);
  return re;
}

}  // namespace

QString ReportField::Alias() const {
  const auto m = ownAlias().match(expression);
  QString name = m.hasMatch() ? m.captured(1) : expression.section(QLatin1Char('.'), -1).trimmed();
  name.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
  return QStringLiteral("F_") + name.toUpper();
}

QString ReportField::Bare() const {
  QString bare = expression;
  const auto m = ownAlias().match(expression);
  if (m.hasMatch()) bare.truncate(m.capturedStart());
  return bare.trimmed();
}

QStringList ReportField::SplitList(const QString& list) {
  QStringList items;
  QString item;
  qint32 depth = 0;
  QChar quote;
  for (const QChar c : list) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      quote = c;
    } else if (c == QLatin1Char('(') || c == QLatin1Char('[')) {
      ++depth;
    } else if ((c == QLatin1Char(')') || c == QLatin1Char(']')) && depth > 0) {
      --depth;
    } else if (c == QLatin1Char(',') && depth == 0) {
      if (!item.trimmed().isEmpty()) items << item.trimmed();
      item.clear();
      continue;
    }
    item += c;
  }
  if (!item.trimmed().isEmpty()) items << item.trimmed();
  return items;
}

QString ReportField::SelectItem() const { return Bare() + QStringLiteral(" AS ") + Alias(); }

}  // namespace zolmar
