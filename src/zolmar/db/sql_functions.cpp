#include "zolmar/db/sql_functions.h"

#include <sqlite3.h>

namespace zolmar {

namespace {

int compareCaseless(void*, int n1, const void* p1, int n2, const void* p2) {
  QString a = QString::fromUtf8(static_cast<const char*>(p1), n1);
  QString b = QString::fromUtf8(static_cast<const char*>(p2), n2);
  while (a.endsWith(' ')) a.chop(1);
  while (b.endsWith(' ')) b.chop(1);
  return a.compare(b, Qt::CaseInsensitive);
}

}  // namespace

bool registerSqlFunctions(sqlite3* db, QString* error) {
  int rc = sqlite3_create_collation_v2(db, "ES_CI_AS", SQLITE_UTF8, nullptr, compareCaseless, nullptr);
  if (rc != SQLITE_OK) {
    if (error) *error = QString::fromUtf8(sqlite3_errmsg(db));
    return false;
  }
  return true;
}

}  // namespace zolmar
