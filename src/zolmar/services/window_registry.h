#pragma once
// The open windows the application asks before it closes.

#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace zolmar {

class WindowRegistry {
 public:
  // Asks a window whether it refuses to close (true = refuses).
  using RefusalQuery = std::function<bool(QWidget*)>;

  explicit WindowRegistry(RefusalQuery query = {}) : query_(std::move(query)) {}

  qint32 add(QWidget* form, const QString& name);
  void remove(qint32 handle);
  bool isOpen(const QString& name) const;
  // Every registered window is asked, newest first; true as soon as one refuses.
  bool queryUnload() const;
  qsizetype count() const;
  QList<QWidget*> windows() const;

 private:
  struct Entry {
    QPointer<QWidget> form;
    QString name;
  };
  RefusalQuery query_;
  QMap<qint32, Entry> entries_;
  qint32 next_ = 1;
};

}  // namespace zolmar
