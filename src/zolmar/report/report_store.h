#pragma once
// Report settings kept in the host table ZolmarInformes of the company
// database: one row per window key, name and process. The name tells the kind
// of setting: "" the configuration last used, "PRESET:x" a stored preset,
// "MODELO:x" a report model, "DEFECTOS" the stored filter defaults.

#include <QString>
#include <QStringList>
#include <memory>

namespace arboles {
class IConnection;
}

namespace zolmar {

class ReportStore {
 public:
  explicit ReportStore(std::shared_ptr<arboles::IConnection> cn) : cn_(std::move(cn)) {}

  // Replaces the setting; False when the database refused it.
  bool Save(const QString& window, const QString& name, qint32 process, const QString& text);
  // The stored text; process 0 takes the newest row of any process. Empty when none.
  QString Load(const QString& window, const QString& name, qint32 process) const;
  // Names of the settings of a window that begin with prefix, prefix removed, sorted.
  QStringList Names(const QString& window, const QString& prefix) const;
  void Remove(const QString& window, const QString& name);

 private:
  QString Where(const QString& window, const QString& name) const;

  std::shared_ptr<arboles::IConnection> cn_;
};

}  // namespace zolmar
