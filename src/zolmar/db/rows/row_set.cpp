#include "zolmar/db/rows/row_set.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace zolmar {

RowSet::RowSet(QStringList columns, QVector<Row> rows, bool writable)
    : columns_(std::move(columns)), rows_(std::move(rows)), writable_(writable) {
  for (int i = 0; i < columns_.size(); ++i) {
    const QString key = columns_[i].toUpper();
    if (!columnIndex_.contains(key)) columnIndex_.insert(key, i);
  }
}

int RowSet::columnIndex(const QString& name) const {
  for (const auto& [reciente, col] : recent_)
    if (reciente.constData() == name.constData() && reciente.size() == name.size() && !reciente.isNull())
      return col;
  // Loops ask for the same few names again and again, spelled the same way.
  const auto hit = exactIndex_.constFind(name);
  int col = 0;
  if (hit != exactIndex_.constEnd()) {
    col = *hit;
  } else {
    col = columnIndex_.value(name.toUpper(), -1);
    if (exactIndex_.size() < 64) exactIndex_.insert(name, col);
  }
  recent_[nextRecent_] = {name, col};
  nextRecent_ = (nextRecent_ + 1) % recent_.size();
  return col;
}

bool RowSet::Read() {
  if (position_ <= RecordCount()) ++position_;
  return position_ <= RecordCount();
}

bool RowSet::MoveNext() { return Read(); }

void RowSet::SetPosition(qint32 position) { position_ = std::clamp(position, 0, RecordCount() + 1); }

bool RowSet::current(qsizetype* row) const {
  if (position_ < 1 || position_ > RecordCount()) return false;
  *row = position_ - 1;
  return true;
}

QVariant RowSet::Field(const QString& name) const {
  qsizetype row = 0;
  const int col = columnIndex(name);
  if (col < 0 || !current(&row)) return QVariant();
  return rows_[row][col];
}

void RowSet::SetField(const QString& name, const QVariant& value) {
  qsizetype row = 0;
  const int col = columnIndex(name);
  if (!writable_ || col < 0 || !current(&row)) return;
  setValue(row, col, value);
}

void RowSet::setValue(qsizetype row, int column, const QVariant& value) {
  auto it = indexes_.find(column);
  if (it != indexes_.end()) {
    QVector<qsizetype>& oldRows = (*it)[RowCriterion::key(rows_[row][column])];
    oldRows.erase(std::lower_bound(oldRows.begin(), oldRows.end(), row));
    QVector<qsizetype>& newRows = (*it)[RowCriterion::key(value)];
    newRows.insert(std::lower_bound(newRows.begin(), newRows.end(), row), row);
  }
  rows_[row][column] = value;
}

bool RowSet::AddRow(const QVariantList& values) {
  if (!writable_ || values.size() != columns_.size()) return false;
  appendRow(Row(values.cbegin(), values.cend()));
  position_ = RecordCount();
  return true;
}

void RowSet::appendRow(Row row) {
  row.resize(columns_.size());
  rows_.push_back(std::move(row));
  for (auto it = indexes_.begin(); it != indexes_.end(); ++it)
    (*it)[RowCriterion::key(rows_.back()[it.key()])].push_back(rows_.size() - 1);
}

void RowSet::removeRow(qsizetype row) {
  rows_.removeAt(row);
  invalidateIndexes();
  if (position_ > row + 1) --position_;
  position_ = std::min(position_, RecordCount() + 1);
}

const RowSet::Index& RowSet::indexOf(int column) {
  auto it = indexes_.find(column);
  if (it != indexes_.end()) return *it;
  Index index;
  for (qsizetype r = 0; r < rows_.size(); ++r) index[RowCriterion::key(rows_[r][column])].push_back(r);
  return *indexes_.insert(column, std::move(index));
}

bool RowSet::resolve(const QVector<RowCriterion::Term>& terms, QVector<int>* cols) {
  for (const RowCriterion::Term& term : terms) {
    const int col = columnIndex(term.column);
    if (col < 0) {
      lastError_ = QStringLiteral("El campo %1 no existe").arg(term.column);
      return false;
    }
    cols->push_back(col);
  }
  return true;
}

bool RowSet::rowMatches(qsizetype row, const QVector<RowCriterion::Term>& terms,
                        const QVector<int>& cols) const {
  for (qsizetype i = 0; i < terms.size(); ++i)
    if (!RowCriterion::matches(rows_[row][cols[i]], terms[i])) return false;
  return true;
}

qint32 RowSet::Find(const QString& criterion, qint32 start) {
  QVector<RowCriterion::Term> terms;
  QVector<int> cols;
  if (!RowCriterion::parse(criterion, &terms, &lastError_) || !resolve(terms, &cols)) return 0;
  const qsizetype from = std::max<qsizetype>(start, 0);
  const auto equality =
      std::find_if(terms.begin(), terms.end(), [](const auto& t) { return t.op == RowCriterion::Op::Equal; });
  if (equality != terms.end()) {
    const Index& index = indexOf(cols[equality - terms.begin()]);
    const auto hit = index.constFind(RowCriterion::key(equality->value));
    if (hit == index.constEnd()) return 0;
    for (auto it = std::lower_bound(hit->begin(), hit->end(), from); it != hit->end(); ++it) {
      if (rowMatches(*it, terms, cols)) return position_ = static_cast<qint32>(*it + 1);
    }
    return 0;
  }
  for (qsizetype r = from; r < rows_.size(); ++r)
    if (rowMatches(r, terms, cols)) return position_ = static_cast<qint32>(r + 1);
  return 0;
}

void RowSet::Sort(const QString& order) {
  struct Key {
    int column;
    bool descending;
  };
  QVector<Key> keys;
  for (const QString& part : order.split(',', Qt::SkipEmptyParts)) {
    const QStringList words = part.simplified().split(' ');
    const int col = columnIndex(QString(words.value(0)).remove('[').remove(']'));
    if (col < 0) continue;
    keys.push_back({col, words.value(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0});
  }
  if (keys.isEmpty()) return;
  // Each value converted and collated once, not at every comparison.
  std::vector<std::vector<RowCriterion::Sortable>> values(keys.size());
  for (qsizetype k = 0; k < keys.size(); ++k) {
    const int c = keys[k].column;
    qsizetype numeros = 0, nulos = 0, planos = 0;
    for (const Row& row : rows_) {
      numeros += RowCriterion::isNumber(row[c]);
      nulos += !row[c].isValid() || row[c].isNull();
      planos += RowCriterion::plainText(row[c]);
    }
    const bool plano = planos > 0 && planos + nulos == rows_.size();
    values[k].reserve(rows_.size());
    for (const Row& row : rows_)
      values[k].push_back(RowCriterion::sortable(row[c], numeros > 0, numeros + nulos < rows_.size(), plano));
  }
  QVector<qsizetype> order_(rows_.size());
  std::iota(order_.begin(), order_.end(), 0);
  std::stable_sort(order_.begin(), order_.end(), [&](qsizetype a, qsizetype b) {
    for (qsizetype k = 0; k < keys.size(); ++k) {
      const int c = RowCriterion::compareSortable(values[k][a], values[k][b]);
      if (c != 0) return keys[k].descending ? c > 0 : c < 0;
    }
    return false;
  });
  QVector<Row> sorted;
  sorted.reserve(rows_.size());
  qint32 newPosition = position_ > RecordCount() ? position_ : 0;
  for (qsizetype i = 0; i < order_.size(); ++i) {
    if (order_[i] + 1 == position_) newPosition = static_cast<qint32>(i + 1);
    sorted.push_back(std::move(rows_[order_[i]]));
  }
  rows_ = std::move(sorted);
  position_ = newPosition;
  invalidateIndexes();
}

qint32 RowSet::RemoveWhere(const QString& criterion) {
  QVector<RowCriterion::Term> terms;
  QVector<int> cols;
  if (!RowCriterion::parse(criterion, &terms, &lastError_) || !resolve(terms, &cols)) return 0;
  QVector<Row> kept;
  kept.reserve(rows_.size());
  qint32 newPosition = position_ > RecordCount() ? -1 : 0;
  for (qsizetype r = 0; r < rows_.size(); ++r) {
    if (rowMatches(r, terms, cols)) continue;
    kept.push_back(std::move(rows_[r]));
    if (r + 1 == position_) newPosition = static_cast<qint32>(kept.size());
  }
  const qint32 removed = static_cast<qint32>(rows_.size() - kept.size());
  rows_ = std::move(kept);
  position_ = newPosition < 0 ? RecordCount() + 1 : newPosition;
  if (removed) invalidateIndexes();
  return removed;
}

arboles::SqlArray RowSet::toSqlArray(const QVector<Row>& rows) {
  arboles::SqlArray array;
  array.rows = static_cast<qint32>(rows.size());
  array.columns = rows.isEmpty() ? 0 : static_cast<qint32>(rows.first().size());
  array.cells.reserve(array.rows * array.columns);
  for (const Row& row : rows) array.cells += row;
  return array;
}

}  // namespace zolmar
