#pragma once
// What a stored report configuration holds: the process, the model (its name
// and the expressions it selects), the sort, the record limit, the extra SQL
// parts and the window's own filter entries (names upper-cased). Kept as JSON
// text in ZolmarInformes.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

namespace zolmar {

struct ReportConfig {
  qint32 process = 0;
  QString model;
  QStringList fields;  // expressions of the selected fields, in order
  QString order;       // caption of the sort field
  bool descending = false;
  bool limitOn = false;
  qint32 limit = 1000;
  QString extraFields;
  QString extraCondition;
  QString extraJoins;
  QList<std::pair<QString, QVariant>> entries;

  QString ToText() const;
  static ReportConfig FromText(const QString& text);
};

}  // namespace zolmar
