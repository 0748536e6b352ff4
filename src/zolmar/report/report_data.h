#pragma once
// What one report run hands to the engine: the columns of the model, the rows
// the query read and the report variables ("NombreDeLaEmpresa" heads every
// page, "TipoDeGrupo" is the title under it).

#include <QList>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <utility>

#include "host/host_types.h"
#include "zolmar/report/report_field.h"

namespace zolmar {

struct ReportData {
  ReportFields columns;
  arboles::RecordsetPtr rows;
  QList<std::pair<QString, QString>> variables;

  QString Variable(const QString& name) const {
    for (const auto& [n, v] : variables)
      if (n.compare(name, Qt::CaseInsensitive) == 0) return v;
    return QString();
  }
  void SetVariable(const QString& name, const QString& value) {
    for (auto& [n, v] : variables)
      if (n.compare(name, Qt::CaseInsensitive) == 0) {
        v = value;
        return;
      }
    variables.append({name, value});
  }
};

// One cell the engine is about to paint; a window may paint it itself.
struct ReportItem {
  class QPainter* painter = nullptr;
  QRectF rect;
  QString field;   // the column's alias (F_...)
  QString text;    // after GetText
  qint32 row = 0;  // 1-based position of the row in the record set
};

}  // namespace zolmar
