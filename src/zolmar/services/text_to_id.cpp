#include "zolmar/services/text_to_id.h"

#include <QRegularExpression>

namespace zolmar {

qint32 TextToId::parse(const QString& text) {
  static const QRegularExpression reference(QStringLiteral("^\\s*(?:#|K=)\\s*(\\d{1,9})\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
  const auto m = reference.match(text);
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

}  // namespace zolmar
