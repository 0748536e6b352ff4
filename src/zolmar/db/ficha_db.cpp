#include "zolmar/db/ficha_db.h"

#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "host/i_row_view.h"
#include "zolmar/db/connection.h"

namespace zolmar {

bool FichaDB::Open(std::shared_ptr<arboles::IConnection> cn, const QString& table, const QString& idField,
                   const QString& filter, qint32) {
  cn_ = std::move(cn);
  table_ = table;
  idField_ = idField.isEmpty() ? QStringLiteral("ZolmarID") : idField;
  filter_ = filter;
  if (order_.isEmpty()) order_ = idField_;
  current_ = -1;
  isNew_ = false;
  pending_.clear();
  open_ = cn_ && readIds();
  if (!open_) return true;
  moveTo(0);
  return false;
}

QString FichaDB::idsSql() const {
  QString sql = "SELECT " + idField_ + " FROM " + table_;
  if (!filter_.trimmed().isEmpty()) sql += " WHERE " + filter_;
  if (!order_.trimmed().isEmpty()) sql += " ORDER BY " + order_;
  return sql;
}

// Streamed: a table of many rows costs its ids, not a record set of them.
bool FichaDB::readIds() {
  QVector<qint32> ids;
  const bool read = cn_->ReadRows(idsSql(), [&ids](const arboles::IRowView& row) {
    ids.push_back(row.Int(0));
    return true;
  });
  if (!read) {
    lastError_ =
        cn_->HasError() ? cn_->LastError() : QStringLiteral("No se pudo leer la tabla %1").arg(table_);
    return false;
  }
  ids.squeeze();
  ids_ = std::move(ids);
  loadedId_ = 0;
  indexIds();
  return true;
}

void FichaDB::indexIds() {
  rowOfId_.clear();
  rowOfId_.reserve(ids_.size());
  for (qsizetype r = 0; r < ids_.size(); ++r) rowOfId_.insert(ids_[r], r);
}

void FichaDB::Reload() {
  if (!cn_) return;
  const qint32 id = CurrentID();
  pending_.clear();
  isNew_ = false;
  open_ = readIds();
  if (!open_) {
    ids_.clear();
    rowOfId_.clear();
    current_ = -1;
    return;
  }
  if (!SeekID(id)) moveTo(0);
}

bool FichaDB::moveTo(qsizetype row) {
  if (row < 0 || row >= ids_.size()) return false;
  current_ = row;
  isNew_ = false;
  pending_.clear();
  return true;
}

bool FichaDB::MoveNext() { return moveTo(current_ + 1); }

bool FichaDB::MovePrevious() { return current_ > 0 && moveTo(current_ - 1); }

qint32 FichaDB::SeekID(qint32 id) {
  const auto it = rowOfId_.constFind(id);
  if (id == 0 || it == rowOfId_.constEnd()) return 0;
  moveTo(*it);
  return id;
}

qint32 FichaDB::CurrentID() const {
  if (isNew_ || current_ < 0 || current_ >= ids_.size()) return 0;
  return ids_[current_];
}

bool FichaDB::loadCurrent() const {
  const qint32 id = CurrentID();
  if (id == 0) return false;
  if (loadedId_ == id) return true;
  // The browser's own read: on our connection it is not one of the statements
  // an operation sends (nor counted when a test makes one fail).
  const QString sql = "SELECT * FROM " + table_ + " WHERE " + idField_ + "=";
  auto* host = dynamic_cast<Connection*>(cn_.get());
  const arboles::RecordsetPtr rs = arboles::recordsetOf(host ? host->executeNative(sql + "?1", 6, {}, {id})
                                                             : cn_->ExecuteSQL(sql + QString::number(id), 6));
  if (cn_->HasError() || !rs || !rs->Read()) {
    lastError_ = cn_->LastError();
    return false;
  }
  loaded_.clear();
  for (int c = 0; c < rs->FieldCount(); ++c) {
    const QString name = rs->FieldName(c);
    loaded_.insert(name.toUpper(), rs->Field(name));
  }
  loadedId_ = id;
  return true;
}

QVariant FichaDB::Field(const QString& name) const {
  const QString key = name.toUpper();
  const auto p = pending_.constFind(key);
  if (p != pending_.constEnd()) return p->second;
  if (!loadCurrent()) return QVariant();
  return loaded_.value(key);
}

void FichaDB::SetField(const QString& name, const QVariant& value) {
  if (name.compare(idField_, Qt::CaseInsensitive) == 0) return;
  pending_.insert(name.toUpper(), {name, value});
}

void FichaDB::AddNew() {
  pending_.clear();
  isNew_ = true;
}

void FichaDB::CancelUpdate() {
  pending_.clear();
  isNew_ = false;
}

bool FichaDB::Save() {
  if (!cn_ || !open_) return true;
  if (isNew_) return insertPending();
  if (pending_.isEmpty()) return false;
  return updatePending();
}

bool FichaDB::insertPending() {
  QStringList names;
  QStringList values;
  for (const auto& [name, value] : std::as_const(pending_)) {
    names << name;
    values << cn_->SQLLiteral(value);
  }
  const QString sql = names.isEmpty() ? "INSERT INTO " + table_ + " DEFAULT VALUES"
                                      : "INSERT INTO " + table_ + " (" + names.join(", ") + ") VALUES (" +
                                            values.join(", ") + ")";
  const qint32 id = cn_->ExecuteSQL(sql, 9, 0).toInt();
  if (cn_->HasError() || id == 0) {
    lastError_ = cn_->LastError();
    return true;
  }
  ids_.push_back(id);
  rowOfId_.insert(id, ids_.size() - 1);
  loadedId_ = 0;
  return !moveTo(ids_.size() - 1);
}

bool FichaDB::updatePending() {
  const qint32 id = CurrentID();
  QStringList sets;
  for (const auto& [name, value] : std::as_const(pending_)) sets << name + "=" + cn_->SQLLiteral(value);
  cn_->ExecuteSQL("UPDATE " + table_ + " SET " + sets.join(", ") + " WHERE " + idField_ + "=" +
                  QString::number(id));
  if (cn_->HasError()) {
    lastError_ = cn_->LastError();
    return true;
  }
  loadedId_ = 0;  // read back what the database made of the values
  pending_.clear();
  return false;
}

bool FichaDB::DeleteCurrent() {
  const qint32 id = CurrentID();
  if (!cn_ || id == 0) return true;
  cn_->ExecuteSQL("DELETE FROM " + table_ + " WHERE " + idField_ + "=" + QString::number(id));
  if (cn_->HasError()) {
    lastError_ = cn_->LastError();
    return true;
  }
  ids_.remove(current_);
  indexIds();
  loadedId_ = 0;
  if (current_ >= ids_.size()) current_ = ids_.size() - 1;
  pending_.clear();
  return false;
}

}  // namespace zolmar
