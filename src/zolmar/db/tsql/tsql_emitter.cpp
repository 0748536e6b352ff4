#include "zolmar/db/tsql/tsql_emitter.h"

#include <QHash>

namespace zolmar {

namespace {

struct EmitError {
  QString message;
};

TSqlEmitter::Type typeOfDeclaration(const QString& declared) {
  const QString d = declared.toUpper();
  if (d.isEmpty()) return TSqlEmitter::Type::Unknown;
  if (d.contains("CHAR") || d.contains("TEXT") || d.contains("CLOB")) return TSqlEmitter::Type::Text;
  static const char* const numeric[] = {"INT", "REAL", "FLOA", "DOUB", "NUM", "DEC", "BIT", "MONEY"};
  for (const char* n : numeric)
    if (d.contains(QLatin1String(n))) return TSqlEmitter::Type::Number;
  return TSqlEmitter::Type::Unknown;
}

}  // namespace

TSqlEmitter::TSqlEmitter(const TSqlDialect& dialect, const ColumnTypes* types,
                         const QVector<QVariant>& literals, const QString& currentDatabase)
    : dialect(dialect), types(types), literals(literals), currentDatabase(currentDatabase) {}

void TSqlEmitter::refuse(const QString& message) const { throw EmitError{message}; }

bool TSqlEmitter::write(const TSqlStatement& s, TSqlTranslation* out, QString* error) {
  try {
    QString sql;
    statement(s, sql);
    out->sql = sql;
    out->databases = databases;
    out->isInsert = s.kind == TSqlStatement::Insert;
    return true;
  } catch (const EmitError& e) {
    if (error) *error = e.message;
    return false;
  }
}

void TSqlEmitter::statement(const TSqlStatement& s, QString& out) {
  Scope scope;
  switch (s.kind) {
    case TSqlStatement::Select:
      select(*s.select, nullptr, out);
      return;
    case TSqlStatement::Insert: {
      out += QStringLiteral("INSERT INTO ") + tableName(s.table);
      if (!s.columns.isEmpty()) {
        QStringList cols;
        for (const QString& c : s.columns) cols << dialect.name(c);
        out += QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + ')';
      }
      if (s.select) {
        out += ' ';
        select(*s.select, nullptr, out);
        return;
      }
      QStringList rows;
      for (const auto& row : s.values) {
        QStringList values;
        for (const auto& v : row) values << expr(*v, scope).sql;
        rows << '(' + values.join(QStringLiteral(", ")) + ')';
      }
      out += QStringLiteral(" VALUES ") + rows.join(QStringLiteral(", "));
      return;
    }
    case TSqlStatement::Update:
    case TSqlStatement::Delete: {
      scope.sources.push_back({s.table.name.toLower(), s.table.name, {}});
      if (s.kind == TSqlStatement::Update) {
        out += QStringLiteral("UPDATE ") + tableName(s.table) + QStringLiteral(" SET ");
        QStringList sets;
        for (const auto& a : s.sets)
          sets << dialect.name(a.column) + QStringLiteral(" = ") + expr(*a.value, scope).sql;
        out += sets.join(QStringLiteral(", "));
      } else {
        out += QStringLiteral("DELETE FROM ") + tableName(s.table);
      }
      if (s.where) out += QStringLiteral(" WHERE ") + expr(*s.where, scope).sql;
      return;
    }
  }
}

QString TSqlEmitter::tableName(const TSqlTableRef& ref) {
  if (ref.database.isEmpty() || ref.database.compare(currentDatabase, Qt::CaseInsensitive) == 0)
    return dialect.name(ref.name);
  bool listed = false;
  for (const QString& d : databases) listed = listed || d.compare(ref.database, Qt::CaseInsensitive) == 0;
  if (!listed) databases << ref.database;
  return dialect.table(ref.database, ref.name);
}

QVector<TSqlEmitter::Column> TSqlEmitter::select(const TSqlSelect& s, const Scope* parent, QString& out) {
  if (s.cores.size() == 1) return core(s.cores.front(), parent, &s, out);
  QVector<Column> columns;
  for (const TSqlSelectCore& c : s.cores) {
    if (!c.compoundOp.isEmpty()) out += ' ' + c.compoundOp + ' ';
    QString part;
    QVector<Column> cols = core(c, parent, nullptr, part);
    if (columns.isEmpty()) columns = cols;
    // A TOP of one member of a compound limits that member alone.
    out += c.top ? dialect.limitedMember(part) : part;
  }
  if (!s.orderBy.empty()) {
    Scope scope;
    scope.parent = parent;
    scope.sources.push_back({QString(), QString(), columns});
    orderBy(s.orderBy, scope, s.cores.front(), columns, out);
  }
  return columns;
}

QVector<TSqlEmitter::Column> TSqlEmitter::nestedSelect(const TSqlSelect& s, const Scope* parent,
                                                       QString& out) {
  ++nested;
  QVector<Column> columns = select(s, parent, out);
  --nested;
  return columns;
}

QVector<TSqlEmitter::Column> TSqlEmitter::core(const TSqlSelectCore& c, const Scope* parent,
                                               const TSqlSelect* whole, QString& out) {
  Scope scope;
  scope.parent = parent;
  QString fromSql;
  if (!c.from.empty()) from(c.from, scope, fromSql);
  out += c.distinct ? QStringLiteral("SELECT DISTINCT ") : QStringLiteral("SELECT ");
  QVector<Column> columns;
  QStringList items;
  for (const TSqlSelectItem& item : c.items) {
    const Typed t = expr(*item.expr, scope);
    const bool plain = item.expr->kind == TSqlExpr::Column || item.expr->kind == TSqlExpr::Star;
    QString sql = dialect.outputColumn(t.sql, t.type, plain);
    QString name = item.alias;
    if (!item.alias.isEmpty()) {
      sql += QStringLiteral(" AS ") + outputName(item);
    } else if (item.expr->kind == TSqlExpr::Column) {
      name = item.expr->name;
      // The rows read back name the column as the statement wrote it, even
      // where the engine folds names.
      if (nested == 0 && dialect.name(name) != dialect.alias(name))
        sql += QStringLiteral(" AS ") + dialect.alias(name);
    }
    items << sql;
    columns.push_back({name, t.type});
  }
  out += items.join(QStringLiteral(", "));
  if (!fromSql.isEmpty()) out += QStringLiteral(" FROM ") + fromSql;
  if (c.where) out += QStringLiteral(" WHERE ") + expr(*c.where, scope).sql;
  if (!c.groupBy.empty()) {
    QStringList groups;
    for (const auto& g : c.groupBy) groups << expr(*g, scope).sql;
    out += QStringLiteral(" GROUP BY ") + groups.join(QStringLiteral(", "));
  }
  if (c.having) out += QStringLiteral(" HAVING ") + expr(*c.having, scope).sql;
  if (whole && !whole->orderBy.empty()) orderBy(whole->orderBy, scope, c, columns, out);
  if (c.top) out += QStringLiteral(" LIMIT ") + expr(*c.top, scope).sql;
  return columns;
}

void TSqlEmitter::orderBy(const std::vector<TSqlOrderItem>& items, const Scope& scope,
                          const TSqlSelectCore& c, const QVector<Column>& columns, QString& out) {
  QStringList terms;
  for (const TSqlOrderItem& item : items) {
    const TSqlExpr& e = *item.expr;
    QString term;
    if (e.kind == TSqlExpr::Literal && !e.stringLiteral) {
      term = literals[e.param].toString();  // a column position, not a value
      inlined = true;
    } else {
      int aliasIndex = -1;
      if (e.kind == TSqlExpr::Column && e.qualifier.isEmpty()) {
        for (int i = 0; i < columns.size() && aliasIndex < 0; ++i)
          if (columns[i].name.compare(e.name, Qt::CaseInsensitive) == 0) aliasIndex = i;
      }
      if (aliasIndex >= 0) {
        const bool known = size_t(aliasIndex) < c.items.size();
        const bool plainColumn = known && c.items[aliasIndex].expr->kind == TSqlExpr::Column;
        term = dialect.orderByOutput(known ? outputName(c.items[aliasIndex]) : dialect.name(e.name),
                                     columns[aliasIndex].type, plainColumn);
      } else {
        term = collated(e, expr(e, scope));
      }
    }
    terms << term + dialect.direction(item.descending);
  }
  out += QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
}

void TSqlEmitter::from(const std::vector<TSqlTableRef>& refs, Scope& scope, QString& out) {
  for (const TSqlTableRef& ref : refs) {
    if (!ref.join.isEmpty())
      out += ref.join == QLatin1String(",") ? QStringLiteral(", ") : ' ' + ref.join + ' ';
    Source source;
    if (ref.derived) {
      QString sub;
      source.columns = nestedSelect(*ref.derived, scope.parent, sub);
      out += '(' + sub + ')';
    } else {
      out += tableName(ref);
      source.table = ref.name;
    }
    source.key = (ref.alias.isEmpty() ? ref.name : ref.alias).toLower();
    if (!ref.alias.isEmpty()) out += QStringLiteral(" AS ") + dialect.name(ref.alias);
    scope.sources.push_back(source);
    if (ref.on) out += QStringLiteral(" ON ") + expr(*ref.on, scope).sql;
  }
}

TSqlEmitter::Type TSqlEmitter::columnType(const TSqlExpr& e, const Scope& scope) const {
  const QString key = e.qualifier.toLower();
  for (const Scope* s = &scope; s; s = s->parent) {
    for (const Source& source : s->sources) {
      if (!key.isEmpty() && source.key != key) continue;
      for (const Column& c : source.columns)
        if (c.name.compare(e.name, Qt::CaseInsensitive) == 0) return c.type;
      if (types && !source.table.isEmpty()) {
        const Type t = typeOfDeclaration(types->columnType(source.table, e.name));
        if (t != Type::Unknown || !key.isEmpty()) return t;
      }
      if (!key.isEmpty()) return Type::Unknown;
    }
  }
  return Type::Unknown;
}

// A column compares with its declared collation; any other text expression
// gets the collation explicitly.
QString TSqlEmitter::collated(const TSqlExpr& e, const Typed& t) const {
  if (e.kind == TSqlExpr::Column || !dialect.collates(t.type)) return t.sql;
  return dialect.collate(t.sql);
}

// An alias of the outermost select names a column of the rows read back, as
// written; inside, it is one more name.
QString TSqlEmitter::outputName(const TSqlSelectItem& item) const {
  const QString& name = item.alias.isEmpty() ? item.expr->name : item.alias;
  return nested > 0 || item.alias.isEmpty() ? dialect.name(name) : dialect.alias(name);
}

TSqlEmitter::Typed TSqlEmitter::expr(const TSqlExpr& e, const Scope& scope) {
  switch (e.kind) {
    case TSqlExpr::Column: {
      QString sql = e.qualifier.isEmpty() ? dialect.name(e.name)
                                          : dialect.name(e.qualifier) + '.' + dialect.name(e.name);
      return {sql, columnType(e, scope)};
    }
    case TSqlExpr::Star:
      return {e.qualifier.isEmpty() ? QStringLiteral("*") : dialect.name(e.qualifier) + QStringLiteral(".*"),
              Type::Unknown};
    case TSqlExpr::Literal:
      return {dialect.param(e.param), e.stringLiteral ? Type::Text : Type::Number};
    case TSqlExpr::Null:
      return {QStringLiteral("NULL"), Type::Unknown};
    case TSqlExpr::Unary: {
      const Typed a = expr(*e.args[0], scope);
      if (e.op == QLatin1String("NOT")) return {QStringLiteral("(NOT ") + a.sql + ')', Type::Number};
      return {'(' + e.op + a.sql + ')', Type::Number};
    }
    case TSqlExpr::Binary:
      return binary(e, scope);
    case TSqlExpr::Function:
      return function(e, scope);
    case TSqlExpr::Case:
      return caseExpr(e, scope);
    case TSqlExpr::Subquery: {
      QString sub;
      const QVector<Column> cols = nestedSelect(*e.select, &scope, sub);
      return {'(' + sub + ')', cols.isEmpty() ? Type::Unknown : cols.first().type};
    }
    default:
      return predicate(e, scope);
  }
}

TSqlEmitter::Typed TSqlEmitter::predicate(const TSqlExpr& e, const Scope& scope) {
  const QString no = e.negated ? QStringLiteral("NOT ") : QString();
  QString sql;
  if (e.kind == TSqlExpr::Exists) {
    QString sub;
    nestedSelect(*e.select, &scope, sub);
    return {'(' + no + QStringLiteral("EXISTS (") + sub + QStringLiteral("))"), Type::Number};
  }
  const Typed left = expr(*e.args[0], scope);
  switch (e.kind) {
    case TSqlExpr::Like: {
      const QString pattern = expr(*e.args[1], scope).sql;
      const QString escape = e.args.size() > 2 ? expr(*e.args[2], scope).sql : QString();
      // A text column matched against a constant pattern also gets the range
      // in which every match sorts, so that an index on the column narrows
      // the rows tested instead of testing them all.
      const bool ranged = !e.negated && e.args.size() == 2 && e.args[0]->kind == TSqlExpr::Column &&
                          left.type == Type::Text && e.args[1]->kind == TSqlExpr::Literal;
      return {'(' + no + dialect.like(left.sql, pattern, escape, ranged) + ')', Type::Number};
    }
    case TSqlExpr::IsNull:
      return {'(' + left.sql + QStringLiteral(" IS ") + no + QStringLiteral("NULL)"), Type::Number};
    case TSqlExpr::InList: {
      QStringList values;
      for (size_t i = 1; i < e.args.size(); ++i) values << expr(*e.args[i], scope).sql;
      return {'(' + collated(*e.args[0], left) + ' ' + no + QStringLiteral("IN (") +
                  values.join(QStringLiteral(", ")) + QStringLiteral("))"),
              Type::Number};
    }
    case TSqlExpr::InSelect: {
      QString sub;
      nestedSelect(*e.select, &scope, sub);
      return {'(' + left.sql + ' ' + no + QStringLiteral("IN (") + sub + QStringLiteral("))"), Type::Number};
    }
    case TSqlExpr::Between:
      return {'(' + collated(*e.args[0], left) + ' ' + no + QStringLiteral("BETWEEN ") +
                  expr(*e.args[1], scope).sql + QStringLiteral(" AND ") + expr(*e.args[2], scope).sql + ')',
              Type::Number};
    default:
      refuse(QStringLiteral("Expresión no admitida"));
  }
}

// A text literal compared with text.
bool TSqlEmitter::textLiteral(const TSqlExpr& e, const Typed& other) {
  return e.kind == TSqlExpr::Literal && e.stringLiteral && other.type == Type::Text;
}

TSqlEmitter::Typed TSqlEmitter::comparison(const QString& op, const TSqlExpr& l, const TSqlExpr& r,
                                           const Scope& scope) {
  static const QHash<QString, QString> ops = {{"!=", "<>"}, {"!<", ">="}, {"!>", "<="}};
  const Typed a = expr(l, scope);
  const Typed b = expr(r, scope);
  QString left = textLiteral(l, b) ? dialect.comparedLiteral(a.sql) : a.sql;
  const QString right = textLiteral(r, a) ? dialect.comparedLiteral(b.sql) : b.sql;
  const bool anyColumn = l.kind == TSqlExpr::Column || r.kind == TSqlExpr::Column;
  if (!anyColumn && a.type != Type::Number && b.type != Type::Number &&
      (dialect.collates(a.type) || dialect.collates(b.type)))
    left = dialect.collate(left);
  return {'(' + left + ' ' + ops.value(op, op) + ' ' + right + ')', Type::Number};
}

TSqlEmitter::Typed TSqlEmitter::binary(const TSqlExpr& e, const Scope& scope) {
  const QString& op = e.op;
  static const QSet<QString> comparisons = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
  if (comparisons.contains(op)) return comparison(op, *e.args[0], *e.args[1], scope);
  const Typed a = expr(*e.args[0], scope);
  const Typed b = expr(*e.args[1], scope);
  if (op == QLatin1String("AND") || op == QLatin1String("OR"))
    return {'(' + a.sql + ' ' + op + ' ' + b.sql + ')', Type::Number};
  if (op == QLatin1String("+")) {
    if (a.type == Type::Text && b.type == Type::Text)
      return {'(' + a.sql + QStringLiteral(" || ") + b.sql + ')', Type::Text};
    if (a.type == Type::Number && b.type == Type::Number)
      return {'(' + a.sql + QStringLiteral(" + ") + b.sql + ')', Type::Number};
    // Decided on the values: text with text concatenates, otherwise numbers add.
    const Type t = (a.type == Type::Number || b.type == Type::Number) ? Type::Number : Type::Unknown;
    return {dialect.add(a.sql, b.sql), t};
  }
  if (op == QLatin1String("^")) return {dialect.exclusiveOr(a.sql, b.sql), Type::Number};
  return {'(' + a.sql + ' ' + op + ' ' + b.sql + ')', Type::Number};
}

TSqlEmitter::Typed TSqlEmitter::caseExpr(const TSqlExpr& e, const Scope& scope) {
  QString sql = QStringLiteral("(CASE");
  size_t i = 0;
  if (e.hasCaseBase) sql += ' ' + expr(*e.args[i++], scope).sql;
  Type type = Type::Unknown;
  const size_t pairsEnd = e.hasElse ? e.args.size() - 1 : e.args.size();
  for (; i + 1 < pairsEnd + 1 && i < pairsEnd; i += 2) {
    const Typed then = expr(*e.args[i + 1], scope);
    sql += QStringLiteral(" WHEN ") + expr(*e.args[i], scope).sql + QStringLiteral(" THEN ") + then.sql;
    if (type == Type::Unknown) type = then.type;
  }
  if (e.hasElse) {
    const Typed other = expr(*e.args.back(), scope);
    sql += QStringLiteral(" ELSE ") + other.sql;
    if (type == Type::Unknown) type = other.type;
  }
  return {sql + QStringLiteral(" END)"), type};
}

}  // namespace zolmar
