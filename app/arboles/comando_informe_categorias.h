#pragma once
// arboles report-categorias (1|2) (--pdf F | --csv F | --xlsx F)
// [--categoria ID]... [--any] [--exact] [--config NOMBRE]: the category
// report window run without a screen. 1 lists the categories of customers, 2
// of suppliers; each --categoria fills one category-filter row (at most ten),
// --any takes whoever has any of them (else all), --exact the categories alone
// (else their whole branches). It starts from the defaults, or from the
// configuration stored under NOMBRE, never from the window's last use.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "zolmar/report/report_output.h"

namespace arboles {
class cTAZ_Categorias;
}

namespace zolmar {

class ComandoInformeCategorias {
 public:
  ComandoInformeCategorias(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

  // The reason when the arguments are wrong; empty when they are right.
  QString Analizar(const QStringList& args);
  // Exit status: 0 written, 1 the report failed, 2 the file or a category is refused.
  int Ejecutar(arboles::cTAZ_Categorias& taz);
  static QString Uso();

 private:
  QTextStream& out_;
  QTextStream& err_;
  qint32 proceso_ = 0;
  ReportOutput salida_;
  QList<qint32> categorias_;
  bool cualquiera_ = false;
  bool exacta_ = false;
  QString config_;
};

}  // namespace zolmar
