#include "zolmar/report/csv_writer.h"

#include <algorithm>

#include "zolmar/report/output_file.h"
#include "zolmar/report/report_engine.h"

namespace zolmar {

QString CsvWriter::Quote(const QString& text) {
  const auto special = [](QChar c) {
    return c == QLatin1Char(';') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
  };
  if (std::none_of(text.begin(), text.end(), special)) return text;
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool CsvWriter::Write(ReportEngine& engine, const QString& file, QString* error) {
  OutputFile out(file);
  if (!out.Open(error)) return false;
  const ReportFields& columns = engine.Data().columns;
  QString line;
  QByteArray buffer = QByteArrayLiteral("\xEF\xBB\xBF");
  bool written = true;
  auto flush = [&] {
    line += QStringLiteral("\r\n");
    buffer += line.toUtf8();
    line.clear();
    if (buffer.size() > (1 << 20)) {
      written = out.Write(buffer);
      buffer.clear();
    }
  };
  for (qint32 c = 0; c < columns.size(); ++c)
    line += (c ? QStringLiteral(";") : QString()) + Quote(columns[c].caption);
  flush();
  const qint32 rows = engine.RowCount();
  for (qint32 r = 1; r <= rows && written; ++r) {
    for (qint32 c = 0; c < columns.size(); ++c) {
      const QVariant value = engine.CellValue(r, c);
      QString text = engine.CellText(r, c, value);
      if (value.typeId() == QMetaType::Double) text.replace(QLatin1Char('.'), QLatin1Char(','));
      if (c) line += QLatin1Char(';');
      line += Quote(text);
    }
    flush();
  }
  out.Write(buffer);
  return out.Commit(error);
}

}  // namespace zolmar
