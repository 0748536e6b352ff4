#pragma once
// Syntax tree of the T-SQL subset the translator understands.

#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <vector>

namespace zolmar {

struct TSqlSelect;

struct TSqlExpr {
  enum Kind {
    Column,    // qualifier.name or name
    Star,      // * or qualifier.*
    Literal,   // lifted literal: param
    Null,      // NULL
    Unary,     // op args[0]: "-", "+", "~", "NOT"
    Binary,    // args[0] op args[1]
    Function,  // name(args), star for COUNT(*), distinct for COUNT(DISTINCT x)
    Case,      // CASE [args[0]] WHEN args[1] THEN args[2] ... [ELSE last]
    InList,    // args[0] [NOT] IN (args[1..])
    InSelect,  // args[0] [NOT] IN (select)
    Like,      // args[0] [NOT] LIKE args[1] [ESCAPE args[2]]
    IsNull,    // args[0] IS [NOT] NULL
    Between,   // args[0] [NOT] BETWEEN args[1] AND args[2]
    Exists,    // [NOT] EXISTS (select)
    Subquery,  // (select) as a value
  };
  Kind kind = Null;
  QString op;         // operator or upper-case function name
  QString qualifier;  // column or star qualifier
  QString name;       // column name
  int param = -1;     // literal index
  bool stringLiteral = false;
  bool negated = false;
  bool distinct = false;
  bool star = false;
  bool hasCaseBase = false;
  bool hasElse = false;
  std::vector<std::unique_ptr<TSqlExpr>> args;
  std::unique_ptr<TSqlSelect> select;
};
using TSqlExprPtr = std::unique_ptr<TSqlExpr>;

struct TSqlSelectItem {
  TSqlExprPtr expr;
  QString alias;
};

struct TSqlTableRef {
  QString database;  // db..table
  QString name;
  std::unique_ptr<TSqlSelect> derived;  // (select) alias
  QString alias;
  QString join;  // "", "LEFT JOIN", "INNER JOIN", "CROSS JOIN", ","
  TSqlExprPtr on;
};

struct TSqlSelectCore {
  bool distinct = false;
  TSqlExprPtr top;
  std::vector<TSqlSelectItem> items;
  std::vector<TSqlTableRef> from;
  TSqlExprPtr where;
  std::vector<TSqlExprPtr> groupBy;
  TSqlExprPtr having;
  QString compoundOp;  // operator joining this core to the previous one
};

struct TSqlOrderItem {
  TSqlExprPtr expr;
  bool descending = false;
};

struct TSqlSelect {
  std::vector<TSqlSelectCore> cores;
  std::vector<TSqlOrderItem> orderBy;
};

struct TSqlAssignment {
  QString column;
  TSqlExprPtr value;
};

struct TSqlStatement {
  enum Kind { Select, Insert, Update, Delete };
  Kind kind = Select;
  std::unique_ptr<TSqlSelect> select;  // SELECT, or INSERT ... SELECT
  TSqlTableRef table;                  // INSERT, UPDATE, DELETE target
  QStringList columns;                 // INSERT column list
  std::vector<std::vector<TSqlExprPtr>> values;
  std::vector<TSqlAssignment> sets;
  TSqlExprPtr where;
};

}  // namespace zolmar
