#pragma once
// Writes the engine's text of a parsed T-SQL statement in the dialect given.
// Decides '+' between concatenation and addition from the operand types, maps
// the T-SQL functions onto the engine's, and applies the Spanish collation
// where the engine would otherwise compare text by its own rules.

#include <QSet>

#include "zolmar/db/tsql/tsql_ast.h"
#include "zolmar/db/tsql/tsql_dialect.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

class TSqlEmitter {
 public:
  using Type = TSqlType;

  TSqlEmitter(const TSqlDialect& dialect, const ColumnTypes* types, const QVector<QVariant>& literals,
              const QString& currentDatabase);

  // Fills sql, databases and isInsert of *out; false with *error when refused.
  bool write(const TSqlStatement& statement, TSqlTranslation* out, QString* error);

  // Literals written into the text instead of bound (ORDER BY positions):
  // a translation that has any depends on their values, not only on its shape.
  bool hasInlinedLiterals() const { return inlined; }

 private:
  struct Column {
    QString name;
    Type type;
  };
  struct Source {
    QString key;    // alias, or table name, lower case
    QString table;  // table name for ColumnTypes; empty for a derived table
    QVector<Column> columns;
  };
  struct Scope {
    QVector<Source> sources;
    const Scope* parent = nullptr;
  };
  struct Typed {
    QString sql;
    Type type;
  };

  QVector<Column> select(const TSqlSelect& s, const Scope* parent, QString& out);
  QVector<Column> nestedSelect(const TSqlSelect& s, const Scope* parent, QString& out);
  QVector<Column> core(const TSqlSelectCore& c, const Scope* parent, const TSqlSelect* whole, QString& out);
  void orderBy(const std::vector<TSqlOrderItem>& items, const Scope& scope, const TSqlSelectCore& c,
               const QVector<Column>& columns, QString& out);
  void from(const std::vector<TSqlTableRef>& refs, Scope& scope, QString& out);
  QString tableName(const TSqlTableRef& ref);
  void statement(const TSqlStatement& s, QString& out);

  Typed expr(const TSqlExpr& e, const Scope& scope);
  Typed binary(const TSqlExpr& e, const Scope& scope);
  Typed comparison(const QString& op, const TSqlExpr& l, const TSqlExpr& r, const Scope& scope);
  Typed function(const TSqlExpr& e, const Scope& scope);
  Typed cast(const TSqlExpr& e, const Scope& scope);
  Typed caseExpr(const TSqlExpr& e, const Scope& scope);
  Typed predicate(const TSqlExpr& e, const Scope& scope);
  Type columnType(const TSqlExpr& e, const Scope& scope) const;
  QString collated(const TSqlExpr& e, const Typed& t) const;
  QString outputName(const TSqlSelectItem& item) const;
  static bool textLiteral(const TSqlExpr& e, const Typed& other);
  [[noreturn]] void refuse(const QString& message) const;

  const TSqlDialect& dialect;
  const ColumnTypes* types;
  const QVector<QVariant>& literals;
  QString currentDatabase;
  QStringList databases;
  bool inlined = false;
  int nested = 0;  // depth of the select being written inside another
};

}  // namespace zolmar
