#pragma once
// The record set of a record browser: one table, a filter and an order. The
// ids are read once per Reload and moved through in memory; the columns of
// the current record are read when first asked for, so opening a browser on
// a large table costs one column, not the whole table. Changes are written
// as T-SQL.

#include <QHash>
#include <QMap>
#include <QStringList>
#include <QVector>
#include <memory>

#include "host/i_ficha_db.h"

namespace arboles {
class IConnection;
}

namespace zolmar {

class FichaDB : public arboles::IFichaDB {
 public:
  bool Open(std::shared_ptr<arboles::IConnection> cn, const QString& table, const QString& idField,
            const QString& filter = QString(), qint32 options = 0) override;
  void SetFilter(const QString& filter) override { filter_ = filter; }
  QString Filter() const override { return filter_; }
  void SetOrder(const QString& order) override { order_ = order; }
  void Reload() override;
  qint32 RecordCount() const override { return static_cast<qint32>(ids_.size()); }
  bool MoveFirst() override { return moveTo(0); }
  bool MoveLast() override { return moveTo(RecordCount() - 1); }
  bool MoveNext() override;
  bool MovePrevious() override;
  qint32 SeekID(qint32 id) override;
  qint32 CurrentID() const override;
  QVariant Field(const QString& name) const override;
  void SetField(const QString& name, const QVariant& value) override;
  void AddNew() override;
  bool IsNew() const override { return isNew_; }
  bool Save() override;
  void CancelUpdate() override;
  bool DeleteCurrent() override;

  QString table() const { return table_; }
  QString lastError() const { return lastError_; }

 private:
  bool moveTo(qsizetype row);
  bool readIds();
  void indexIds();
  // The current record's columns, read on first use.
  bool loadCurrent() const;
  bool insertPending();
  bool updatePending();
  QString idsSql() const;

  std::shared_ptr<arboles::IConnection> cn_;
  QString table_;
  QString idField_;
  QString filter_;
  QString order_;
  bool open_ = false;
  QVector<qint32> ids_;
  QHash<qint32, qsizetype> rowOfId_;
  qsizetype current_ = -1;
  bool isNew_ = false;
  QMap<QString, QPair<QString, QVariant>> pending_;  // upper-case name -> (name, value)
  mutable qint32 loadedId_ = 0;
  mutable QHash<QString, QVariant> loaded_;  // upper-case name -> value of the current record
  mutable QString lastError_;
};

}  // namespace zolmar
