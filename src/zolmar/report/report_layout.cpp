#include "zolmar/report/report_layout.h"

#include <QFontMetricsF>
#include <algorithm>

namespace zolmar {

namespace {

QFont font(qreal points, bool bold) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPointSizeF(points);
  f.setBold(bold);
  // No ligatures: a PDF's text reads back letter by letter ("fl", not one glyph).
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

}  // namespace

ReportLayout::ReportLayout(const ReportFields& columns, const QRectF& page, QPaintDevice* device,
                           const QVector<QStringList>& widest)
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
  for (const ReportField& c : columns) width_.append(std::max<qint32>(c.width, 1) * charWidth * scale);
  // The room the page leaves goes to the columns that would cut their texts,
  // shared in proportion to what each lacks when it is not enough for all.
  QVector<qreal> lacks(width_.size(), 0);
  qreal lacking = 0;
  for (qint32 i = 0; i < width_.size(); ++i) {
    lacks[i] = std::max<qreal>(0, Needed(columns.at(i), widest.value(i)) - width_.at(i));
    lacking += lacks.at(i);
  }
  const qreal room = page_.width() - characters * charWidth * scale;
  if (lacking > 0 && room > 0) {
    const qreal share = std::min<qreal>(1, room / lacking);
    for (qint32 i = 0; i < width_.size(); ++i) width_[i] += lacks.at(i) * share;
  }
  qreal x = page_.left();
  for (const qreal w : width_) {
    left_.append(x);
    x += w;
  }
  bodyTop_ = page_.top() + lineHeight(company_) + lineHeight(title_) + rowHeight_ * 1.6;
  const qreal footer = rowHeight_ * 1.5;
  rowsPerPage_ = std::max<qint32>(1, qint32((page_.bottom() - footer - bodyTop_) / rowHeight_));
}

qreal ReportLayout::Needed(const ReportField& column, const QStringList& widest) const {
  // The engine pads each cell by this much on either side.
  const qreal pads = 2 * rowHeight_ * 0.12 + 1;
  qreal needed = QFontMetricsF(header_, device_).horizontalAdvance(column.caption);
  const QFontMetricsF fm(body_, device_);
  for (const QString& text : widest) needed = std::max(needed, fm.horizontalAdvance(text));
  return needed + pads;
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
