#include "zolmar/db/sql_text.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>

namespace zolmar {

QString SqlText::literal(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return QStringLiteral("NULL");
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
      return value.toString();
    case QMetaType::Double:
    case QMetaType::Float:
      return QString::number(value.toDouble(), 'g', 17);
    case QMetaType::QDate:
      return "'" + value.toDate().toString(Qt::ISODate) + "'";
    case QMetaType::QDateTime:
      return "'" + value.toDateTime().toString("yyyy-MM-dd HH:mm:ss") + "'";
    default: {
      QString text = value.toString();
      text.replace('\'', QStringLiteral("''"));
      return "'" + text + "'";
    }
  }
}

QString SqlText::likePattern(const QString& typed) {
  QString out;
  out.reserve(typed.size() + 8);
  for (QChar c : typed) {
    if (c == '[') {
      out += QStringLiteral("[[]");
    } else if (c == '%') {
      out += QStringLiteral("[%]");
    } else if (c == '_') {
      out += QStringLiteral("[_]");
    } else if (c == '*') {
      out += '%';
    } else if (c == '\'') {
      out += QStringLiteral("''");
    } else {
      out += c;
    }
  }
  return out;
}

QString SqlText::nameSearch(const QString& typed, const QString& column) {
  const QString text = typed.trimmed();
  if (text.isEmpty()) return QString();
  QString pattern = likePattern(text);
  if (!pattern.endsWith('%')) pattern += '%';
  return column + " LIKE '" + pattern + "'";
}

QString SqlText::condition(const QString& typed, const QString& column, qint32 kind) {
  switch (kind) {
    case 3:
      return idCondition(typed, column);
    case 7:
      return idListCondition(typed, column);
    default: {
      const QString search = nameSearch(typed, column);
      return search.isEmpty() ? QString() : " AND " + search;
    }
  }
}

QString SqlText::idCondition(const QString& typed, const QString& column) {
  bool ok = false;
  const qlonglong id = typed.trimmed().toLongLong(&ok);
  if (!ok || id == 0) return QString();
  return " AND " + column + "=" + QString::number(id);
}

QString SqlText::idListCondition(const QString& typed, const QString& column) {
  QStringList singles;
  QStringList ranges;
  const QStringList parts = typed.split(QRegularExpression("[,;]"), Qt::SkipEmptyParts);
  for (const QString& raw : parts) {
    const QString part = raw.trimmed();
    const qsizetype dash = part.indexOf('-', 1);
    bool ok1 = false;
    bool ok2 = false;
    if (dash > 0) {
      const qlonglong from = part.left(dash).trimmed().toLongLong(&ok1);
      const qlonglong to = part.mid(dash + 1).trimmed().toLongLong(&ok2);
      if (ok1 && ok2)
        ranges << column + " BETWEEN " + QString::number(qMin(from, to)) + " AND " +
                      QString::number(qMax(from, to));
    } else {
      const qlonglong id = part.toLongLong(&ok1);
      if (ok1) singles << QString::number(id);
    }
  }
  QStringList terms;
  if (!singles.isEmpty()) terms << column + " IN (" + singles.join(", ") + ")";
  terms << ranges;
  if (terms.isEmpty()) return QString();
  return " AND (" + terms.join(" OR ") + ")";
}

}  // namespace zolmar
