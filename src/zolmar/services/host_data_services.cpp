#include "zolmar/services/host_data_services.h"

#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "zolmar/services/host_table_names.h"

namespace zolmar {

bool HostDataServices::windowAllowed(const QString& user, const QString& windowName, QString* error) const {
  const QString sql =
      QStringLiteral(
          "SELECT TOP 1 Permitido FROM %1 WHERE Ventana=%2 AND (Usuario=%3 OR Usuario='*')"
          " ORDER BY CASE WHEN Usuario='*' THEN 1 ELSE 0 END")
          .arg(HostTableNames::Permissions, cn_->SQLLiteral(windowName.toUpper()), cn_->SQLLiteral(user));
  const QVariant allowed = cn_->ExecuteSQL(sql, 2, 1);
  if (cn_->HasError()) {
    if (error) *error = cn_->LastError();
    return false;
  }
  return allowed.isNull() || allowed.toInt() != 0;
}

void HostDataServices::setWindowAllowed(const QString& user, const QString& windowName, bool allowed) {
  const QString window = cn_->SQLLiteral(windowName.toUpper());
  const QString who = cn_->SQLLiteral(user);
  cn_->ExecuteSQL(QStringLiteral("DELETE FROM %1 WHERE Usuario=%2 AND Ventana=%3 ; "
                                 "INSERT INTO %1 (Usuario, Ventana, Permitido) VALUES (%2, %3, %4)")
                      .arg(HostTableNames::Permissions, who, window,
                           allowed ? QStringLiteral("1") : QStringLiteral("0")));
}

QVariantMap HostDataServices::configuration() const {
  QVariantMap map;
  auto rs = arboles::recordsetOf(
      cn_->ExecuteSQL(QStringLiteral("SELECT Clave, Valor FROM %1").arg(HostTableNames::Configuration), 5));
  if (!rs) return map;
  while (rs->Read())
    map.insert(rs->Field(QStringLiteral("Clave")).toString().toUpper(), rs->Field(QStringLiteral("Valor")));
  return map;
}

void HostDataServices::setConfiguration(const QString& key, const QString& value) {
  const QString k = cn_->SQLLiteral(key.toUpper());
  cn_->ExecuteSQL(
      QStringLiteral("DELETE FROM %1 WHERE Clave=%2 ; INSERT INTO %1 (Clave, Valor) VALUES (%2, %3)")
          .arg(HostTableNames::Configuration, k, cn_->SQLLiteral(value)));
}

bool HostDataServices::logChange(const QString& user, qint32 kind, const QString& table, qint32 id,
                                 const QString& description, const QString& groupWord) {
  cn_->ExecuteSQL(QStringLiteral("INSERT INTO %1 (Fecha, Usuario, Tipo, Tabla, ID_Ficha, Descripcion, Grupo)"
                                 " VALUES (GETDATE(), %2, %3, %4, %5, %6, %7)")
                      .arg(HostTableNames::ChangeLog, cn_->SQLLiteral(user), QString::number(kind),
                           cn_->SQLLiteral(table), QString::number(id), cn_->SQLLiteral(description),
                           cn_->SQLLiteral(groupWord)));
  return !cn_->HasError();
}

bool HostDataServices::deleteComment(qint32 id) {
  if (id == 0) return true;
  cn_->ExecuteSQL(QStringLiteral("DELETE FROM %1 WHERE ZolmarID=%2").arg(HostTableNames::Comments).arg(id));
  return !cn_->HasError();
}

}  // namespace zolmar
