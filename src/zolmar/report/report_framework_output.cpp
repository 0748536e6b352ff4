// Report runs of the framework: building the data through the window,
// writing it to the chosen output, the SQL editor.

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "zolmar/report/csv_writer.h"
#include "zolmar/report/frm_sql_experto.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/report/report_query.h"
#include "zolmar/report/xlsx_writer.h"
#include "zolmar/ui/database_file_guard.h"
#include "zolmar/ui/file_chooser.h"
#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/window_placement.h"

namespace zolmar {

namespace {

const QString kSinDatos = QString::fromUtf8("No hay datos que cumplan las condiciones del informe.");

// The writer's reason, with the file it is about.
bool EscribirFichero(ReportEngine& engine, const ReportOutput& output, QString* error) {
  QString reason;
  const bool ok = output.kind == ReportOutputKind::Pdf   ? engine.WritePdf(output.file, &reason)
                  : output.kind == ReportOutputKind::Csv ? CsvWriter::Write(engine, output.file, &reason)
                                                         : XlsxWriter::Write(engine, output.file, &reason);
  if (!ok) *error = QStringLiteral("No se pudo escribir el fichero %1: %2").arg(output.file, reason);
  return ok;
}

}  // namespace

bool ReportFramework::Producir() {
  lastError_.clear();
  produced_ = false;
  ReportFramework* result = nullptr;
  emit GenerarDatos(result);
  if (result && produced_) return true;
  if (lastError_.isEmpty()) lastError_ = kSinDatos;
  return false;
}

bool ReportFramework::Generar(const ReportOutput& output) {
  // A database is never written over, and nothing is run for a file that would be refused.
  if (output.kind == ReportOutputKind::Pdf || output.kind == ReportOutputKind::Csv ||
      output.kind == ReportOutputKind::Xlsx) {
    lastError_ = DatabaseFileGuard::OutputRefusal(output.file);
    if (!lastError_.isEmpty()) return false;
  }
  run_.emplace(output);
  bool ok = Producir();
  // A file gets its captions even without rows; a preview or a sheet of paper would be blank.
  const bool onPaper = output.kind == ReportOutputKind::Preview || output.kind == ReportOutputKind::Printer;
  if (ok && search_.isEmpty() && onPaper && engine_.RowCount() == 0) {
    lastError_ = kSinDatos;
    ok = false;
  }
  if (ok && search_.isEmpty()) ok = Escribir(output);
  const bool waited = run_ && run_->Query();
  run_.reset();
  if (waited) app_->ShowWait(QString());
  return ok;
}

void ReportFramework::Accion(qint32 kind, const QString& file, qint32, bool ask, qint32, qint32, double) {
  ReportOutput output;
  switch (kind) {
    case 0:
      output.kind = ReportOutputKind::Preview;
      break;
    case 1:
      output.file = file.isEmpty() ? PedirFichero() : file;
      if (output.file.isEmpty()) return;
      // Refused as chosen, before an extension is added to the name.
      if (const QString refusal = DatabaseFileGuard::OutputRefusal(output.file); !refusal.isEmpty()) {
        app_->ShowMessage(refusal, 0, QStringLiteral("Informes"), 32515);
        return;
      }
      output.kind = ReportOutput::KindOfFile(output.file);
      if (output.kind == ReportOutputKind::None) {
        output.kind = ReportOutputKind::Pdf;
        output.file += QStringLiteral(".pdf");
      }
      break;
    default:
      output.kind = ReportOutputKind::Printer;
      output.file = ask ? QString() : QStringLiteral("-");
  }
  if (!Generar(output))
    app_->ShowMessage(lastError_, 0, QStringLiteral("Informes"), lastError_ == kSinDatos ? 32516 : 32515);
}

bool ReportFramework::Escribir(const ReportOutput& output) {
  QString file = output.file;
  switch (output.kind) {
    case ReportOutputKind::Preview:
      MostrarVistaPrevia();
      return true;
    case ReportOutputKind::Printer:
      return Imprimir(file.isEmpty());
    case ReportOutputKind::Pdf:
    case ReportOutputKind::Csv:
    case ReportOutputKind::Xlsx:
      return EscribirFichero(engine_, output, &lastError_);
    case ReportOutputKind::None:
      break;
  }
  return true;
}

void ReportFramework::MostrarVistaPrevia() {
  if (preview_) preview_->close();
  preview_ = new QPrintPreviewDialog(window_);
  preview_->setAttribute(Qt::WA_DeleteOnClose);
  preview_->setObjectName(QStringLiteral("FrmVistaPrevia"));
  preview_->setWindowTitle(QStringLiteral("Vista previa - ") + engine_.Data().Titulo());
  preview_->printer()->setPageLayout(engine_.PageLayout());
  connect(preview_, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { engine_.Print(printer); });
  preview_->resize(900, 700);
  // No larger than the screen leaves room for, below the host's menus.
  QRect sitio = WindowPlacement::Area(preview_);
  sitio.setTop(sitio.top() + FrmBasico::kMinTop);
  WindowPlacement::FitInto(preview_, sitio);
  preview_->show();
}

bool ReportFramework::Imprimir(bool ask) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(engine_.PageLayout());
  if (ask) {
    QPrintDialog dialog(&printer, window_);
    if (dialog.exec() != QDialog::Accepted) return true;
  }
  engine_.Print(&printer);
  return true;
}

QString ReportFramework::PedirFichero() const {
  return FileChooser::SaveFileName(window_, QStringLiteral("Enviar a"), folder_,
                                   QStringLiteral("PDF (*.pdf);;CSV (*.csv);;Excel (*.xlsx)"));
}

QString ReportFramework::SentenciaActual() {
  capture_ = true;
  captured_.clear();
  run_.emplace(ReportOutput{ReportOutputKind::Preview, QString()});
  ReportFramework* result = nullptr;
  emit GenerarDatos(result);
  run_.reset();
  capture_ = false;
  return captured_;
}

void ReportFramework::MostrarSQLExperto() {
  // The button is hidden from whom it was not granted; asked again all the same.
  if (!FrmSqlExperto::Permitido(*app_, true)) return;
  FrmSqlExperto frm(SentenciaActual());
  frm.Show();
  Esperar(&frm);
  if (frm.Ejecutar() && !EjecutarSQL(frm.Sql(), {ReportOutputKind::Preview, QString()}))
    app_->ShowMessage(lastError_, 0, QStringLiteral("SQL experto"), 32515);
}

bool ReportFramework::EjecutarSQL(const QString& sql, const ReportOutput& output) {
  ReportQuery query;
  auto rs = query.OpenReadOnly(*cn_, sql);
  if (!rs) {
    lastError_ = query.LastError();
    return false;
  }
  // The columns are those of the statement; a catalogue field keeps its caption and width.
  ReportData data;
  for (qint32 i = 0; i < rs->FieldCount(); ++i) {
    ReportField column{rs->FieldName(i), rs->FieldName(i), 15, true};
    for (const ReportField& f : catalogue_.isEmpty() ? search_ : catalogue_)
      if (f.Alias().compare(column.expression, Qt::CaseInsensitive) == 0) {
        column.caption = f.caption;
        column.width = f.width;
      }
    data.columns.append(column);
  }
  data.rows = rs;
  data.variables = engine_.Data().variables;
  engine_.SetData(std::move(data));
  return Escribir(output);
}

}  // namespace zolmar
