// Connection: the query a person types (QueryReadOnly). It may read anything
// the program reads and write nothing, whatever it says.

#include "zolmar/db/connection.h"
#include "zolmar/db/engine/backend.h"
#include "zolmar/db/rows/row_set.h"
#include "zolmar/db/tsql/read_only_check.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {

arboles::RecordsetPtr Connection::QueryReadOnly(const QString& sql) {
  if (recorder_) recorder_(sql, 5);
  const QString refused = ReadOnlyCheck::refusal(sql);
  if (!refused.isEmpty()) {
    fail(refused);
    return nullptr;
  }
  StatementResult r;
  QString error;
  bool ok = false;
  if (injectedFault(&error)) {
  } else if (TSqlTranslator* translator = backend_->translator()) {
    const QVector<TSqlTranslation> batch = translator->translateBatch(sql);
    if (batch.size() != 1 || !batch.front().ok()) {
      error = ReadOnlyCheck::message(
          QStringLiteral("no se puede traducir (%1)").arg(batch.isEmpty() ? QString() : batch.front().error));
    } else {
      const TSqlTranslation& t = batch.front();
      // The other databases it names are reached before the statement runs read-only.
      ok = (t.databases.isEmpty() || backend_->useDatabases(t.databases, &error)) &&
           backend_->runReadOnly(t.sql, t.literals, &r, &error);
    }
  } else {
    ok = backend_->runReadOnly(sql, {}, &r, &error);
  }
  if (!ok) {
    fail(error + QStringLiteral(" [") + sql + QStringLiteral("]"));
    return nullptr;
  }
  succeed();
  return std::make_shared<RowSet>(r.names, std::move(r.rows), false);
}

}  // namespace zolmar
