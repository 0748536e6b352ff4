#include "zolmar/ui/popup_menu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace zolmar {

namespace {
PopupMenu::Chooser& chooser() {
  static PopupMenu::Chooser instance;
  return instance;
}
const QString kSeparator = QStringLiteral("-");
}  // namespace

void PopupMenu::SetChooser(Chooser c) { chooser() = std::move(c); }

qint32 PopupMenu::Show(const QString& title, QWidget* parent) const {
  qint32 chosen = chooser() ? chooser()(title, items_) : showMenu(title, parent);
  if (chosen < 1 || chosen > items_.size() || items_[chosen - 1] == kSeparator) return 0;
  return chosen;
}

qint32 PopupMenu::showMenu(const QString& title, QWidget* parent) const {
  QMenu menu(parent);
  if (!title.isEmpty()) menu.addSection(title);
  for (int i = 0; i < items_.size(); ++i) {
    if (items_[i] == kSeparator) {
      menu.addSeparator();
    } else {
      menu.addAction(items_[i])->setData(i + 1);
    }
  }
  QAction* picked = menu.exec(QCursor::pos());
  return picked ? picked->data().toInt() : 0;
}

}  // namespace zolmar
