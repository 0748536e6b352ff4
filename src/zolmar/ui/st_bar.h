#pragma once
// Status bar made of text panels.

#include <QStatusBar>
#include <QVector>

class QLabel;

namespace zolmar {

class StBar : public QStatusBar {
  Q_OBJECT
 public:
  explicit StBar(QWidget* parent = nullptr);

  // Adds a panel; width 0 stretches it. Returns its 0-based index.
  qint32 AddPanel(qint32 width = 0, const QString& text = QString());
  qint32 PanelCount() const { return qint32(panels_.size()); }
  QString PanelText(qint32 index) const;
  // Panel texts are painted on Refresh, so a burst of changes repaints once.
  void setPanelText(qint32 index, const QString& text);
  void Refresh();

 private:
  struct Panel {
    QLabel* label;
    QString text;
  };
  QVector<Panel> panels_;
};

}  // namespace zolmar
