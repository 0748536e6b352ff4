#pragma once
// The translator's SQLite: ?1 values, the ES_CI_AS collation and the tsql_*
// functions the program registers on every SQLite connection, the other
// databases attached under their own names.

#include "zolmar/db/tsql/tsql_dialect.h"

namespace zolmar {

class TSqlSqliteDialect : public TSqlDialect {
 public:
  QString name(const QString& name) const override;
  QString alias(const QString& alias) const override { return name(alias); }
  QString param(int index) const override;
  QString table(const QString& database, const QString& name) const override;
  QString collate(const QString& sql) const override;
  bool collates(TSqlType type) const override { return type != TSqlType::Number; }
  QString outputColumn(const QString& sql, TSqlType, bool) const override { return sql; }
  QString orderByOutput(const QString& name, TSqlType type, bool plain) const override;
  QString direction(bool descending) const override;
  QString comparedLiteral(const QString& sql) const override { return sql; }
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
