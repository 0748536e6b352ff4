#include "zolmar/db/tsql_translator.h"

namespace zolmar {

struct TSqlTranslator::Impl {
  std::shared_ptr<const ColumnTypes> types;
};

TSqlTranslator::TSqlTranslator(std::shared_ptr<const ColumnTypes> types) : d(std::make_unique<Impl>()) {
  d->types = std::move(types);
}

TSqlTranslator::~TSqlTranslator() = default;

QVector<TSqlTranslation> TSqlTranslator::translateBatch(const QString& tsql) {
  QVector<TSqlTranslation> out;
  QString current;
  bool quoted = false;
  for (QChar c : tsql) {
    if (c == '\'') quoted = !quoted;
    if (c == ';' && !quoted) {
      if (!current.trimmed().isEmpty()) out.push_back(translate(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.trimmed().isEmpty()) out.push_back(translate(current));
  return out;
}

TSqlTranslation TSqlTranslator::translate(const QString& statement) {
  TSqlTranslation t;
  t.sql = statement.trimmed();
  t.isInsert = t.sql.startsWith("insert", Qt::CaseInsensitive);
  return t;
}

qsizetype TSqlTranslator::cachedShapes() const { return 0; }

}  // namespace zolmar
