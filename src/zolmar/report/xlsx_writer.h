#pragma once
// Writes a report as an Excel workbook: one sheet, bold captions, numbers
// kept as numbers, column widths from the model.

#include <QString>

namespace zolmar {

class ReportEngine;

class XlsxWriter {
 public:
  // False (with the reason) when the file cannot be written.
  static bool Write(ReportEngine& engine, const QString& file, QString* error);
};

}  // namespace zolmar
