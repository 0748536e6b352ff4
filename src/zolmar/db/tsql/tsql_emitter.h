#pragma once
// Writes the SQLite text of a parsed T-SQL statement. Decides '+' between
// concatenation and addition from the operand types, maps the T-SQL functions
// onto SQLite and the registered tsql_* functions, and applies the ES_CI_AS
// collation where SQLite would otherwise compare text byte by byte.

#include <QSet>

#include "zolmar/db/tsql/tsql_ast.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

class TSqlEmitter {
 public:
  enum class Type { Unknown, Text, Number };

  TSqlEmitter(const ColumnTypes* types, const QVector<QVariant>& literals, const QString& currentDatabase);

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
  static QString collated(const TSqlExpr& e, const Typed& t);
  [[noreturn]] void refuse(const QString& message) const;

  const ColumnTypes* types;
  const QVector<QVariant>& literals;
  QString currentDatabase;
  QStringList databases;
  bool inlined = false;
};

}  // namespace zolmar
