#pragma once
// arboles report TIPO (--pdf F | --csv F | --xlsx F) [--tree] [--leaves]
// [--name TEXTO] [--ids LISTA] [--config NOMBRE]: the tree report window run
// without a screen. The listing by default, the drawing with --tree; prints
// the rows written. It starts from the defaults, or from the configuration
// stored under NOMBRE, never from the window's last use.

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "zolmar/report/report_output.h"

namespace arboles {
class cTAZ_Arboles;
class FrmInforme;
}  // namespace arboles

namespace zolmar {

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
  // Writes the report of an open window and closes it.
  static int Escribir(arboles::FrmInforme& frm, const ReportOutput& salida, QTextStream& out,
                      QTextStream& err);
  // "--config NOMBRE" at args[i]: True when it was (i moves past the name).
  static bool AnalizarConfiguracion(const QStringList& args, qint32& i, QString& config, QString& error);
  // After Run: 2 (the window closed) when the configuration named is not stored.
  static int ComprobarConfiguracion(arboles::FrmInforme& frm, const QString& config, QTextStream& err);

 private:
  QTextStream& out_;
  QTextStream& err_;
  qint32 tipo_ = 0;
  ReportOutput salida_;
  bool arbol_ = false;
  bool hojas_ = false;
  bool conNombre_ = false;
  QString nombre_;
  bool conIds_ = false;
  QString ids_;
  QString config_;
};

}  // namespace zolmar
