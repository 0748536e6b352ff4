#pragma once
// The current row of a stepping SQLite statement, read the way a row set
// would read it, with text handed over as SQLite holds it.

#include <QByteArray>
#include <QList>

#include "host/i_row_view.h"

struct sqlite3_stmt;

namespace zolmar {

class SqliteRowView : public arboles::IRowView {
 public:
  explicit SqliteRowView(sqlite3_stmt* stmt);

  // The statement moved to another row: texts converted for the last one go.
  void nextRow() { held_.clear(); }

  qint32 ColumnCount() const override { return columns_; }
  qint32 Int(qint32 column) const override;
  QByteArrayView Utf8(qint32 column) const override;

 private:
  sqlite3_stmt* stmt_;
  qint32 columns_;
  // Values that are not text, converted for this row only.
  mutable QList<QByteArray> held_;
};

}  // namespace zolmar
