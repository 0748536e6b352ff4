#include "zolmar/report/xlsx_writer.h"

#include <xlsxwriter.h>

#include <QFile>

#include "zolmar/report/report_engine.h"

namespace zolmar {

bool XlsxWriter::Write(ReportEngine& engine, const QString& file, QString* error) {
  {
    QFile probe(file);
    if (!probe.open(QIODevice::WriteOnly)) {
      if (error) *error = probe.errorString();
      return false;
    }
  }
  const QByteArray path = QFile::encodeName(file);
  // Rows go out in order, so the workbook need not hold them all in memory.
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* book = workbook_new_opt(path.constData(), &options);
  if (!book) {
    if (error) *error = QStringLiteral("no se pudo crear el libro");
    return false;
  }
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Informe");
  lxw_format* bold = workbook_add_format(book);
  format_set_bold(bold);
  const ReportFields& columns = engine.Data().columns;
  for (qint32 c = 0; c < columns.size(); ++c) {
    worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), columns[c].width + 2, nullptr);
    worksheet_write_string(sheet, 0, lxw_col_t(c), columns[c].caption.toUtf8().constData(), bold);
  }
  const qint32 rows = engine.RowCount();
  for (qint32 r = 1; r <= rows; ++r) {
    for (qint32 c = 0; c < columns.size(); ++c) {
      const QVariant value = engine.CellValue(r, c);
      const QString text = engine.CellText(r, c, value);
      const bool number = value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
                          value.typeId() == QMetaType::Double;
      if (number)
        worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), value.toDouble(), nullptr);
      else
        worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), text.toUtf8().constData(), nullptr);
    }
  }
  const lxw_error result = workbook_close(book);
  if (result != LXW_NO_ERROR) {
    if (error) *error = QString::fromUtf8(lxw_strerror(result));
    return false;
  }
  return true;
}

}  // namespace zolmar
