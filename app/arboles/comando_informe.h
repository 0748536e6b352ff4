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
class FrmInforme;
}  // namespace arboles

namespace zolmar {

class ReportFramework;

class ComandoInforme {
 public:
  ComandoInforme(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

  // The reason when the arguments are wrong; empty when they are right.
  QString Analizar(const QStringList& args);
  // Exit status: 0 written, 1 the report failed, 2 the file or the id list is refused.
  int Ejecutar(arboles::cTAZ_Arboles& taz);
  static QString Uso();

  // Shared with the other report commands. An output option at args[i]
  // (--pdf, --csv, --xlsx) with its file: True when it was one (i moves past
  // the file); a refusal goes to error.
  static bool AnalizarSalida(const QStringList& args, qint32& i, ReportOutput& salida, QString& error);
  // 2 when the file cannot be written.
  static int ProbarSalida(const ReportOutput& salida, QTextStream& err);
  // Writes the report of an open window without the person's last choices and closes it.
  static int Escribir(arboles::FrmInforme& frm, const ReportOutput& salida, QTextStream& out,
                      QTextStream& err);
  static void SinEleccionesAnteriores(ReportFramework& informe);

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
