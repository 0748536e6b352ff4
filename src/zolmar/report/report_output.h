#pragma once
// Where a report run goes.

#include <QString>

namespace zolmar {

enum class ReportOutputKind : qint32 { None = 0, Preview = 1, Printer = 2, Pdf = 3, Csv = 4, Xlsx = 5 };

struct ReportOutput {
  ReportOutputKind kind = ReportOutputKind::None;
  QString file;  // for Pdf, Csv, Xlsx

  // The kind a file's extension names; None when it names none.
  static ReportOutputKind KindOfFile(const QString& file);
};

}  // namespace zolmar
