#pragma once
// A SQLite "server": the folder whose <Name>.db files are its databases.

#include <QString>
#include <QStringList>

namespace zolmar {

class ServerFolder {
 public:
  explicit ServerFolder(QString folder) : folder_(std::move(folder)) {}
  // Names of the databases (file names without ".db"), sorted.
  QStringList databases() const;
  // The file of a database, matched without regard to case; "" when absent.
  QString fileOf(const QString& name) const;

 private:
  QString folder_;
};

}  // namespace zolmar
