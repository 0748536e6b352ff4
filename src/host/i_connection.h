#pragma once
// The host connection (oCn): every SQL statement of the module goes through it.

#include <QString>
#include <QVariant>
#include <functional>

#include "host/host_types.h"
#include "host/i_row_view.h"

namespace arboles {

class IConnection {
 public:
  virtual ~IConnection() = default;

  // Modes: 0, 1 run; 2 first column of the first row (else def); 4 SqlArray
  // (else def); 5, 6 read-only record set, 7 writable record set (else def);
  // 9 run an INSERT and give the new id (else def). Statements joined with
  // " ; " run one after the other. A failure sets HasError and returns def.
  virtual QVariant ExecuteSQL(const QString& sql, qint32 mode = 0, const QVariant& def = QVariant(),
                              bool flag = false) = 0;
  // Reads one SELECT row by row, handing each to onRow in order, without
  // holding the result in memory; onRow returning false ends the read. The
  // statement is sent, recorded and translated as with ExecuteSQL mode 5.
  // False on failure (HasError set): rows handed before it may be partial.
  using RowCallback = std::function<bool(const IRowView& row)>;
  virtual bool ReadRows(const QString& sql, const RowCallback& onRow) = 0;
  // A query a person typed (the reports' SQL editor): one SELECT, run so that
  // it can read and never write. Anything else is refused before it runs,
  // with HasError and a message that says why. The rows, or nullptr.
  virtual RecordsetPtr QueryReadOnly(const QString& sql) = 0;
  virtual bool HasError() const = 0;
  virtual QString LastError() const = 0;

  // Named transactions nest.
  virtual void BeginTrans(const QString& name) = 0;
  virtual void CommitTrans(const QString& name, qint32 flags = 0) = 0;
  virtual void RollbackTrans(const QString& name) = 0;

  virtual QString SQLLiteral(const QVariant& value, qint32 kind = 0) const = 0;

  // Condition on a column built from what a person typed in a search entry.
  // kind 0: name search ("vin" prefix, "*" wildcards); 3: an id (0/empty adds
  // nothing); 7: an id list ("1,5-9"). The text begins with " AND ", or is
  // empty when the entry adds nothing.
  virtual QString BuildCondition(const QString& typed, const QString& column, qint32 kind) const = 0;
  // The name-search condition in its "WHERE ..." form.
  virtual QString NameSearchWhere(const QString& typed, const QString& column) const = 0;
};

}  // namespace arboles
