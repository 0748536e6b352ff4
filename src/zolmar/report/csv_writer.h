#pragma once
// Writes a report as CSV the way Spanish spreadsheets open it: UTF-8 with a
// byte-order mark, ";" between fields, decimal comma, CR LF line ends.

#include <QString>

namespace zolmar {

class ReportEngine;

class CsvWriter {
 public:
  // False (with the reason) when the file cannot be written.
  static bool Write(ReportEngine& engine, const QString& file, QString* error);
  static QString Quote(const QString& text);
};

}  // namespace zolmar
