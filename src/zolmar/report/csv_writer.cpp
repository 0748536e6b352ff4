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
  // Lines gather as text and go to the file as UTF-8 about a megabyte at a
  // time: no conversion nor allocation per line.
  QString lines;
  bool written = out.Write(QByteArrayLiteral("\xEF\xBB\xBF"));
  auto flush = [&] {
    lines += QStringLiteral("\r\n");
    if (lines.size() > (1 << 19)) {
      written = out.Write(lines.toUtf8());
      lines.resize(0);
    }
  };
  for (qint32 c = 0; c < columns.size(); ++c)
    lines += (c ? QStringLiteral(";") : QString()) + Quote(columns[c].caption);
  flush();
  const qint32 rows = engine.RowCount();
  for (qint32 r = 1; r <= rows && written; ++r) {
    for (qint32 c = 0; c < columns.size(); ++c) {
      const QVariant value = engine.CellValue(r, c);
      QString text = engine.CellText(r, c, value);
      if (value.typeId() == QMetaType::Double) text.replace(QLatin1Char('.'), QLatin1Char(','));
      if (c) lines += QLatin1Char(';');
      lines += Quote(text);
    }
    flush();
  }
  if (written) out.Write(lines.toUtf8());
  return out.Commit(error);
}

}  // namespace zolmar
