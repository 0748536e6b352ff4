#pragma once
// arboles report TIPO (--pdf F | --csv F | --xlsx F) [--tree] [--leaves]
// [--name TEXTO] [--ids LISTA]: the tree report window run without a screen.
// The listing by default, the drawing with --tree; prints the rows written.

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "zolmar/report/report_output.h"

namespace arboles {
class cTAZ_Arboles;
}

namespace zolmar {

class ComandoInforme {
 public:
  ComandoInforme(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

  // The reason when the arguments are wrong; empty when they are right.
  QString Analizar(const QStringList& args);
  // Exit status: 0 written, 1 the report failed, 2 the file or the id list is refused.
  int Ejecutar(arboles::cTAZ_Arboles& taz);
  static QString Uso();

 private:
  QTextStream& out_;
  QTextStream& err_;
  qint32 tipo_ = 0;
  ReportOutput salida_;
  bool arbol_ = false;
  bool hojas_ = false;
  QString nombre_;
  QString ids_;
};

}  // namespace zolmar
