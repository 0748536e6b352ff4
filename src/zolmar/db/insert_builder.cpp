#include "zolmar/db/insert_builder.h"

#include <QStringList>

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

QString InsertBuilder::Sql() const {
  QStringList names;
  QStringList values;
  for (const auto& [name, value] : fields_) {
    names << name;
    values << (cn_ ? cn_->SQLLiteral(value) : SqlText::literal(value));
  }
  if (names.isEmpty()) return "INSERT INTO " + table_ + " DEFAULT VALUES";
  return "INSERT INTO " + table_ + " (" + names.join(", ") + ") VALUES (" + values.join(", ") + ")";
}

qint32 InsertBuilder::Execute() {
  if (!cn_) return 0;
  const qint32 id = cn_->ExecuteSQL(Sql(), 9, 0).toInt();
  return cn_->HasError() ? 0 : id;
}

}  // namespace zolmar
