#pragma once
// One row of a streamed read (IConnection::ReadRows), valid only while the
// callback that receives it runs.

#include <QByteArrayView>

namespace arboles {

class IRowView {
 public:
  virtual ~IRowView() = default;

  virtual qint32 ColumnCount() const = 0;
  // The value as a record set's Field(...).toInt() would give it.
  virtual qint32 Int(qint32 column) const = 0;
  // The value as a record set's Field(...).toString() would give it, in
  // UTF-8 (a text column's bytes as stored, untouched); empty for NULL. The
  // bytes last until the next row.
  virtual QByteArrayView Utf8(qint32 column) const = 0;
};

}  // namespace arboles
