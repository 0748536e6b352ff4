#pragma once
// The host's common search list: the rows of a query in a list window with a
// search box; the person chooses a row or cancels. Typed text that leaves
// exactly one row is chosen without showing the list. The window is named
// "BusquedaComun" (tests script it by that name).

#include <QPointer>
#include <QString>
#include <memory>

#include "host/i_host_objects.h"

namespace zolmar {

class AppGlobal;
class ListWindow;

class CommonSearchList : public arboles::ICommonSearchList {
 public:
  static constexpr char kWindowName[] = "BusquedaComun";

  explicit CommonSearchList(std::weak_ptr<AppGlobal> app) : app_(std::move(app)) {}

  void SetDisplayControl(QWidget* say) override { say_ = say; }
  void SetCurrentID(qint32 id) override { currentId_ = id; }
  void SetQuery(const QString& sql) override { query_ = sql; }
  void SetStatusColumn(const QString& column) override { statusColumn_ = column; }
  void SetOptions(bool lAutoSelect, bool lShowName, qint32 nMode) override;
  qint32 Run(arboles::I_TAZ& oTAZ, QWidget* entry, bool& lFlag, bool lForzarLista) override;
  bool Flag() const override { return flag_; }

  // The id of the chosen row, or the starting id when nothing was chosen.
  qint32 CurrentID() const { return currentId_; }

 private:
  // -1 when nothing was chosen; else the chosen row of the window.
  qint32 showList(AppGlobal& app, ListWindow& window);
  void choose(arboles::I_TAZ& oTAZ, QWidget* entry, qint32 id, const QString& name);

  std::weak_ptr<AppGlobal> app_;
  QPointer<QWidget> say_;
  qint32 currentId_ = 0;
  QString query_;
  QString statusColumn_;
  bool autoSelect_ = true;
  bool showName_ = true;
  qint32 mode_ = 2;
  bool flag_ = true;
};

}  // namespace zolmar
