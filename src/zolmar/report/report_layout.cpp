#include "zolmar/report/report_layout.h"

#include <QFontMetricsF>
#include <algorithm>

namespace zolmar {

namespace {

QFont font(qreal points, bool bold) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

}  // namespace

ReportLayout::ReportLayout(const ReportFields& columns, const QRectF& page, QPaintDevice* device)
    : page_(page),
      device_(device),
      body_(font(8, false)),
      header_(font(8, true)),
      company_(font(11, true)),
      title_(font(10, true)) {
  const QFontMetricsF fm(body_, device_);
  rowHeight_ = fm.height() * 1.3;
  qint32 characters = 0;
  for (const ReportField& c : columns) characters += std::max<qint32>(c.width, 1);
  const qreal charWidth = fm.averageCharWidth() * 1.1;
  const qreal scale = characters * charWidth > page_.width() ? page_.width() / (characters * charWidth) : 1.0;
  qreal x = page_.left();
  for (const ReportField& c : columns) {
    const qreal w = std::max<qint32>(c.width, 1) * charWidth * scale;
    left_.append(x);
    width_.append(w);
    x += w;
  }
  bodyTop_ = page_.top() + lineHeight(company_) + lineHeight(title_) + rowHeight_ * 1.6;
  const qreal footer = rowHeight_ * 1.5;
  rowsPerPage_ = std::max<qint32>(1, qint32((page_.bottom() - footer - bodyTop_) / rowHeight_));
}

qreal ReportLayout::lineHeight(const QFont& f) const { return QFontMetricsF(f, device_).height() * 1.2; }

qint32 ReportLayout::pageCount(qint32 rows) const {
  return std::max<qint32>(1, (rows + rowsPerPage_ - 1) / rowsPerPage_);
}

QRectF ReportLayout::cell(qint32 column, qint32 rowOnPage) const {
  return QRectF(left_.value(column), bodyTop_ + rowOnPage * rowHeight_, width_.value(column), rowHeight_);
}

QRectF ReportLayout::headerCell(qint32 column) const {
  return QRectF(left_.value(column), bodyTop_ - rowHeight_ * 1.3, width_.value(column), rowHeight_);
}

}  // namespace zolmar
