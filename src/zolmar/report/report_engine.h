#pragma once
// The report engine: lays the rows of a report out on pages with a header
// (company, title, date, "Página n de m") and the column captions, and writes
// them to a printer, a PDF file or a page image. Each cell is offered to the
// owner first: GetText may change its text, PaintRptItem may paint it.

#include <QImage>
#include <QObject>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "zolmar/report/report_data.h"

class QFontMetricsF;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace zolmar {

class ReportLayout;

class ReportEngine : public QObject {
  Q_OBJECT
 public:
  explicit ReportEngine(QObject* parent = nullptr) : QObject(parent) {}

  void SetData(ReportData data);
  const ReportData& Data() const { return data_; }
  ReportData& Data() { return data_; }
  qint32 RowCount() const;

  // Wide reports go landscape.
  QPageLayout::Orientation Orientation() const;
  QPageLayout PageLayout() const;

  // False (with the reason) when the file cannot be written.
  bool WritePdf(const QString& file, QString* error);
  void Print(QPrinter* printer);
  // Page 1..n at the given resolution; a null image for a page that does not exist.
  QImage PageImage(qint32 page, qreal dpi = 96);
  qint32 PageCount(qreal dpi = 96);

  // The text as it fits the width, elided when it does not.
  static QString Fit(const QFontMetricsF& fm, const QString& text, qreal width);
  // The raw value of column c on the row at position row (writers keep numbers).
  QVariant CellValue(qint32 row, qint32 c) const;
  // Its text after GetText; value is CellValue's when the caller has it.
  QString CellText(qint32 row, qint32 c);
  QString CellText(qint32 row, qint32 c, const QVariant& value);

 signals:
  void PaintRptItem(bool& painted, const zolmar::ReportItem& item);
  void GetText(const QString& field, QString& text);

 private:
  // Paints pages first..last (1-based) on the device; newPage between them.
  void Render(QPainter& painter, const ReportLayout& layout, qint32 first, qint32 last,
              const std::function<void()>& newPage);
  void PaintPage(QPainter& painter, const ReportLayout& layout, qint32 page, qint32 pages);
  void PaintHeader(QPainter& painter, const ReportLayout& layout, qint32 page, qint32 pages);
  void PaintRow(QPainter& painter, const ReportLayout& layout, qint32 row, qint32 rowOnPage);

  // Per column, the longest texts of its cells (after GetText), read once per data.
  const QVector<QStringList>& Widest();

  ReportData data_;
  std::optional<QVector<QStringList>> widest_;
  // Per column, worked out once: what the result calls it and its alias.
  QStringList names_, aliases_;
};

}  // namespace zolmar
