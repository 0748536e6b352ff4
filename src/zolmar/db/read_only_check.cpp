#include "zolmar/db/read_only_check.h"

#include <QVector>

#include "zolmar/db/tsql_lexer.h"
#include "zolmar/db/tsql_parser.h"

namespace zolmar {

QString ReadOnlyCheck::message(const QString& reason) {
  return QStringLiteral("Solo se puede ejecutar una consulta, una única sentencia SELECT: %1.").arg(reason);
}

QString ReadOnlyCheck::refusal(const QString& tsql) {
  QVector<TSqlLexedStatement> statements;
  QString error;
  if (!TSqlLexer().lex(tsql, &statements, &error))
    return message(QStringLiteral("no se entiende el texto (%1)").arg(error));
  if (statements.isEmpty()) return message(QStringLiteral("no hay ninguna sentencia"));
  // A second statement is where a write hides behind a harmless SELECT.
  if (statements.size() > 1)
    return message(QStringLiteral("el texto tiene %1 sentencias").arg(statements.size()));
  auto statement = TSqlParser(statements.front()).parse(&error);
  // Whatever the parser does not know (DROP, ATTACH, PRAGMA, WITH ...) is refused too.
  if (!statement) return message(QStringLiteral("no se entiende la sentencia (%1)").arg(error));
  switch (statement->kind) {
    case TSqlStatement::Select:
      return QString();
    case TSqlStatement::Insert:
      return message(QStringLiteral("la sentencia es un INSERT"));
    case TSqlStatement::Update:
      return message(QStringLiteral("la sentencia es un UPDATE"));
    case TSqlStatement::Delete:
      return message(QStringLiteral("la sentencia es un DELETE"));
  }
  return message(QStringLiteral("la sentencia no es un SELECT"));
}

}  // namespace zolmar
