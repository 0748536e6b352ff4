#include "zolmar/report/report_engine.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "host/i_recordset.h"
#include "zolmar/report/output_file.h"
#include "zolmar/report/report_layout.h"

namespace zolmar {

namespace {

constexpr qreal kMarginMm = 12;

bool isNumber(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
      return true;
    default:
      return false;
  }
}

QString plainText(const QVariant& v) {
  if (v.typeId() == QMetaType::Double) return QString::number(v.toDouble(), 'f', 2);
  QString s = v.toString();
  while (s.endsWith(QLatin1Char(' '))) s.chop(1);
  return s;
}

// A printer's painter starts at the margin: the area is the paint rectangle moved to the origin.
QRectF paintArea(const QPageLayout& layout, int resolution) {
  return QRectF(QPointF(0, 0), layout.paintRectPixels(resolution).size());
}

}  // namespace

QString ReportEngine::Fit(const QFontMetricsF& fm, const QString& text, qreal width) {
  // Most cells are short: measuring them would cost as much as drawing them.
  if (text.size() * fm.maxWidth() <= width) return text;
  return fm.elidedText(text, Qt::ElideRight, width);
}

qint32 ReportEngine::RowCount() const { return data_.rows ? data_.rows->RecordCount() : 0; }

QPageLayout::Orientation ReportEngine::Orientation() const {
  qint32 characters = 0;
  for (const ReportField& c : data_.columns) characters += c.width;
  return characters > ReportLayout::kPortraitCharacters ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QPageLayout ReportEngine::PageLayout() const {
  return QPageLayout(QPageSize(QPageSize::A4), Orientation(),
                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

void ReportEngine::SetData(ReportData data) {
  data_ = std::move(data);
  widest_.reset();
  names_.clear();
  aliases_.clear();
  for (const ReportField& c : data_.columns) {
    names_ << c.ResultName();
    aliases_ << c.Alias();
  }
}

const QVector<QStringList>& ReportEngine::Widest() {
  if (widest_) return *widest_;
  // The few longest texts stand for the widest one: measuring every cell
  // on every device would cost as much as drawing the report.
  constexpr qsizetype kCandidates = 6;
  QVector<QStringList> widest(data_.columns.size());
  const qint32 rows = RowCount();
  for (qint32 row = 1; row <= rows; ++row)
    for (qint32 c = 0; c < widest.size(); ++c) {
      QStringList& longest = widest[c];
      const QString text = CellText(row, c);
      if (longest.size() == kCandidates && text.size() <= longest.last().size()) continue;
      auto at = std::find_if(longest.begin(), longest.end(),
                             [&text](const QString& t) { return t.size() < text.size(); });
      longest.insert(at, text);
      if (longest.size() > kCandidates) longest.removeLast();
    }
  widest_ = std::move(widest);
  return *widest_;
}

QVariant ReportEngine::CellValue(qint32 row, qint32 c) const {
  if (!data_.rows || c < 0 || c >= names_.size()) return QVariant();
  data_.rows->SetPosition(row);
  return data_.rows->Field(names_.at(c));
}

QString ReportEngine::CellText(qint32 row, qint32 c) { return CellText(row, c, CellValue(row, c)); }

QString ReportEngine::CellText(qint32 row, qint32 c, const QVariant& value) {
  QString text = plainText(value);
  if (data_.rows) data_.rows->SetPosition(row);
  emit GetText(aliases_.value(c), text);
  return text;
}

bool ReportEngine::WritePdf(const QString& file, QString* error) {
  OutputFile out(file);
  if (!out.Open(error)) return false;
  // Drawn in memory first: the PDF writer does not tell when its device fails.
  QByteArray pdf;
  bool painted = false;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    writer.setPageLayout(PageLayout());
    writer.setTitle(data_.Titulo());
    writer.setCreator(QStringLiteral("Zolmar"));
    QPainter painter(&writer);
    if (painter.isActive()) {
      const ReportLayout layout(data_.columns, paintArea(writer.pageLayout(), writer.resolution()), &writer,
                                Widest());
      Render(painter, layout, 1, layout.pageCount(RowCount()), [&writer] { writer.newPage(); });
      painted = painter.end();
    }
  }
  if (!painted) {
    if (error) *error = QStringLiteral("no se pudo escribir el PDF");
    return false;
  }
  out.Write(pdf);
  return out.Commit(error);
}

void ReportEngine::Print(QPrinter* printer) {
  printer->setPageLayout(PageLayout());
  QPainter painter(printer);
  if (!painter.isActive()) return;
  const ReportLayout layout(data_.columns, paintArea(printer->pageLayout(), printer->resolution()), printer,
                            Widest());
  qint32 first = 1, last = layout.pageCount(RowCount());
  if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
    first = std::max(first, printer->fromPage());
    last = std::min(last, printer->toPage());
  }
  Render(painter, layout, first, last, [printer] { printer->newPage(); });
}

QImage ReportEngine::PageImage(qint32 page, qreal dpi) {
  const QPageLayout pl = PageLayout();
  const QRect full = pl.fullRectPixels(qRound(dpi));
  QImage image(full.size(), QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(dpi / 0.0254));
  image.setDotsPerMeterY(qRound(dpi / 0.0254));
  image.fill(Qt::white);
  QPainter painter(&image);
  // The image is the whole sheet: the margins stay blank.
  const ReportLayout layout(data_.columns, pl.paintRectPixels(qRound(dpi)), &image, Widest());
  const qint32 pages = layout.pageCount(RowCount());
  if (page < 1 || page > pages) return QImage();
  PaintPage(painter, layout, page, pages);
  return image;
}

qint32 ReportEngine::PageCount(qreal dpi) {
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(qRound(dpi / 0.0254));
  probe.setDotsPerMeterY(qRound(dpi / 0.0254));
  const ReportLayout layout(data_.columns, PageLayout().paintRectPixels(qRound(dpi)), &probe, Widest());
  return layout.pageCount(RowCount());
}

void ReportEngine::Render(QPainter& painter, const ReportLayout& layout, qint32 first, qint32 last,
                          const std::function<void()>& newPage) {
  const qint32 pages = layout.pageCount(RowCount());
  for (qint32 page = first; page <= last; ++page) {
    if (page > first) newPage();
    PaintPage(painter, layout, page, pages);
  }
}

void ReportEngine::PaintPage(QPainter& painter, const ReportLayout& layout, qint32 page, qint32 pages) {
  PaintHeader(painter, layout, page, pages);
  painter.setFont(layout.bodyFont());
  const qint32 firstRow = (page - 1) * layout.rowsPerPage() + 1;
  const qint32 lastRow = std::min(RowCount(), firstRow + layout.rowsPerPage() - 1);
  for (qint32 row = firstRow; row <= lastRow; ++row) PaintRow(painter, layout, row, row - firstRow);
}

void ReportEngine::PaintHeader(QPainter& painter, const ReportLayout& layout, qint32 page, qint32 pages) {
  const QRectF area = layout.page();
  painter.setPen(Qt::black);
  painter.setFont(layout.companyFont());
  const qreal companyHeight = layout.lineHeight(layout.companyFont());
  const QRectF companyLine(area.left(), area.top(), area.width(), companyHeight);
  painter.drawText(companyLine, Qt::AlignLeft | Qt::AlignVCenter,
                   data_.Variable(QStringLiteral("NombreDeLaEmpresa")));
  painter.setFont(layout.bodyFont());
  painter.drawText(companyLine, Qt::AlignRight | Qt::AlignVCenter, data_.Fecha());
  painter.setFont(layout.titleFont());
  painter.drawText(
      QRectF(area.left(), companyLine.bottom(), area.width(), layout.lineHeight(layout.titleFont())),
      Qt::AlignLeft | Qt::AlignVCenter, data_.Titulo());
  painter.setFont(layout.headerFont());
  for (qint32 c = 0; c < data_.columns.size(); ++c) {
    const qreal pad = layout.rowHeight() * 0.12;
    const QRectF cell = layout.headerCell(c).adjusted(pad, 0, -pad, 0);
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(layout.headerFont(), painter.device())
                         .elidedText(data_.columns.at(c).caption, Qt::ElideRight, cell.width()));
  }
  const qreal rule = layout.bodyTop() - layout.rowHeight() * 0.15;
  painter.drawLine(QPointF(area.left(), rule), QPointF(area.right(), rule));
  painter.setFont(layout.bodyFont());
  const QRectF footer(area.left(), area.bottom() - layout.rowHeight(), area.width(), layout.rowHeight());
  painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("Página %1 de %2")
                       .arg(page + data_.PrimeraPagina() - 1)
                       .arg(pages + data_.PrimeraPagina() - 1));
}

void ReportEngine::PaintRow(QPainter& painter, const ReportLayout& layout, qint32 row, qint32 rowOnPage) {
  const QFontMetricsF fm(layout.bodyFont(), painter.device());
  for (qint32 c = 0; c < data_.columns.size(); ++c) {
    const QVariant value = CellValue(row, c);
    const QString text = CellText(row, c, value);
    const qreal pad = layout.rowHeight() * 0.12;
    ReportItem item{&painter, layout.cell(c, rowOnPage).adjusted(pad, 0, -pad, 0), aliases_.at(c), text, row};
    bool painted = false;
    emit PaintRptItem(painted, item);
    if (painted) continue;
    const Qt::Alignment align = (isNumber(value) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    painter.drawText(item.rect, align, Fit(fm, text, item.rect.width()));
  }
}

}  // namespace zolmar
