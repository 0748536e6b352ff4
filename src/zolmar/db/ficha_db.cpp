#include "zolmar/db/ficha_db.h"

#include "host/i_connection.h"

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
  if (!cn_ || !readRows()) return true;
  moveTo(0);
  return false;
}

QString FichaDB::selectSql() const {
  QString sql = "SELECT * FROM " + table_;
  if (!filter_.trimmed().isEmpty()) sql += " WHERE " + filter_;
  if (!order_.trimmed().isEmpty()) sql += " ORDER BY " + order_;
  return sql;
}

bool FichaDB::readRows() {
  const arboles::RecordsetPtr rs = arboles::recordsetOf(cn_->ExecuteSQL(selectSql(), 6));
  auto* set = dynamic_cast<RowSet*>(rs.get());
  if (cn_->HasError() || !set) {
    lastError_ =
        cn_->HasError() ? cn_->LastError() : QStringLiteral("No se pudo leer la tabla %1").arg(table_);
    return false;
  }
  rows_ = std::dynamic_pointer_cast<RowSet>(rs);
  if (rows_->columnIndex(idField_) < 0) {
    lastError_ = QStringLiteral("La tabla %1 no tiene el campo %2").arg(table_, idField_);
    return false;
  }
  indexIds();
  return true;
}

void FichaDB::indexIds() {
  rowOfId_.clear();
  const int col = rows_->columnIndex(idField_);
  rowOfId_.reserve(rows_->RecordCount());
  for (qsizetype r = 0; r < rows_->RecordCount(); ++r) rowOfId_.insert(rows_->value(r, col).toInt(), r);
}

void FichaDB::Reload() {
  if (!cn_) return;
  const qint32 id = CurrentID();
  pending_.clear();
  isNew_ = false;
  if (!readRows()) {
    rows_.reset();
    current_ = -1;
    return;
  }
  if (!SeekID(id)) moveTo(0);
}

bool FichaDB::moveTo(qsizetype row) {
  if (!rows_ || row < 0 || row >= rows_->RecordCount()) return false;
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
  if (isNew_ || !rows_ || current_ < 0 || current_ >= rows_->RecordCount()) return 0;
  return rows_->value(current_, rows_->columnIndex(idField_)).toInt();
}

QVariant FichaDB::Field(const QString& name) const {
  const auto p = pending_.constFind(name.toUpper());
  if (p != pending_.constEnd()) return p->second;
  if (isNew_ || !rows_ || current_ < 0 || current_ >= rows_->RecordCount()) return QVariant();
  const int col = rows_->columnIndex(name);
  return col < 0 ? QVariant() : rows_->value(current_, col);
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
  if (!cn_ || !rows_) return true;
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
  RowSet::Row row;
  QStringList columns;
  if (!fetchRow(id, &row, &columns)) return true;
  rows_->appendRow(row);
  rowOfId_.insert(id, rows_->RecordCount() - 1);
  return !moveTo(rows_->RecordCount() - 1);
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
  RowSet::Row row;
  QStringList columns;
  if (!fetchRow(id, &row, &columns)) return true;
  for (int c = 0; c < columns.size(); ++c) {
    const int col = rows_->columnIndex(columns[c]);
    if (col >= 0) rows_->setValue(current_, col, row[c]);
  }
  pending_.clear();
  return false;
}

bool FichaDB::fetchRow(qint32 id, RowSet::Row* row, QStringList* columns) {
  const QString sql = "SELECT * FROM " + table_ + " WHERE " + idField_ + "=" + QString::number(id);
  const arboles::RecordsetPtr rs = arboles::recordsetOf(cn_->ExecuteSQL(sql, 6));
  if (cn_->HasError() || !rs || !rs->Read()) {
    lastError_ = cn_->LastError();
    return false;
  }
  row->clear();
  for (int c = 0; c < rs->FieldCount(); ++c) {
    *columns << rs->FieldName(c);
    row->push_back(rs->Field(rs->FieldName(c)));
  }
  // Put the values in this set's column order.
  RowSet::Row ordered(rows_->FieldCount());
  for (int c = 0; c < columns->size(); ++c) {
    const int col = rows_->columnIndex(columns->at(c));
    if (col >= 0) ordered[col] = row->at(c);
  }
  if (columns->size() == rows_->FieldCount()) {
    *row = ordered;
    columns->clear();
    for (int c = 0; c < rows_->FieldCount(); ++c) *columns << rows_->FieldName(c);
  }
  return true;
}

bool FichaDB::DeleteCurrent() {
  const qint32 id = CurrentID();
  if (!cn_ || id == 0) return true;
  cn_->ExecuteSQL("DELETE FROM " + table_ + " WHERE " + idField_ + "=" + QString::number(id));
  if (cn_->HasError()) {
    lastError_ = cn_->LastError();
    return true;
  }
  rows_->removeRow(current_);
  indexIds();
  if (current_ >= rows_->RecordCount()) current_ = rows_->RecordCount() - 1;
  pending_.clear();
  return false;
}

}  // namespace zolmar
