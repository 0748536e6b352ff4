#include "zolmar/services/event_errors.h"

#include "host/host_types.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/services/app_global.h"

namespace zolmar {

EventErrors::EventErrors(std::shared_ptr<Connection> cn, std::shared_ptr<LockManager> locks)
    : cn_(std::move(cn)), locks_(std::move(locks)) {}

qint32 EventErrors::begin() {
  ++depth_;
  return qint32(taken_.size());
}

// Locks a handler keeps after it ends belong to its window from then on.
void EventErrors::end(qint32) {
  depth_ = qMax(0, depth_ - 1);
  if (depth_ == 0) taken_.clear();
}

void EventErrors::locked(const QString& table, const QString& filter) {
  if (depth_ > 0) taken_.append({table, filter});
}

void EventErrors::handle(AppGlobal& app, qint32 mark, const QString& formName, const QString& message) {
  app.ShowWait(QString());
  rollBackAll();
  releaseSince(mark);
  app.ShowMessage(app.FormatMessage(app.Translate(QStringLiteral("Se ha producido un error en la ventana "
                                                                 "<B>%1</B>:<BR>%2")),
                                    {formName, message.toHtmlEscaped()}),
                  0, app.Translate(QStringLiteral("Error")), arboles::IconError);
}

// The outermost rollback undoes the nested ones with it.
void EventErrors::rollBackAll() {
  const QStringList open = cn_->transactionNames();
  if (!open.isEmpty()) cn_->RollbackTrans(open.first());
}

// Released even when the handler had released it already: a release made
// inside the rolled-back transaction came back with it.
void EventErrors::releaseSince(qint32 mark) {
  if (!locks_) return;
  for (qint32 i = qint32(taken_.size()) - 1; i >= qMax(0, mark); --i)
    locks_->LockTable(3, false, taken_[i].table, 0, taken_[i].filter, 3);
  if (mark >= 0 && mark < taken_.size()) taken_.resize(mark);
}

}  // namespace zolmar
