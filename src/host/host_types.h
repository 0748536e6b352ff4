#pragma once
// Value types shared by the module and its host.

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

namespace arboles {

class IRecordset;

// Result of ExecuteSQL mode 4: cells addressed (column, row), both 0-based.
struct SqlArray {
  qint32 columns = 0;
  qint32 rows = 0;
  QVector<QVariant> cells;  // row-major

  QVariant at(qint32 column, qint32 row) const { return cells.value(row * columns + column); }
};

// Windows icon numbers the host message box understands.
enum MessageIcon : qint32 {
  IconError = 32513,
  IconQuestion = 32514,
  IconWarning = 32515,
  IconInformation = 32516,
};

// Buttons of a message or question: a kind, plus the flag that makes the
// second button (No) the default one.
enum MessageButtons : qint32 {
  ButtonsOk = 0,
  ButtonsYesNo = 4,
  DefaultSecondButton = 256,
};

using RecordsetPtr = std::shared_ptr<IRecordset>;

// A field of a row set built in memory: a 32-bit integer, or a text of at most size characters.
struct RecordsetField {
  enum Kind : qint32 { Integer, Text };
  QString name;
  Kind kind = Text;
  qint32 size = 0;
};
using RecordsetFields = QVector<RecordsetField>;

}  // namespace arboles

Q_DECLARE_METATYPE(arboles::SqlArray)
Q_DECLARE_METATYPE(arboles::RecordsetPtr)

namespace arboles {

// A record set travels inside the Variant that ExecuteSQL returns (modes 5, 6, 7).
inline RecordsetPtr recordsetOf(const QVariant& v) {
  return v.canConvert<RecordsetPtr>() ? v.value<RecordsetPtr>() : nullptr;
}

inline bool isSqlArray(const QVariant& v) { return v.metaType() == QMetaType::fromType<SqlArray>(); }

}  // namespace arboles
