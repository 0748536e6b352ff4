#include "zolmar/db/insert_builder.h"

#include <QStringBuilder>

#include "host/i_connection.h"
#include "zolmar/db/sql_text.h"

namespace zolmar {

void InsertBuilder::AddField(const QString& name, const QVariant& value) {
  for (auto& field : fields_) {
    if (field.first.compare(name, Qt::CaseInsensitive) == 0) {
      field.second = value;
      return;
    }
  }
  fields_.push_back({name, value});
}

// Written in place: a batch of thousands of rows builds one text per row.
QString InsertBuilder::Sql() const {
  if (fields_.isEmpty()) return QStringLiteral("INSERT INTO ") % table_ % QStringLiteral(" DEFAULT VALUES");
  QString names;
  QString values;
  names.reserve(16 * fields_.size());
  values.reserve(16 * fields_.size());
  for (const auto& [name, value] : fields_) {
    if (!names.isEmpty()) {
      names += QLatin1String(", ");
      values += QLatin1String(", ");
    }
    names += name;
    values += cn_ ? cn_->SQLLiteral(value) : SqlText::literal(value);
  }
  return QStringLiteral("INSERT INTO ") % table_ % QStringLiteral(" (") % names %
         QStringLiteral(") VALUES (") % values % QLatin1Char(')');
}

qint32 InsertBuilder::Execute() {
  if (!cn_) return 0;
  const qint32 id = cn_->ExecuteSQL(Sql(), 9, 0).toInt();
  return cn_->HasError() ? 0 : id;
}

}  // namespace zolmar
