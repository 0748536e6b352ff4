#pragma once
// What one report run hands to the engine: the columns of the model, the rows
// the query read and the report variables ("NombreDeLaEmpresa" heads every
// page; the title under it is "TituloInforme", else "TipoDeGrupo", else the
// process's caption; "FechaInforme" replaces today's date in the header and
// "PrimeraPagina" numbers the first page).

#include <QDate>
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
  QString defaultTitle;

  QString Titulo() const {
    for (const char* name : {"TituloInforme", "TipoDeGrupo"})
      if (const QString t = Variable(QLatin1String(name)); !t.trimmed().isEmpty()) return t;
    return defaultTitle;
  }
  QString Fecha() const {
    const QString f = Variable(QStringLiteral("FechaInforme"));
    return f.trimmed().isEmpty() ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")) : f;
  }
  qint32 PrimeraPagina() const {
    const qint32 n = Variable(QStringLiteral("PrimeraPagina")).toInt();
    return n >= 1 ? n : 1;
  }

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
