#include "zolmar/ui/opt.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace zolmar {

opt::opt(const QStringList& captions, QWidget* parent) : QWidget(parent), group_(new QButtonGroup(this)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  for (const QString& caption : captions) {
    auto* option = new QRadioButton(caption, this);
    group_->addButton(option, static_cast<int>(options_.size()));
    options_.append(option);
    row->addWidget(option);
  }
  row->addStretch();
  if (!options_.isEmpty()) options_.first()->setChecked(true);
  connect(group_, &QButtonGroup::idClicked, this, [this] { emit Click(); });
}

qint32 opt::Value() const { return group_->checkedId(); }

void opt::setValue(qint32 index) {
  if (index >= 0 && index < Count()) {
    options_.at(index)->setChecked(true);
    return;
  }
  // Leaving a group with no choice takes switching exclusivity off for a moment.
  group_->setExclusive(false);
  for (QRadioButton* option : options_) option->setChecked(false);
  group_->setExclusive(true);
}

QString opt::Caption(qint32 index) const {
  return index >= 0 && index < Count() ? options_.at(index)->text() : QString();
}

void opt::setToolTipText(const QString& tip) { setToolTip(tip); }

}  // namespace zolmar
