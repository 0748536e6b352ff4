#include "zolmar/services/common_search_list.h"

#include "host/i_app_global.h"
#include "host/i_recordset.h"
#include "host/i_taz.h"
#include "zolmar/db/connection.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/control_marker.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/list_window.h"

namespace zolmar {

namespace {

QString textOf(QWidget* entry) {
  auto* g = qobject_cast<get*>(entry);
  return g ? g->Text().trimmed() : QString();
}

}  // namespace

void CommonSearchList::SetOptions(bool lAutoSelect, bool lShowName, qint32 nMode) {
  autoSelect_ = lAutoSelect;
  showName_ = lShowName;
  mode_ = nMode;
}

qint32 CommonSearchList::Run(arboles::I_TAZ& oTAZ, QWidget* entry, bool& lFlag, bool lForzarLista) {
  flag_ = lFlag;
  auto app = app_.lock();
  if (!app || query_.isEmpty()) return -1;
  auto rs = arboles::recordsetOf(app->connection()->ExecuteSQL(query_, 5));
  if (!rs || app->connection()->HasError() || rs->FieldCount() < 2) return -1;
  const QString typed = textOf(entry);
  if (rs->RecordCount() == 0) return typed.isEmpty() ? 0 : -1;

  const QString idField = rs->FieldName(0);
  const QString nameField = rs->FieldName(1);
  if (autoSelect_ && !lForzarLista && !typed.isEmpty() && rs->RecordCount() == 1) {
    rs->SetPosition(1);
    choose(oTAZ, entry, rs->Field(idField).toInt(), rs->Field(nameField).toString());
    return currentId_;
  }

  ListWindow window;
  window.setObjectName(QString::fromLatin1(kWindowName));
  window.setTitle(app->Translate(QString::fromUtf8("Búsqueda")));
  for (qint32 i = 0; i < rs->FieldCount(); ++i) {
    const QString field = rs->FieldName(i);
    if (field.compare(statusColumn_, Qt::CaseInsensitive) == 0) continue;
    window.AddColumn(field, app->Translate(field), i == 1 ? 260 : 90);
  }
  rs->SetPosition(0);
  window.LoadRows(*rs);
  // The record the entry already names is where the person starts.
  if (currentId_ > 0) window.SelectWhere(idField, currentId_);
  if (showList(*app, window) < 0) {
    // The entry keeps text that names no chosen row: the caller marks it.
    flag_ = lFlag = typed.isEmpty();
    return 0;
  }
  choose(oTAZ, entry, window.ChosenValue(idField).toInt(), window.ChosenValue(nameField).toString());
  return currentId_;
}

qint32 CommonSearchList::showList(AppGlobal& app, ListWindow& window) {
  window.SetAppGlobal(app.shared_from_this(), QString::fromLatin1(kWindowName));
  window.setWindowModality(Qt::ApplicationModal);
  window.Show();
  app.GetFormWaiter()->WaitFormClosed(&window);
  return window.ChosenRow();
}

void CommonSearchList::choose(arboles::I_TAZ& oTAZ, QWidget* entry, qint32 id, const QString& name) {
  currentId_ = id;
  if (auto* say = qobject_cast<get*>(say_.data())) say->setText(QString::number(id));
  auto* g = qobject_cast<get*>(entry);
  if (g && showName_) g->setText(name.trimmed());
  ControlMarker::mark(entry, 0);
  oTAZ.I_TAZ_SeekID(id);
}

}  // namespace zolmar
