#pragma once
// SQL functions and the Spanish collation the translated T-SQL relies on.

#include <QString>

struct sqlite3;

namespace zolmar {

// Registers the ES_CI_AS collation and the tsql_* functions on a new handle.
bool registerSqlFunctions(sqlite3* db, QString* error);

}  // namespace zolmar
