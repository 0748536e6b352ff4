#pragma once
// What differs between the engines the translator writes for: how names and
// values are written, which function or cast stands for a T-SQL one, how text
// is compared in Spanish and how LIKE matches. The emitter asks; the parse
// tree and the shape cache are the same for every engine.

#include <QString>
#include <QStringList>

namespace zolmar {

// What an expression holds, as far as the translation can tell.
enum class TSqlType { Unknown, Text, Number };

class TSqlDialect {
 public:
  // A T-SQL function on this engine: %1.. the arguments ("*" all of them).
  struct Function {
    int minArgs;
    int maxArgs;
    const char* pattern;
    int resultType;  // 0 unknown, 1 text, 2 number, -1 type of the first argument
  };

  static const TSqlDialect& sqlite();
  static const TSqlDialect& postgres();

  virtual ~TSqlDialect() = default;

  // A table, alias or column name as the engine finds it.
  virtual QString name(const QString& name) const = 0;
  // A column alias, as the rows read back are to name it.
  virtual QString alias(const QString& alias) const = 0;
  // The lifted literal number index (0-based).
  virtual QString param(int index) const = 0;
  // The table "database..name" of another database of the server.
  virtual QString table(const QString& database, const QString& name) const = 0;

  // The expression compared in the Spanish order, case-insensitive.
  virtual QString collate(const QString& sql) const = 0;
  // Whether an expression of this type that is not a plain column needs collate().
  virtual bool collates(TSqlType type) const = 0;
  // A select item; plain tells it is a column as it is.
  virtual QString outputColumn(const QString& sql, TSqlType type, bool plain) const = 0;
  // An ORDER BY naming an output column by its name.
  virtual QString orderByOutput(const QString& name, TSqlType type, bool plain) const = 0;
  // " DESC" and what else places NULLs first, as SQL Server does.
  virtual QString direction(bool descending) const = 0;
  // A text literal compared with text: trailing blanks do not count.
  virtual QString comparedLiteral(const QString& sql) const = 0;

  // text LIKE pattern [ESCAPE escape]; ranged when text is a text column and
  // the pattern a constant, so that an index on the column can narrow it.
  virtual QString like(const QString& text, const QString& pattern, const QString& escape,
                       bool ranged) const = 0;
  // '+' of operands whose types decide at run time between joining and adding.
  virtual QString add(const QString& a, const QString& b) const = 0;
  virtual QString exclusiveOr(const QString& a, const QString& b) const = 0;
  // One member of a UNION that has its own TOP.
  virtual QString limitedMember(const QString& select) const = 0;

  // Null when the engine has no such function.
  virtual const Function* function(const QString& name) const = 0;
  // CAST(value AS type(size, scale)); sizes are -1 when not given, star for
  // (MAX). Empty when the type is not understood.
  virtual QString cast(const QString& value, const QString& type, qlonglong size, qlonglong scale,
                       bool star) const = 0;

 protected:
  // The functions every engine writes as T-SQL does (aggregates, ABS, COALESCE).
  static const Function* shared(const QString& name);
};

}  // namespace zolmar
