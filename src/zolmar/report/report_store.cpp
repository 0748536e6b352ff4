#include "zolmar/report/report_store.h"

#include "host/host_types.h"
#include "host/i_connection.h"

namespace zolmar {

QString ReportStore::Where(const QString& window, const QString& name) const {
  return QStringLiteral(" WHERE Ventana=") + cn_->SQLLiteral(window.toUpper()) +
         QStringLiteral(" AND Nombre=") + cn_->SQLLiteral(name);
}

bool ReportStore::Save(const QString& window, const QString& name, qint32 process, const QString& text) {
  const QString sql =
      QStringLiteral("DELETE FROM ZolmarInformes") + Where(window, name) + QStringLiteral(" AND Proceso=") +
      QString::number(process) +
      QStringLiteral(
          " ; INSERT INTO ZolmarInformes (Ventana, Nombre, Proceso, Configuracion, Fecha) VALUES (") +
      cn_->SQLLiteral(window.toUpper()) + QStringLiteral(", ") + cn_->SQLLiteral(name) +
      QStringLiteral(", ") + QString::number(process) + QStringLiteral(", ") + cn_->SQLLiteral(text) +
      QStringLiteral(", GETDATE())");
  cn_->ExecuteSQL(sql, 0);
  return !cn_->HasError();
}

QString ReportStore::Load(const QString& window, const QString& name, qint32 process) const {
  QString sql = QStringLiteral("SELECT TOP 1 Configuracion FROM ZolmarInformes") + Where(window, name);
  if (process > 0) sql += QStringLiteral(" AND Proceso=") + QString::number(process);
  sql += QStringLiteral(" ORDER BY ZolmarID DESC");
  return cn_->ExecuteSQL(sql, 2, QString()).toString();
}

QStringList ReportStore::Names(const QString& window, const QString& prefix) const {
  const QString sql = QStringLiteral("SELECT DISTINCT Nombre FROM ZolmarInformes WHERE Ventana=") +
                      cn_->SQLLiteral(window.toUpper()) + QStringLiteral(" ORDER BY Nombre");
  const QVariant v = cn_->ExecuteSQL(sql, 4, QString());
  QStringList names;
  if (!arboles::isSqlArray(v)) return names;
  const auto rows = v.value<arboles::SqlArray>();
  for (qint32 r = 0; r < rows.rows; ++r) {
    const QString name = rows.at(0, r).toString();
    if (name.startsWith(prefix) && name.size() > prefix.size()) names << name.mid(prefix.size());
  }
  return names;
}

void ReportStore::Remove(const QString& window, const QString& name) {
  cn_->ExecuteSQL(QStringLiteral("DELETE FROM ZolmarInformes") + Where(window, name), 0);
}

}  // namespace zolmar
