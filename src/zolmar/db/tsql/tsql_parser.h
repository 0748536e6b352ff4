#pragma once
// Builds the syntax tree of one lexed T-SQL statement. Anything outside the
// understood subset is refused with a message naming the place.

#include "zolmar/db/tsql/tsql_ast.h"
#include "zolmar/db/tsql/tsql_lexer.h"

namespace zolmar {

class TSqlParser {
 public:
  explicit TSqlParser(const TSqlLexedStatement& statement);

  // Returns nullptr and sets *error when the statement is not understood.
  std::unique_ptr<TSqlStatement> parse(QString* error);

 private:
  std::unique_ptr<TSqlStatement> statement();
  std::unique_ptr<TSqlStatement> insertStatement();
  std::unique_ptr<TSqlStatement> updateStatement();
  std::unique_ptr<TSqlStatement> deleteStatement();
  std::unique_ptr<TSqlSelect> select();
  TSqlSelectCore selectCore();
  void selectItems(TSqlSelectCore& core);
  void fromClause(TSqlSelectCore& core);
  TSqlTableRef tableRef();
  void tableName(TSqlTableRef& ref);
  QString optionalAlias();
  std::vector<TSqlOrderItem> orderBy();

  TSqlExprPtr expr();
  TSqlExprPtr andExpr();
  TSqlExprPtr notExpr();
  TSqlExprPtr predicate();
  TSqlExprPtr additive();
  TSqlExprPtr multiplicative();
  TSqlExprPtr unary();
  TSqlExprPtr primary();
  TSqlExprPtr caseExpr();
  TSqlExprPtr functionCall(const QString& name);
  TSqlExprPtr conversion();
  TSqlExprPtr columnRef(const QString& first);
  TSqlExprPtr inTail(TSqlExprPtr left, bool negated);

  const TSqlToken& peek(int k = 0) const;
  const TSqlToken& next();
  bool isWord(const char* word, int k = 0) const;
  bool isSymbol(const char* symbol, int k = 0) const;
  bool acceptWord(const char* word);
  bool acceptSymbol(const char* symbol);
  void expectWord(const char* word);
  void expectSymbol(const char* symbol);
  QString name();
  bool isNameToken(int k = 0) const;
  [[noreturn]] void unsupported(const QString& what = QString()) const;

  const TSqlLexedStatement& st;
  int pos = 0;
};

}  // namespace zolmar
