#include "zolmar/tables/table_access.h"

#include <QPointer>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "zolmar/tables/record_list_window.h"

namespace zolmar {

class TableAccess::WindowRef {
 public:
  QPointer<RecordListWindow> window;
};

bool TableAccess::I_TAZ_Configure(std::shared_ptr<arboles::IGlobales> oGlobales,
                                  std::shared_ptr<arboles::IAppGlobal> oAppGlobal) {
  globales_ = std::move(oGlobales);
  app_ = std::move(oAppGlobal);
  cn_ = globales_ ? globales_->GetConnection() : nullptr;
  last_ = std::make_shared<WindowRef>();
  return cn_ != nullptr;
}

QString TableAccess::NameByID(qint32 nID) {
  if (!cn_ || nID <= 0) return QString();
  const QString sql =
      QStringLiteral("SELECT %1 FROM %2 WHERE T.ZolmarID=%3").arg(def_.nameExpr, def_.from).arg(nID);
  return cn_->ExecuteSQL(sql, 2, QString()).toString().trimmed();
}

QString TableAccess::listQuery(const QString& typed, qint32 groupId, const QString& ids) const {
  QString sql = QStringLiteral("SELECT T.ZolmarID, T.Codigo, %1 AS Nombre FROM %2 WHERE (T.Activo & 2)=0")
                    .arg(def_.nameExpr, def_.from);
  if (groupId > 0) sql += QStringLiteral(" AND %1=%2").arg(def_.groupColumn).arg(groupId);
  if (!ids.isEmpty()) sql += QStringLiteral(" AND T.ZolmarID IN (") + ids + QStringLiteral(")");
  sql += cn_->BuildCondition(typed, def_.nameExpr, 0);
  return sql + QStringLiteral(" ORDER BY Nombre");
}

QList<qint32> TableAccess::Matching(const QString& typed, qint32 limit) {
  QList<qint32> ids;
  if (!cn_) return ids;
  auto rs = arboles::recordsetOf(cn_->ExecuteSQL(listQuery(typed, 0), 5));
  while (rs && rs->Read() && ids.size() < limit) ids << rs->Field(QStringLiteral("ZolmarID")).toInt();
  return ids;
}

RecordListWindow* TableAccess::lastWindow() const { return last_ ? last_->window.data() : nullptr; }

void TableAccess::AddListAction(const QString& caption, std::function<void(qint32 id)> action) {
  listActions_.append({caption, std::move(action)});
}

void TableAccess::AddListFilter(const QString& caption, std::function<QString()> subquery) {
  listFilters_.append({caption, std::move(subquery)});
}

RecordListWindow* TableAccess::openList(QWidget* parent, qint32 groupId, bool picking, const QString& typed) {
  auto translate = [this](const QString& text) { return app_ ? app_->Translate(text) : text; };
  QList<RecordListWindow::Column> columns = {{translate(QStringLiteral("Ficha")), 70},
                                             {translate(QStringLiteral("Código")), 110},
                                             {translate(QStringLiteral("Nombre")), 300}};
  auto* window = new RecordListWindow(
      cn_, [this, groupId](const QString& text, const QString& ids) { return listQuery(text, groupId, ids); },
      columns, parent);
  window->setObjectName(def_.windowName);
  window->SetAppGlobal(app_, def_.windowName);
  window->setPicking(picking);
  for (const auto& [caption, action] : listActions_) window->AddAction(caption, action);
  for (const auto& [caption, subquery] : listFilters_) window->AddFilter(caption, subquery);
  if (groupId > 0) {
    const QString group =
        cn_->ExecuteSQL(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(groupId), 2,
                        QString())
            .toString()
            .trimmed();
    window->setWindowTitle(translate(def_.groupTitle).replace(QStringLiteral("%1"), group));
  } else {
    window->setWindowTitle(translate(def_.searchTitle));
  }
  window->Search(typed);
  window->Reload();
  last_->window = window;
  return window;
}

qint32 TableAccess::showList(RecordListWindow* window, bool wait) {
  window->Show();
  if (!wait || !app_) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    return 0;
  }
  QPointer<RecordListWindow> guard(window);
  app_->GetFormWaiter()->WaitFormClosed(window);
  if (!guard) return 0;
  const qint32 id = guard->ChosenID();
  guard->deleteLater();
  return id;
}

qint32 TableAccess::MostrarInformes(qint32, bool lWaitUntilClose, qint32 nID) {
  if (!cn_) return 0;
  showList(openList(nullptr, nID, false, QString()), lWaitUntilClose);
  return 0;
}

qint32 TableAccess::MostrarBusquedaComun(qint32, bool lWaitUntilClose, qint32 nID) {
  if (!cn_) return 0;
  return showList(openList(nullptr, nID, lWaitUntilClose, QString()), lWaitUntilClose);
}

qint32 TableAccess::Buscar(QWidget* parent, const QString& typed) {
  if (!cn_) return 0;
  RecordListWindow* window = openList(parent ? parent->window() : nullptr, 0, true, typed);
  window->setWindowModality(Qt::ApplicationModal);
  return showList(window, true);
}

}  // namespace zolmar
