#include "zolmar/report/xlsx_writer.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>

#include "zolmar/report/report_engine.h"
#include "zolmar/ui/system_error_text.h"

namespace zolmar {

bool XlsxWriter::Write(ReportEngine& engine, const QString& file, QString* error) {
  // The workbook is written beside the file and renamed over it at the end:
  // a failure leaves the file as it was, and the temporary one is removed.
  QTemporaryFile temporary(QFileInfo(file).absoluteFilePath() + QStringLiteral(".XXXXXX"));
  if (!temporary.open()) {
    if (error) *error = SystemErrorText::Reason(temporary.errorString());
    return false;
  }
  temporary.close();
  temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                           QFileDevice::ReadOther);
  const QByteArray path = QFile::encodeName(temporary.fileName());
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
    if (error) *error = SystemErrorText::Reason(QString::fromUtf8(lxw_strerror(result)));
    return false;
  }
  // rename() replaces the file in one step (QFile::rename refuses an existing one).
  if (std::rename(path.constData(), QFile::encodeName(file).constData()) != 0) {
    if (error) *error = SystemErrorText::Reason(qt_error_string(errno));
    return false;
  }
  temporary.setAutoRemove(false);
  return true;
}

}  // namespace zolmar
