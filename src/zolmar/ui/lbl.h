#pragma once
// Caption label.

#include <QLabel>

namespace zolmar {

class lbl : public QLabel {
  Q_OBJECT
 public:
  explicit lbl(const QString& caption = QString(), QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  void setCaption(const QString& caption) { setText(caption); }
};

}  // namespace zolmar
