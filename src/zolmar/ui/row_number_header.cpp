#include "zolmar/ui/row_number_header.h"

namespace zolmar {

namespace {
constexpr int kMeasured = 10;
}  // namespace

RowNumberHeader::RowNumberHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
  // As the table view's own vertical header.
  setSectionsClickable(true);
  setHighlightSections(true);
}

QSize RowNumberHeader::sizeHint() const {
  QSize hint(0, 0);
  const int count = this->count();
  for (int i = count - 1, measured = 0; i >= 0 && measured < kMeasured; --i) {
    if (isSectionHidden(i)) continue;
    ++measured;
    hint = hint.expandedTo(sectionSizeFromContents(i));
  }
  return count > 0 ? hint : QHeaderView::sizeHint();
}

}  // namespace zolmar
