#pragma once
// The host's table-access classes of customers, suppliers and articles share
// this: names by id, listings of a group's records and the search list.

#include <QList>
#include <QString>
#include <functional>
#include <memory>

#include "host/i_host_objects.h"

namespace arboles {
class IConnection;
}

namespace zolmar {

class RecordListWindow;

class TableAccess : public arboles::IHostTableAccess {
 public:
  struct Definition {
    QString table;        // "Clientes"
    QString from;         // FROM text, the table aliased T
    QString nameExpr;     // the display name of a row
    QString groupColumn;  // the tree node a row belongs to
    QString groupTitle;   // listing title, %1 = the node's name
    QString searchTitle;  // title of the search list
    QString windowName;   // object name of the list window
  };

  explicit TableAccess(Definition definition) : def_(std::move(definition)) {}

  bool I_TAZ_Configure(std::shared_ptr<arboles::IGlobales> oGlobales,
                       std::shared_ptr<arboles::IAppGlobal> oAppGlobal) override;
  // "" for an id that does not exist.
  QString NameByID(qint32 nID) override;
  // The listing of the records of tree node nID; 0.
  qint32 MostrarInformes(qint32 nProceso, bool lWaitUntilClose, qint32 nID) override;
  // The same listing; when waited for, the id the person accepted (else 0).
  qint32 MostrarBusquedaComun(qint32 nProceso, bool lWaitUntilClose, qint32 nID) override;
  qint32 Buscar(QWidget* parent, const QString& typed) override;

  // Ids of the live records whose name matches a typed search (at most limit).
  QList<qint32> Matching(const QString& typed, qint32 limit = 2);
  const Definition& definition() const { return def_; }
  // The window of the last listing or search (tests drive it).
  RecordListWindow* lastWindow() const;
  // A button every list window of this table gets, acting on the selected record.
  void AddListAction(const QString& caption, std::function<void(qint32 id)> action);
  // A button every list window gets that limits it to the ids of a subquery.
  void AddListFilter(const QString& caption, std::function<QString()> subquery);

 protected:
  QString listQuery(const QString& typed, qint32 groupId, const QString& ids = QString()) const;
  RecordListWindow* openList(QWidget* parent, qint32 groupId, bool picking, const QString& typed);
  qint32 showList(RecordListWindow* window, bool wait);

 private:
  Definition def_;
  QList<std::pair<QString, std::function<void(qint32)>>> listActions_;
  QList<std::pair<QString, std::function<QString()>>> listFilters_;
  std::shared_ptr<arboles::IConnection> cn_;
  std::shared_ptr<arboles::IAppGlobal> app_;
  std::shared_ptr<arboles::IGlobales> globales_;
  class WindowRef;
  std::shared_ptr<WindowRef> last_;
};

}  // namespace zolmar
