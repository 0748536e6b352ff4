#include "zolmar/ui/st_bar.h"

#include <QLabel>

namespace zolmar {

StBar::StBar(QWidget* parent) : QStatusBar(parent) { setSizeGripEnabled(false); }

qint32 StBar::AddPanel(qint32 width, const QString& text) {
  auto* label = new QLabel(text, this);
  label->setFrameShape(QFrame::StyledPanel);
  if (width > 0) label->setFixedWidth(width);
  addPermanentWidget(label, width > 0 ? 0 : 1);
  panels_.append({label, text});
  return qint32(panels_.size()) - 1;
}

QString StBar::PanelText(qint32 index) const {
  return index >= 0 && index < panels_.size() ? panels_[index].text : QString();
}

void StBar::setPanelText(qint32 index, const QString& text) {
  if (index < 0) return;
  while (index >= panels_.size()) AddPanel();
  panels_[index].text = text;
}

void StBar::Refresh() {
  for (const Panel& panel : panels_) panel.label->setText(panel.text);
}

}  // namespace zolmar
