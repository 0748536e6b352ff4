#pragma once
// The host's light message markup ("<BR>", "<B>", "</B>", "<FONT COLOR='800000'>",
// "</FONT>") as the HTML a rich-text label renders. Everything else is text.

#include <QString>

namespace zolmar {

QString MessageMarkupToHtml(const QString& markup);
// The same text without markup, for logs and plain output.
QString MessageMarkupToPlain(const QString& markup);

}  // namespace zolmar
