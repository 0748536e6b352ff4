#pragma once
// Geometry of the report's pages on one device: header, column positions,
// row height and how many rows fit on a page. Columns wider than the page
// are scaled down to fit it; the room a narrower report leaves widens the
// columns whose caption or widest texts would otherwise be cut.

#include <QFont>
#include <QRectF>
#include <QStringList>
#include <QVector>

#include "zolmar/report/report_field.h"

class QPaintDevice;

namespace zolmar {

class ReportLayout {
 public:
  // widest: per column, the longest texts of its cells (none: the widths as given).
  ReportLayout(const ReportFields& columns, const QRectF& page, QPaintDevice* device,
               const QVector<QStringList>& widest = {});

  // Portrait pages hold about this many characters of columns.
  static constexpr qint32 kPortraitCharacters = 120;

  QRectF page() const { return page_; }
  qreal rowHeight() const { return rowHeight_; }
  qreal bodyTop() const { return bodyTop_; }
  qint32 rowsPerPage() const { return rowsPerPage_; }
  qint32 pageCount(qint32 rows) const;
  QRectF cell(qint32 column, qint32 rowOnPage) const;
  QRectF headerCell(qint32 column) const;

  QFont bodyFont() const { return body_; }
  QFont headerFont() const { return header_; }
  QFont companyFont() const { return company_; }
  QFont titleFont() const { return title_; }
  qreal lineHeight(const QFont& font) const;

 private:
  // What column c needs to show its caption and its widest texts whole.
  qreal Needed(const ReportField& column, const QStringList& widest) const;

  QRectF page_;
  QPaintDevice* device_;
  QFont body_, header_, company_, title_;
  QVector<qreal> left_, width_;
  qreal rowHeight_ = 0;
  qreal bodyTop_ = 0;
  qint32 rowsPerPage_ = 1;
};

}  // namespace zolmar
