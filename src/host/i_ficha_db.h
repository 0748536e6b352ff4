#pragma once
// The record set of a table as a record browser sees it.

#include <QString>
#include <QVariant>
#include <memory>

namespace arboles {

class IConnection;

class IFichaDB {
 public:
  virtual ~IFichaDB() = default;

  // True on failure.
  virtual bool Open(std::shared_ptr<IConnection> cn, const QString& table, const QString& idField,
                    const QString& filter = QString(), qint32 options = 0) = 0;
  virtual void SetFilter(const QString& filter) = 0;
  virtual QString Filter() const = 0;
  virtual void SetOrder(const QString& order) = 0;
  // Reads the rows again with the present filter and order; keeps the current
  // id when it still exists.
  virtual void Reload() = 0;

  virtual qint32 RecordCount() const = 0;
  virtual bool MoveFirst() = 0;
  virtual bool MoveLast() = 0;
  virtual bool MoveNext() = 0;
  virtual bool MovePrevious() = 0;
  // Moves to the record; returns its id, or 0 (and stays) when absent.
  virtual qint32 SeekID(qint32 id) = 0;
  virtual qint32 CurrentID() const = 0;

  virtual QVariant Field(const QString& name) const = 0;
  virtual void SetField(const QString& name, const QVariant& value) = 0;

  // Starts an empty record; Save inserts it (and makes it current).
  virtual void AddNew() = 0;
  virtual bool IsNew() const = 0;
  // Writes the pending changes of the current (or new) record. True on failure.
  virtual bool Save() = 0;
  virtual void CancelUpdate() = 0;
  // True on failure.
  virtual bool DeleteCurrent() = 0;
};

}  // namespace arboles
