#include "zolmar/db/engine/pg_column_types.h"

#ifdef ZOLMAR_HAVE_PG
#include <libpq-fe.h>

namespace zolmar {

bool PgColumnTypes::load(const QString& table, Columns* columns) const {
  // A failed transaction answers nothing until it is rolled back: the types stay unknown.
  if (PQtransactionStatus(conn_) == PQTRANS_INERROR) return false;
  const QByteArray name = table.toLower().toUtf8();
  const char* values[] = {name.constData()};
  PGresult* r = PQexecParams(conn_,
                             "SELECT upper(a.attname), upper(format_type(a.atttypid, a.atttypmod)) "
                             "FROM pg_attribute a WHERE a.attrelid = to_regclass(quote_ident($1)) "
                             "AND a.attnum > 0 AND NOT a.attisdropped",
                             1, nullptr, values, nullptr, nullptr, 0);
  if (PQresultStatus(r) == PGRES_TUPLES_OK) {
    for (int i = 0; i < PQntuples(r); ++i)
      columns->insert(QString::fromUtf8(PQgetvalue(r, i, 0)), QString::fromUtf8(PQgetvalue(r, i, 1)));
  }
  PQclear(r);
  return !columns->isEmpty();
}

}  // namespace zolmar
#endif
