#include "zolmar/report/report_query.h"

#include "host/i_connection.h"
#include "host/i_recordset.h"

namespace zolmar {

arboles::RecordsetPtr ReportQuery::Open(arboles::IConnection& cn, const QString& sql) {
  emit QueryInProgress(QStringLiteral("Consultando datos..."), 0);
  return Opened(cn, arboles::recordsetOf(cn.ExecuteSQL(sql, 5, QVariant())));
}

arboles::RecordsetPtr ReportQuery::OpenReadOnly(arboles::IConnection& cn, const QString& sql) {
  emit QueryInProgress(QStringLiteral("Consultando datos..."), 0);
  return Opened(cn, cn.QueryReadOnly(sql));
}

arboles::RecordsetPtr ReportQuery::Opened(arboles::IConnection& cn, arboles::RecordsetPtr rs) {
  if (cn.HasError() || !rs) {
    lastError_ = cn.LastError();
    return nullptr;
  }
  lastError_.clear();
  emit QueryInProgress(QStringLiteral("Preparando el informe..."), rs->RecordCount());
  return rs;
}

}  // namespace zolmar
