#include "zolmar/db/engine/sqlite_values.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <limits>

namespace zolmar {

int SqliteValues::bind(sqlite3_stmt* stmt, int index, const QVariant& value) {
  // Lifted literals are whole numbers and texts: no conversion for those.
  const int type = value.typeId();
  if (type == QMetaType::LongLong) return sqlite3_bind_int64(stmt, index, value.value<qlonglong>());
  if (type == QMetaType::QString) {
    const QByteArray text = static_cast<const QString*>(value.constData())->toUtf8();
    return sqlite3_bind_text64(stmt, index, text.constData(), static_cast<sqlite3_uint64>(text.size()),
                               SQLITE_TRANSIENT, SQLITE_UTF8);
  }
  if (!value.isValid() || value.isNull()) return sqlite3_bind_null(stmt, index);
  switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::LongLong:
    case QMetaType::Long:
      return sqlite3_bind_int64(stmt, index, value.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::ULong:
      return sqlite3_bind_int64(stmt, index, static_cast<sqlite3_int64>(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
      return sqlite3_bind_double(stmt, index, value.toDouble());
    case QMetaType::QByteArray: {
      const QByteArray bytes = value.toByteArray();
      return sqlite3_bind_blob64(stmt, index, bytes.constData(), static_cast<sqlite3_uint64>(bytes.size()),
                                 SQLITE_TRANSIENT);
    }
    case QMetaType::QDate:
      return bind(stmt, index, value.toDate().toString(Qt::ISODate));
    case QMetaType::QDateTime:
      return bind(stmt, index, value.toDateTime().toString("yyyy-MM-dd HH:mm:ss"));
    default: {
      const QByteArray text = value.toString().toUtf8();
      return sqlite3_bind_text64(stmt, index, text.constData(), static_cast<sqlite3_uint64>(text.size()),
                                 SQLITE_TRANSIENT, SQLITE_UTF8);
    }
  }
}

QVariant SqliteValues::column(sqlite3_stmt* stmt, int index) {
  switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER: {
      const sqlite3_int64 v = sqlite3_column_int64(stmt, index);
      if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
        return QVariant(static_cast<qint32>(v));
      return QVariant(static_cast<qlonglong>(v));
    }
    case SQLITE_FLOAT:
      return QVariant(sqlite3_column_double(stmt, index));
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
      return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, index)));
    }
    case SQLITE_BLOB: {
      const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, index));
      return QVariant(QByteArray(data, sqlite3_column_bytes(stmt, index)));
    }
    default:
      return QVariant();
  }
}

QStringList SqliteValues::columnNames(sqlite3_stmt* stmt) {
  QStringList names;
  const int count = sqlite3_column_count(stmt);
  for (int i = 0; i < count; ++i) names << QString::fromUtf8(sqlite3_column_name(stmt, i));
  return names;
}

int SqliteValues::readRows(sqlite3_stmt* stmt, QVector<QVector<QVariant>>* rows, qsizetype maxRows) {
  const int count = sqlite3_column_count(stmt);
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    if (maxRows >= 0 && rows->size() >= maxRows) continue;
    QVector<QVariant> row;
    row.reserve(count);
    for (int i = 0; i < count; ++i) row.push_back(column(stmt, i));
    rows->push_back(std::move(row));
  }
  return rc;
}

}  // namespace zolmar
