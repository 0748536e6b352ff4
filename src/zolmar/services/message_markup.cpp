#include "zolmar/services/message_markup.h"

#include <QRegularExpression>

namespace zolmar {

namespace {

const QRegularExpression& tagPattern() {
  static const QRegularExpression re(QStringLiteral("<(/?)(BR|B|I|U|FONT)((?:\\s[^<>]*)?)>"),
                                     QRegularExpression::CaseInsensitiveOption);
  return re;
}

QString fontColor(const QString& attributes) {
  static const QRegularExpression re(QStringLiteral("COLOR\\s*=\\s*['\"]?#?([0-9A-Za-z]+)['\"]?"),
                                     QRegularExpression::CaseInsensitiveOption);
  const auto m = re.match(attributes);
  if (!m.hasMatch()) return QString();
  QString value = m.captured(1);
  static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
  return hex.match(value).hasMatch() ? QStringLiteral("#") + value.toLower() : value.toLower();
}

QString htmlTag(bool closing, const QString& name, const QString& attributes) {
  const QString lower = name.toLower();
  if (lower == QLatin1String("br")) return QStringLiteral("<br>");
  if (closing) return QStringLiteral("</%1>").arg(lower);
  if (lower != QLatin1String("font")) return QStringLiteral("<%1>").arg(lower);
  const QString color = fontColor(attributes);
  return color.isEmpty() ? QStringLiteral("<font>") : QStringLiteral("<font color='%1'>").arg(color);
}

// Walks the text once: known tags are handed to onTag, the rest to onText.
template <typename OnTag, typename OnText>
void walkMarkup(const QString& markup, OnTag onTag, OnText onText) {
  qsizetype i = 0;
  while (i < markup.size()) {
    if (markup[i] == QLatin1Char('<')) {
      const auto m = tagPattern().match(markup, i, QRegularExpression::NormalMatch,
                                        QRegularExpression::AnchorAtOffsetMatchOption);
      // Only FONT carries attributes ("<BR />" aside): "< b & c >" is text.
      const QString attributes = m.captured(3).trimmed();
      const bool isFont = m.captured(2).compare(QLatin1String("FONT"), Qt::CaseInsensitive) == 0;
      if (m.hasMatch() && (isFont || attributes.isEmpty() || attributes == QLatin1String("/"))) {
        onTag(!m.captured(1).isEmpty(), m.captured(2), m.captured(3));
        i = m.capturedEnd();
        continue;
      }
    }
    onText(markup[i]);
    ++i;
  }
}

}  // namespace

QString MessageMarkupToHtml(const QString& markup) {
  QString html;
  html.reserve(markup.size() + 16);
  walkMarkup(
      markup,
      [&](bool closing, const QString& name, const QString& attrs) { html += htmlTag(closing, name, attrs); },
      [&](QChar c) {
        if (c == QLatin1Char('\r')) return;
        if (c == QLatin1Char('\n')) {
          html += QStringLiteral("<br>");
        } else if (c == QLatin1Char('<')) {
          html += QStringLiteral("&lt;");
        } else if (c == QLatin1Char('>')) {
          html += QStringLiteral("&gt;");
        } else if (c == QLatin1Char('&')) {
          html += QStringLiteral("&amp;");
        } else {
          html += c;
        }
      });
  return html;
}

QString MessageMarkupToPlain(const QString& markup) {
  QString plain;
  walkMarkup(
      markup,
      [&](bool, const QString& name, const QString&) {
        if (name.compare(QLatin1String("BR"), Qt::CaseInsensitive) == 0) plain += QLatin1Char('\n');
      },
      [&](QChar c) { plain += c; });
  return plain;
}

}  // namespace zolmar
