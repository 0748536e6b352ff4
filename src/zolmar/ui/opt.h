#pragma once
// Option group of the control library: one choice among a few, read and set
// as the index of the chosen option (0 the first).

#include <QList>
#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QRadioButton;

namespace zolmar {

class opt : public QWidget {
  Q_OBJECT
 public:
  explicit opt(const QStringList& captions, QWidget* parent = nullptr);

  qint32 Value() const;
  // An index out of range chooses nothing.
  void setValue(qint32 index);
  qint32 Count() const { return static_cast<qint32>(options_.size()); }
  QString Caption(qint32 index) const;
  void setToolTipText(const QString& tip);

 signals:
  void Click();

 private:
  QButtonGroup* group_;
  QList<QRadioButton*> options_;
};

}  // namespace zolmar
