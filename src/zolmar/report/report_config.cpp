#include "zolmar/report/report_config.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zolmar {

QString ReportConfig::ToText() const {
  QJsonArray entryList;
  for (const auto& [name, value] : entries)
    entryList.append(QJsonArray{name.toUpper(), QJsonValue::fromVariant(value)});
  const QJsonObject o{{"proceso", process},
                      {"modelo", model},
                      {"campos", QJsonArray::fromStringList(fields)},
                      {"orden", order},
                      {"descendente", descending},
                      {"conLimite", limitOn},
                      {"limite", limit},
                      {"camposExtra", extraFields},
                      {"condicionExtra", extraCondition},
                      {"unionesExtra", extraJoins},
                      {"entradas", entryList}};
  return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

ReportConfig ReportConfig::FromText(const QString& text) {
  const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
  ReportConfig c;
  c.process = o.value("proceso").toInt();
  c.model = o.value("modelo").toString();
  for (const QJsonValue& f : o.value("campos").toArray()) c.fields << f.toString();
  c.order = o.value("orden").toString();
  c.descending = o.value("descendente").toBool();
  c.limitOn = o.value("conLimite").toBool();
  c.limit = o.value("limite").toInt(1000);
  c.extraFields = o.value("camposExtra").toString();
  c.extraCondition = o.value("condicionExtra").toString();
  c.extraJoins = o.value("unionesExtra").toString();
  for (const QJsonValue& e : o.value("entradas").toArray()) {
    const QJsonArray pair = e.toArray();
    c.entries.append({pair.at(0).toString().toUpper(), pair.at(1).toVariant()});
  }
  return c;
}

}  // namespace zolmar
