#pragma once
// The query object of one report run: it runs the statement through the host
// connection and tells how far it got (QueryInProgress), so a window can show
// the progress in the host's wait window.

#include <QObject>
#include <QString>
#include <memory>

#include "host/host_types.h"

namespace arboles {
class IConnection;
}

namespace zolmar {

class ReportQuery : public QObject {
  Q_OBJECT
 public:
  explicit ReportQuery(QObject* parent = nullptr) : QObject(parent) {}

  // A record set that Find and positions work on; nullptr when the statement failed.
  arboles::RecordsetPtr Open(arboles::IConnection& cn, const QString& sql);
  // The same for a statement a person typed: one SELECT that may not write.
  arboles::RecordsetPtr OpenReadOnly(arboles::IConnection& cn, const QString& sql);
  QString LastError() const { return lastError_; }

 signals:
  void QueryInProgress(const QString& text, qint32 records);

 private:
  arboles::RecordsetPtr Opened(arboles::IConnection& cn, arboles::RecordsetPtr rs);

  QString lastError_;
};

}  // namespace zolmar
