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

QString ReportField::SelectItem() const { return Bare() + QStringLiteral(" AS ") + Alias(); }

}  // namespace zolmar
