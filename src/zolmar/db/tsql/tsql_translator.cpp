#include "zolmar/db/tsql/tsql_translator.h"

#include <array>

#include "zolmar/db/tsql/tsql_emitter.h"
#include "zolmar/db/tsql/tsql_lexer.h"
#include "zolmar/db/tsql/tsql_parser.h"
#include "zolmar/db/tsql/tsql_shape_key.h"
#include "zolmar/db/tsql/tsql_shape_template.h"

namespace zolmar {

namespace {

// Ad-hoc statements (IN lists of every length) would grow the cache without end.
constexpr qsizetype kMaxShapes = 4096;

struct CachedShape {
  TSqlTranslation translation;                // without literals
  std::shared_ptr<const TSqlStatement> tree;  // kept only when the text depends on literal values
};

}  // namespace

struct TSqlTranslator::Impl {
  const TSqlDialect* dialect = nullptr;
  std::shared_ptr<const ColumnTypes> types;
  QString currentDatabase;
  TSqlLexer lexer;
  QHash<TSqlShape, CachedShape> cache;
  TSqlShape key;                   // shape of the last cache look-up
  QVector<QVariant> literals;      // and its literal values
  QVector<TSqlLiteralSpan> spans;  // and where they stood
  // The texts of the last hits, each with its translation (valid until the
  // cache changes): a loop that alternates a read and a write finds both.
  struct RecentHit {
    TSqlShapeTemplate text;
    const TSqlTranslation* hit = nullptr;
  };
  std::array<RecentHit, 4> recent;
  size_t nextRecent = 0;

  void cacheChanges() {
    for (RecentHit& r : recent) {
      r.hit = nullptr;
      r.text.forget();
    }
  }

  TSqlTranslation translate(TSqlLexedStatement& st);
  CachedShape build(const TSqlLexedStatement& st);
};

TSqlTranslator::TSqlTranslator(std::shared_ptr<const ColumnTypes> types, const TSqlDialect& dialect)
    : d(std::make_unique<Impl>()) {
  d->dialect = &dialect;
  d->types = std::move(types);
}

TSqlTranslator::~TSqlTranslator() = default;

QVector<TSqlTranslation> TSqlTranslator::translateBatch(const QString& tsql) {
  QVector<TSqlTranslation> out;
  if (const TSqlTranslation* hit = cachedTranslation(tsql)) {
    out.push_back(*hit);
    // Handed over, not shared: clearing a shared list allocates its whole capacity again.
    out.front().literals.swap(d->literals);
    return out;
  }
  // A batch repeats a few shapes many times: each statement is keyed in one
  // pass, and only a shape not seen before goes through the lexer. Whatever
  // the quick pass cannot read sends the rest of the batch to the lexer.
  qsizetype position = 0;
  for (;;) {
    while (position < tsql.size() && tsql.at(position).isSpace()) ++position;
    if (position == tsql.size()) return out;
    const qsizetype start = position;
    if (!TSqlShapeKey::computeNext(tsql, &position, &d->key.text, &d->literals)) {
      lexAndTranslate(tsql.mid(start), &out);
      return out;
    }
    d->key.hash = TSqlShapeKey::hashOf(d->key.text);
    const auto it = d->cache.constFind(d->key);
    if (it != d->cache.constEnd() && !it->tree && it->translation.ok()) {
      out.push_back(it->translation);
      out.back().literals.swap(d->literals);
    } else if (!lexAndTranslate(tsql.mid(start, position - start), &out)) {
      return out;
    }
  }
}

// False when the text could not be lexed (out then ends with the refusal).
bool TSqlTranslator::lexAndTranslate(const QString& tsql, QVector<TSqlTranslation>* out) {
  QVector<TSqlLexedStatement> statements;
  QString error;
  if (!d->lexer.lex(tsql, &statements, &error)) {
    TSqlTranslation refused;
    refused.error = error;
    out->push_back(refused);
    return false;
  }
  for (TSqlLexedStatement& st : statements) out->push_back(d->translate(st));
  return true;
}

TSqlTranslation TSqlTranslator::translate(const QString& statement) {
  QVector<TSqlTranslation> all = translateBatch(statement);
  if (all.size() == 1) return all.front();
  TSqlTranslation refused;
  refused.error = all.isEmpty() ? QStringLiteral("Instrucción vacía")
                                : QStringLiteral("Se esperaba una sola instrucción y hay %1").arg(all.size());
  return refused;
}

const TSqlTranslation* TSqlTranslator::cachedTranslation(const QString& tsql) {
  for (const Impl::RecentHit& r : d->recent)
    if (r.hit && r.text.matches(tsql, &d->literals)) return r.hit;
  const bool quick = TSqlShapeKey::compute(tsql, &d->key.text, &d->literals, &d->spans);
  if (!quick && !d->lexer.shapeOf(tsql, &d->key.text, &d->literals)) return nullptr;
  d->key.hash = TSqlShapeKey::hashOf(d->key.text);
  const auto it = d->cache.constFind(d->key);
  if (it == d->cache.constEnd() || it->tree || !it->translation.ok()) return nullptr;
  if (quick) {
    Impl::RecentHit& slot = d->recent[d->nextRecent];
    d->nextRecent = (d->nextRecent + 1) % d->recent.size();
    slot.text.remember(tsql, &d->spans);
    slot.hit = &it->translation;
  }
  return &it->translation;
}

const QVector<QVariant>& TSqlTranslator::cachedLiterals() const { return d->literals; }

qsizetype TSqlTranslator::cachedShapes() const { return d->cache.size(); }

void TSqlTranslator::setCurrentDatabase(const QString& name) {
  d->currentDatabase = name;
  d->cacheChanges();
  d->cache.clear();
}

TSqlTranslation TSqlTranslator::Impl::translate(TSqlLexedStatement& st) {
  const TSqlShape shape{st.shape, TSqlShapeKey::hashOf(st.shape)};
  auto it = cache.constFind(shape);
  if (it == cache.constEnd()) {
    cacheChanges();
    if (cache.size() >= kMaxShapes) cache.clear();
    it = cache.insert(shape, build(st));
  }
  TSqlTranslation t = it->translation;
  if (it->tree) {
    TSqlEmitter emitter(*dialect, types.get(), st.literals, currentDatabase);
    emitter.write(*it->tree, &t, &t.error);
  }
  if (t.ok()) t.literals = std::move(st.literals);
  return t;
}

CachedShape TSqlTranslator::Impl::build(const TSqlLexedStatement& st) {
  CachedShape shape;
  TSqlParser parser(st);
  std::shared_ptr<TSqlStatement> tree = parser.parse(&shape.translation.error);
  if (!tree) return shape;
  TSqlEmitter emitter(*dialect, types.get(), st.literals, currentDatabase);
  if (emitter.write(*tree, &shape.translation, &shape.translation.error) && emitter.hasInlinedLiterals())
    shape.tree = tree;
  return shape;
}

}  // namespace zolmar
