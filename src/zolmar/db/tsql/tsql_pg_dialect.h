#pragma once
// The translator's PostgreSQL: $1 values, names as the server folds them, the
// other databases of the server as schemas, and the collation, LIKE and '+'
// of the schema "tsql" that the schema script creates (SchemaDdl).

#include "zolmar/db/tsql/tsql_dialect.h"

namespace zolmar {

class TSqlPgDialect : public TSqlDialect {
 public:
  QString name(const QString& name) const override;
  QString alias(const QString& alias) const override;
  QString param(int index) const override;
  QString table(const QString& database, const QString& name) const override;
  QString collate(const QString& sql) const override;
  bool collates(TSqlType type) const override { return type == TSqlType::Text; }
  QString outputColumn(const QString& sql, TSqlType type, bool plain) const override;
  QString orderByOutput(const QString& name, TSqlType, bool) const override { return name; }
  QString direction(bool descending) const override;
  QString comparedLiteral(const QString& sql) const override;
  QString like(const QString& text, const QString& pattern, const QString& escape,
               bool ranged) const override;
  QString add(const QString& a, const QString& b) const override;
  QString exclusiveOr(const QString& a, const QString& b) const override;
  QString limitedMember(const QString& select) const override;
  const Function* function(const QString& name) const override;
  QString cast(const QString& value, const QString& type, qlonglong size, qlonglong scale,
               bool star) const override;
};

}  // namespace zolmar
