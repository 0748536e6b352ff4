#pragma once
// Pop-up menu of numbered choices. Show returns the chosen item's 1-based
// position in the order of Add, or 0 when the person dismisses the menu.
// Tests install a chooser that answers instead of the person.

#include <QStringList>
#include <functional>

class QWidget;

namespace zolmar {

class PopupMenu {
 public:
  using Chooser = std::function<qint32(const QString& title, const QStringList& items)>;

  // "-" adds a separator (it keeps its position but cannot be chosen).
  void Add(const QString& text) { items_.append(text); }
  void Clear() { items_.clear(); }
  QStringList Items() const { return items_; }

  qint32 Show(const QString& title, QWidget* parent = nullptr) const;

  // An empty chooser restores the real menu.
  static void SetChooser(Chooser chooser);

 private:
  qint32 showMenu(const QString& title, QWidget* parent) const;

  QStringList items_;
};

}  // namespace zolmar
