#pragma once
// The row numbers down the left of a grid. Qt sizes a header by measuring the
// text of up to two hundred sections whenever rows come or go (deleting a row,
// closing the window after it); row numbers need only the widest of them,
// which is among the last ten (most digits, every last digit).

#include <QHeaderView>

namespace zolmar {

class RowNumberHeader : public QHeaderView {
 public:
  explicit RowNumberHeader(QWidget* parent);

  QSize sizeHint() const override;
};

}  // namespace zolmar
