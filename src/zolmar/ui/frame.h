#pragma once
// Group box with a caption that holds related controls.

#include <QGroupBox>

namespace zolmar {

class Frame : public QGroupBox {
  Q_OBJECT
 public:
  explicit Frame(const QString& caption = QString(), QWidget* parent = nullptr);

  QString Caption() const { return title(); }
  void setCaption(const QString& caption) { setTitle(caption); }
};

}  // namespace zolmar
