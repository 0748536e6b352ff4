#pragma once
// Translates the T-SQL the module writes into an engine's SQL (SQLite by
// default, or the dialect given).

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

#include "zolmar/db/tsql/tsql_dialect.h"

namespace zolmar {

// One statement, ready for the engine.
struct TSqlTranslation {
  QString sql;                 // the engine's text; lifted literals appear as ?1 (or $1), ?2, ...
  QVector<QVariant> literals;  // values bound to them in order
  QStringList databases;       // other databases named ("ZolmarInstalacion", "Master")
  bool isInsert = false;       // mode 9 gives the new id of an INSERT
  QString error;               // not empty: refused, nothing to run

  bool ok() const { return error.isEmpty(); }
};

// Tells the translator the declared type of a column, so that '+' can be
// decided between concatenation and addition. Returns "" when unknown.
class ColumnTypes {
 public:
  virtual ~ColumnTypes() = default;
  virtual QString columnType(const QString& table, const QString& column) const = 0;
};

class TSqlTranslator {
 public:
  explicit TSqlTranslator(std::shared_ptr<const ColumnTypes> types = nullptr,
                          const TSqlDialect& dialect = TSqlDialect::sqlite());
  ~TSqlTranslator();

  // Splits a batch (statements joined with ";" outside quotes) and translates
  // each statement. A refused statement carries its error.
  QVector<TSqlTranslation> translateBatch(const QString& tsql);
  TSqlTranslation translate(const QString& statement);

  // The cache hit of translate without copies: the cached translation of a text
  // holding one statement (its literals left empty; cachedLiterals() has them),
  // valid until the next call into the translator. Null when the text has to go
  // through translateBatch: a batch, a shape not seen yet, a refusal, or a text
  // that depends on its literal values.
  const TSqlTranslation* cachedTranslation(const QString& tsql);
  const QVector<QVariant>& cachedLiterals() const;

  // Number of distinct statement shapes parsed so far (the cache size).
  qsizetype cachedShapes() const;

  // Name of the connection's own database: "Name..Table" with this name is a
  // table of the main database, not an attached one.
  void setCurrentDatabase(const QString& name);

 private:
  bool lexAndTranslate(const QString& tsql, QVector<TSqlTranslation>* out);
  struct Impl;
  std::unique_ptr<Impl> d;
};

}  // namespace zolmar
