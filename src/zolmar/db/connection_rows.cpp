// Connection: reading a SELECT row by row (ReadRows), for reads too large to
// hold as a record set.

#include "zolmar/db/connection.h"
#include "zolmar/db/engine/backend.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

bool Connection::ReadRows(const QString& sql, const RowCallback& onRow) {
  // Recorded as the read-only record set it replaces.
  if (recorder_) recorder_(sql, 5);
  TSqlTranslation translation;
  TSqlTranslator* translator = backend_->translator();
  if (!translator) {
    translation.sql = sql;
  } else if (const TSqlTranslation* hit = translator->cachedTranslation(sql)) {
    translation = *hit;
    translation.literals = translator->cachedLiterals();
  } else {
    const QVector<TSqlTranslation> batch = translator->translateBatch(sql);
    if (batch.size() != 1) {
      fail(batch.isEmpty()
               ? QStringLiteral("No hay ninguna sentencia que ejecutar")
               : QStringLiteral("Una lectura fila a fila admite una sola sentencia [%1]").arg(sql));
      return false;
    }
    if (!batch.first().ok()) {
      fail(QStringLiteral("Sentencia no admitida: %1 [%2]").arg(batch.first().error, sql));
      return false;
    }
    translation = batch.first();
  }
  QString error;
  if ((!translation.databases.isEmpty() && !backend_->useDatabases(translation.databases, &error)) ||
      injectedFault(&error) || !backend_->stream(translation.sql, translation.literals, onRow, &error)) {
    fail(error + " [" + sql + "]");
    return false;
  }
  succeed();
  return true;
}

}  // namespace zolmar
