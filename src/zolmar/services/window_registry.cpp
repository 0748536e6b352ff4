#include "zolmar/services/window_registry.h"

namespace zolmar {

qint32 WindowRegistry::add(QWidget* form, const QString& name) {
  const qint32 handle = next_++;
  entries_.insert(handle, {QPointer<QWidget>(form), name.isEmpty() && form ? form->objectName() : name});
  return handle;
}

void WindowRegistry::remove(qint32 handle) { entries_.remove(handle); }

bool WindowRegistry::isOpen(const QString& name) const {
  for (const auto& entry : entries_)
    if (entry.form && entry.name.compare(name, Qt::CaseInsensitive) == 0) return true;
  return false;
}

bool WindowRegistry::queryUnload() const {
  const auto handles = entries_.keys();
  for (auto it = handles.crbegin(); it != handles.crend(); ++it) {
    const auto found = entries_.constFind(*it);
    if (found == entries_.constEnd() || !found->form) continue;
    if (query_ && query_(found->form)) return true;
  }
  return false;
}

qsizetype WindowRegistry::count() const {
  qsizetype n = 0;
  for (const auto& entry : entries_)
    if (entry.form) ++n;
  return n;
}

QList<QWidget*> WindowRegistry::windows() const {
  QList<QWidget*> list;
  for (const auto& entry : entries_)
    if (entry.form) list << entry.form.data();
  return list;
}

}  // namespace zolmar
