#include "zolmar/db/tsql/tsql_parser.h"

#include <QSet>

namespace zolmar {

namespace {

struct ParseError {
  QString message;
};

const QSet<QString>& reservedWords() {
  static const QSet<QString> words = {
      "SELECT", "FROM", "WHERE",    "AND",    "OR",        "NOT",   "ORDER",  "GROUP",  "BY",     "HAVING",
      "UNION",  "JOIN", "LEFT",     "RIGHT",  "INNER",     "OUTER", "FULL",   "CROSS",  "ON",     "AS",
      "CASE",   "WHEN", "THEN",     "ELSE",   "END",       "IN",    "IS",     "NULL",   "LIKE",   "BETWEEN",
      "EXISTS", "TOP",  "DISTINCT", "ASC",    "DESC",      "SET",   "VALUES", "INTO",   "INSERT", "UPDATE",
      "DELETE", "ALL",  "ESCAPE",   "EXCEPT", "INTERSECT", "WITH",  "OPTION", "PERCENT"};
  return words;
}

TSqlExprPtr makeExpr(TSqlExpr::Kind kind) {
  auto e = std::make_unique<TSqlExpr>();
  e->kind = kind;
  return e;
}

TSqlExprPtr binary(const QString& op, TSqlExprPtr left, TSqlExprPtr right) {
  auto e = makeExpr(TSqlExpr::Binary);
  e->op = op;
  e->args.push_back(std::move(left));
  e->args.push_back(std::move(right));
  return e;
}

}  // namespace

TSqlParser::TSqlParser(const TSqlLexedStatement& statement) : st(statement) {}

std::unique_ptr<TSqlStatement> TSqlParser::parse(QString* error) {
  try {
    auto result = statement();
    if (peek().kind != TSqlToken::End) unsupported();
    return result;
  } catch (const ParseError& e) {
    if (error) *error = e.message;
    return nullptr;
  }
}

const TSqlToken& TSqlParser::peek(int k) const {
  const int i = std::min<int>(pos + k, st.tokens.size() - 1);
  return st.tokens[i];
}

const TSqlToken& TSqlParser::next() {
  const TSqlToken& t = peek();
  if (t.kind != TSqlToken::End) ++pos;
  return t;
}

bool TSqlParser::isWord(const char* word, int k) const {
  const TSqlToken& t = peek(k);
  return t.kind == TSqlToken::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool TSqlParser::isSymbol(const char* symbol, int k) const {
  const TSqlToken& t = peek(k);
  return t.kind == TSqlToken::Symbol && t.text == QLatin1String(symbol);
}

bool TSqlParser::acceptWord(const char* word) {
  if (!isWord(word)) return false;
  ++pos;
  return true;
}

bool TSqlParser::acceptSymbol(const char* symbol) {
  if (!isSymbol(symbol)) return false;
  ++pos;
  return true;
}

void TSqlParser::expectWord(const char* word) {
  if (!acceptWord(word)) unsupported(QStringLiteral("se esperaba %1").arg(QLatin1String(word)));
}

void TSqlParser::expectSymbol(const char* symbol) {
  if (!acceptSymbol(symbol)) unsupported(QStringLiteral("se esperaba '%1'").arg(QLatin1String(symbol)));
}

bool TSqlParser::isNameToken(int k) const {
  const TSqlToken& t = peek(k);
  if (t.kind == TSqlToken::QuotedName) return true;
  return t.kind == TSqlToken::Word && !reservedWords().contains(t.text.toUpper());
}

QString TSqlParser::name() {
  if (!isNameToken()) unsupported(QStringLiteral("se esperaba un nombre"));
  if (peek().kind == TSqlToken::Word && peek().text.startsWith('@'))
    unsupported(QStringLiteral("variables no admitidas"));
  return next().text;
}

void TSqlParser::unsupported(const QString& what) const {
  const TSqlToken& t = peek();
  QString near;
  if (t.kind == TSqlToken::End) {
    near = QStringLiteral("el final de la instrucción");
  } else if (t.literal >= 0) {
    near = QStringLiteral("'%1'").arg(st.literals[t.literal].toString());
  } else {
    near = QStringLiteral("'%1'").arg(t.text);
  }
  QString message = QStringLiteral("Sintaxis no admitida cerca de %1").arg(near);
  if (!what.isEmpty()) message += QStringLiteral(" (%1)").arg(what);
  throw ParseError{message};
}

std::unique_ptr<TSqlStatement> TSqlParser::statement() {
  if (isWord("SELECT")) {
    auto s = std::make_unique<TSqlStatement>();
    s->select = select();
    return s;
  }
  if (acceptWord("INSERT")) return insertStatement();
  if (acceptWord("UPDATE")) return updateStatement();
  if (acceptWord("DELETE")) return deleteStatement();
  unsupported(QStringLiteral("instrucción desconocida"));
}

std::unique_ptr<TSqlStatement> TSqlParser::insertStatement() {
  auto s = std::make_unique<TSqlStatement>();
  s->kind = TSqlStatement::Insert;
  acceptWord("INTO");
  tableName(s->table);
  if (acceptSymbol("(")) {
    do s->columns << name();
    while (acceptSymbol(","));
    expectSymbol(")");
  }
  if (isWord("SELECT")) {
    s->select = select();
    return s;
  }
  expectWord("VALUES");
  do {
    expectSymbol("(");
    std::vector<TSqlExprPtr> row;
    do row.push_back(expr());
    while (acceptSymbol(","));
    expectSymbol(")");
    if (!s->columns.isEmpty() && int(row.size()) != s->columns.size())
      throw ParseError{QStringLiteral("El número de valores no coincide con el de columnas")};
    s->values.push_back(std::move(row));
  } while (acceptSymbol(","));
  return s;
}

std::unique_ptr<TSqlStatement> TSqlParser::updateStatement() {
  auto s = std::make_unique<TSqlStatement>();
  s->kind = TSqlStatement::Update;
  tableName(s->table);
  expectWord("SET");
  do {
    QString column = name();
    while (acceptSymbol(".")) column = name();  // t.col: the target is the only table
    expectSymbol("=");
    s->sets.push_back({column, expr()});
  } while (acceptSymbol(","));
  if (acceptWord("WHERE")) s->where = expr();
  return s;
}

std::unique_ptr<TSqlStatement> TSqlParser::deleteStatement() {
  auto s = std::make_unique<TSqlStatement>();
  s->kind = TSqlStatement::Delete;
  acceptWord("FROM");
  tableName(s->table);
  if (acceptWord("WHERE")) s->where = expr();
  return s;
}

std::unique_ptr<TSqlSelect> TSqlParser::select() {
  auto s = std::make_unique<TSqlSelect>();
  s->cores.push_back(selectCore());
  for (;;) {
    QString op;
    if (acceptWord("UNION")) {
      op = acceptWord("ALL") ? QStringLiteral("UNION ALL") : QStringLiteral("UNION");
    } else if (acceptWord("EXCEPT")) {
      op = QStringLiteral("EXCEPT");
    } else if (acceptWord("INTERSECT")) {
      op = QStringLiteral("INTERSECT");
    } else {
      break;
    }
    TSqlSelectCore core = selectCore();
    core.compoundOp = op;
    s->cores.push_back(std::move(core));
  }
  if (isWord("ORDER")) s->orderBy = orderBy();
  return s;
}

std::vector<TSqlOrderItem> TSqlParser::orderBy() {
  expectWord("ORDER");
  expectWord("BY");
  std::vector<TSqlOrderItem> items;
  do {
    TSqlOrderItem item;
    item.expr = expr();
    if (acceptWord("DESC")) {
      item.descending = true;
    } else {
      acceptWord("ASC");
    }
    items.push_back(std::move(item));
  } while (acceptSymbol(","));
  return items;
}

TSqlSelectCore TSqlParser::selectCore() {
  expectWord("SELECT");
  TSqlSelectCore core;
  if (acceptWord("DISTINCT")) {
    core.distinct = true;
  } else {
    acceptWord("ALL");
  }
  if (acceptWord("TOP")) {
    if (acceptSymbol("(")) {
      core.top = expr();
      expectSymbol(")");
    } else if (peek().kind == TSqlToken::Number) {
      core.top = primary();
    } else {
      unsupported(QStringLiteral("TOP necesita un número"));
    }
    if (isWord("PERCENT") || isWord("WITH")) unsupported();
  }
  selectItems(core);
  if (acceptWord("FROM")) fromClause(core);
  if (acceptWord("WHERE")) core.where = expr();
  if (acceptWord("GROUP")) {
    expectWord("BY");
    do core.groupBy.push_back(expr());
    while (acceptSymbol(","));
  }
  if (acceptWord("HAVING")) core.having = expr();
  return core;
}

void TSqlParser::selectItems(TSqlSelectCore& core) {
  do {
    TSqlSelectItem item;
    if (acceptSymbol("*")) {
      item.expr = makeExpr(TSqlExpr::Star);
    } else {
      item.expr = expr();
      item.alias = optionalAlias();
    }
    core.items.push_back(std::move(item));
  } while (acceptSymbol(","));
}

QString TSqlParser::optionalAlias() {
  if (acceptWord("AS")) {
    if (peek().kind == TSqlToken::String) return st.literals[next().literal].toString();
    return name();
  }
  if (isNameToken()) return name();
  return QString();
}

void TSqlParser::fromClause(TSqlSelectCore& core) {
  core.from.push_back(tableRef());
  for (;;) {
    QString join;
    if (acceptSymbol(",")) {
      join = QStringLiteral(",");
    } else if (acceptWord("CROSS")) {
      expectWord("JOIN");
      join = QStringLiteral("CROSS JOIN");
    } else if (acceptWord("INNER")) {
      expectWord("JOIN");
      join = QStringLiteral("JOIN");
    } else if (acceptWord("JOIN")) {
      join = QStringLiteral("JOIN");
    } else if (isWord("LEFT") || isWord("RIGHT") || isWord("FULL")) {
      join = next().text.toUpper();
      acceptWord("OUTER");
      expectWord("JOIN");
      join += QStringLiteral(" JOIN");
    } else {
      break;
    }
    TSqlTableRef ref = tableRef();
    ref.join = join;
    if (join != QLatin1String(",") && join != QLatin1String("CROSS JOIN")) {
      expectWord("ON");
      ref.on = expr();
    }
    core.from.push_back(std::move(ref));
  }
}

TSqlTableRef TSqlParser::tableRef() {
  TSqlTableRef ref;
  if (acceptSymbol("(")) {
    if (!isWord("SELECT")) unsupported();
    ref.derived = select();
    expectSymbol(")");
  } else {
    tableName(ref);
  }
  ref.alias = optionalAlias();
  if (ref.derived && ref.alias.isEmpty())
    unsupported(QStringLiteral("una subconsulta en FROM necesita alias"));
  return ref;
}

// table, schema.table, db.schema.table and db..table.
void TSqlParser::tableName(TSqlTableRef& ref) {
  QStringList parts{name()};
  while (acceptSymbol(".")) parts << (isSymbol(".") ? QString() : name());
  if (parts.size() > 3) unsupported(QStringLiteral("nombre de tabla"));
  ref.name = parts.last();
  if (parts.size() == 3) ref.database = parts.first();
  if (parts.size() == 2 && parts.first().isEmpty()) unsupported(QStringLiteral("nombre de tabla"));
}

TSqlExprPtr TSqlParser::expr() {
  TSqlExprPtr left = andExpr();
  while (acceptWord("OR")) left = binary(QStringLiteral("OR"), std::move(left), andExpr());
  return left;
}

TSqlExprPtr TSqlParser::andExpr() {
  TSqlExprPtr left = notExpr();
  while (acceptWord("AND")) left = binary(QStringLiteral("AND"), std::move(left), notExpr());
  return left;
}

TSqlExprPtr TSqlParser::notExpr() {
  if (acceptWord("NOT")) {
    auto e = makeExpr(TSqlExpr::Unary);
    e->op = QStringLiteral("NOT");
    e->args.push_back(notExpr());
    return e;
  }
  return predicate();
}

TSqlExprPtr TSqlParser::predicate() {
  if (acceptWord("EXISTS")) {
    expectSymbol("(");
    auto e = makeExpr(TSqlExpr::Exists);
    e->select = select();
    expectSymbol(")");
    return e;
  }
  TSqlExprPtr left = additive();
  static const char* const comparisons[] = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
  for (const char* op : comparisons) {
    if (acceptSymbol(op)) return binary(QString::fromLatin1(op), std::move(left), additive());
  }
  const bool negated = acceptWord("NOT");
  if (acceptWord("LIKE")) {
    auto e = makeExpr(TSqlExpr::Like);
    e->negated = negated;
    e->args.push_back(std::move(left));
    e->args.push_back(additive());
    if (acceptWord("ESCAPE")) e->args.push_back(additive());
    return e;
  }
  if (acceptWord("IN")) return inTail(std::move(left), negated);
  if (acceptWord("BETWEEN")) {
    auto e = makeExpr(TSqlExpr::Between);
    e->negated = negated;
    e->args.push_back(std::move(left));
    e->args.push_back(additive());
    expectWord("AND");
    e->args.push_back(additive());
    return e;
  }
  if (negated) unsupported();
  if (acceptWord("IS")) {
    auto e = makeExpr(TSqlExpr::IsNull);
    e->negated = acceptWord("NOT");
    expectWord("NULL");
    e->args.push_back(std::move(left));
    return e;
  }
  return left;
}

TSqlExprPtr TSqlParser::inTail(TSqlExprPtr left, bool negated) {
  expectSymbol("(");
  TSqlExprPtr e;
  if (isWord("SELECT")) {
    e = makeExpr(TSqlExpr::InSelect);
    e->select = select();
    e->args.push_back(std::move(left));
  } else {
    e = makeExpr(TSqlExpr::InList);
    e->args.push_back(std::move(left));
    do e->args.push_back(expr());
    while (acceptSymbol(","));
  }
  e->negated = negated;
  expectSymbol(")");
  return e;
}

TSqlExprPtr TSqlParser::additive() {
  TSqlExprPtr left = multiplicative();
  for (;;) {
    const TSqlToken& t = peek();
    if (t.kind != TSqlToken::Symbol ||
        (t.text != "+" && t.text != "-" && t.text != "&" && t.text != "|" && t.text != "^"))
      return left;
    const QString op = next().text;
    left = binary(op, std::move(left), multiplicative());
  }
}

TSqlExprPtr TSqlParser::multiplicative() {
  TSqlExprPtr left = unary();
  for (;;) {
    const TSqlToken& t = peek();
    if (t.kind != TSqlToken::Symbol || (t.text != "*" && t.text != "/" && t.text != "%")) return left;
    const QString op = next().text;
    left = binary(op, std::move(left), unary());
  }
}

TSqlExprPtr TSqlParser::unary() {
  if (isSymbol("-") || isSymbol("+") || isSymbol("~")) {
    auto e = makeExpr(TSqlExpr::Unary);
    e->op = next().text;
    e->args.push_back(unary());
    return e;
  }
  return primary();
}

TSqlExprPtr TSqlParser::primary() {
  const TSqlToken& t = peek();
  if (t.kind == TSqlToken::Number || t.kind == TSqlToken::String) {
    auto e = makeExpr(TSqlExpr::Literal);
    e->param = next().literal;
    e->stringLiteral = t.kind == TSqlToken::String;
    return e;
  }
  if (acceptWord("NULL")) return makeExpr(TSqlExpr::Null);
  if (acceptSymbol("(")) {
    TSqlExprPtr e;
    if (isWord("SELECT")) {
      e = makeExpr(TSqlExpr::Subquery);
      e->select = select();
    } else {
      e = expr();
    }
    expectSymbol(")");
    return e;
  }
  if (acceptWord("CASE")) return caseExpr();
  if ((isWord("CAST") || isWord("CONVERT")) && isSymbol("(", 1)) return conversion();
  if (t.kind == TSqlToken::Word && isSymbol("(", 1)) {
    const QString fn = next().text.toUpper();
    next();
    return functionCall(fn);
  }
  if (isNameToken()) return columnRef(name());
  unsupported();
}

TSqlExprPtr TSqlParser::caseExpr() {
  auto e = makeExpr(TSqlExpr::Case);
  if (!isWord("WHEN")) {
    e->hasCaseBase = true;
    e->args.push_back(expr());
  }
  if (!isWord("WHEN")) unsupported(QStringLiteral("se esperaba WHEN"));
  while (acceptWord("WHEN")) {
    e->args.push_back(expr());
    expectWord("THEN");
    e->args.push_back(expr());
  }
  if (acceptWord("ELSE")) {
    e->hasElse = true;
    e->args.push_back(expr());
  }
  expectWord("END");
  return e;
}

// Called after "name(".
TSqlExprPtr TSqlParser::functionCall(const QString& name) {
  auto e = makeExpr(TSqlExpr::Function);
  e->op = name;
  if (acceptSymbol(")")) return e;
  if (acceptSymbol("*")) {
    e->star = true;
  } else {
    if (acceptWord("DISTINCT")) e->distinct = true;
    do e->args.push_back(expr());
    while (acceptSymbol(","));
  }
  expectSymbol(")");
  return e;
}

// CAST(x AS type[(n[,s])]) and CONVERT(type[(n[,s])], x): op "CAST", name the
// upper-case type, star for (MAX), args the value then the sizes (literals, so the shape stays
// the same whatever the sizes are).
TSqlExprPtr TSqlParser::conversion() {
  const bool isCast = next().text.compare(QLatin1String("CAST"), Qt::CaseInsensitive) == 0;
  next();
  auto e = makeExpr(TSqlExpr::Function);
  e->op = QStringLiteral("CAST");
  TSqlExprPtr value;
  if (isCast) {
    value = expr();
    expectWord("AS");
  }
  e->name = name().toUpper();
  std::vector<TSqlExprPtr> sizes;
  if (acceptSymbol("(")) {
    do {
      if (acceptWord("MAX")) {
        e->star = true;  // no length limit
        continue;
      }
      if (peek().kind != TSqlToken::Number) unsupported(QStringLiteral("tamaño del tipo"));
      sizes.push_back(primary());
    } while (acceptSymbol(","));
    expectSymbol(")");
  }
  if (!isCast) {
    expectSymbol(",");
    value = expr();
    if (isSymbol(",")) unsupported(QStringLiteral("estilo de CONVERT"));
  }
  expectSymbol(")");
  e->args.push_back(std::move(value));
  for (auto& size : sizes) e->args.push_back(std::move(size));
  return e;
}

// name, q.name, s.q.name, q.*, and schema-qualified functions such as DBO.SubArboles(...).
TSqlExprPtr TSqlParser::columnRef(const QString& first) {
  QStringList parts{first};
  while (acceptSymbol(".")) {
    if (acceptSymbol("*")) {
      auto e = makeExpr(TSqlExpr::Star);
      e->qualifier = parts.last();
      return e;
    }
    if (peek().kind == TSqlToken::Word && isSymbol("(", 1)) {
      const QString fn = next().text.toUpper();
      next();
      return functionCall(fn);
    }
    parts << name();
  }
  if (parts.size() > 3) unsupported(QStringLiteral("nombre de columna"));
  auto e = makeExpr(TSqlExpr::Column);
  e->name = parts.last();
  if (parts.size() >= 2) e->qualifier = parts[parts.size() - 2];
  return e;
}

}  // namespace zolmar
