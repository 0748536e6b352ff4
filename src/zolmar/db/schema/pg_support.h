#pragma once
// What the translated T-SQL calls on a PostgreSQL server, in the schema
// "tsql" shared by every database of the server: the Spanish collation,
// T-SQL's LIKE, ISNUMERIC and '+', and the list of the server's databases.

#include <QStringList>

namespace zolmar {

class PgSupport {
 public:
  // Statements that create or replace it all; they leave what exists alone
  // and wait for another session doing the same.
  static QStringList statements();
};

}  // namespace zolmar
