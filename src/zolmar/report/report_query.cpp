#include "zolmar/report/report_query.h"

#include "host/i_connection.h"
#include "host/i_recordset.h"

namespace zolmar {

arboles::RecordsetPtr ReportQuery::Open(arboles::IConnection& cn, const QString& sql) {
  emit QueryInProgress(QStringLiteral("Consultando datos..."), 0);
  auto rs = arboles::recordsetOf(cn.ExecuteSQL(sql, 5, QVariant()));
  if (cn.HasError() || !rs) {
    lastError_ = cn.LastError();
    return nullptr;
  }
  lastError_.clear();
  emit QueryInProgress(QStringLiteral("Preparando el informe..."), rs->RecordCount());
  return rs;
}

}  // namespace zolmar
