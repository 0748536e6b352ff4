#pragma once
// The report control: the output choices of a report window. Option 0 shows
// the preview, 1 sends the report to a file (PDF, CSV or Excel), 2 prints it.

#include <QWidget>

#include "zolmar/report/report_output.h"

namespace zolmar {

class btn;

class RptGenerar : public QWidget {
  Q_OBJECT
 public:
  enum Option : qint32 { VistaPrevia = 0, EnviarA = 1, Imprimir = 2, OptionCount = 3 };

  explicit RptGenerar(QWidget* parent = nullptr);

  void setOptionEnabled(qint32 option, bool on);
  bool OptionEnabled(qint32 option) const;
  btn* Option(qint32 option) const { return buttons_[option]; }

 signals:
  // The person chose an output: the kind, the file (empty: ask), copies, and whether to ask.
  void Action(qint32 kind, const QString& file, qint32 copies, bool ask);

 private:
  void choose(qint32 option);

  btn* buttons_[OptionCount];
};

}  // namespace zolmar
