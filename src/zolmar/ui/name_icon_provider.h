#pragma once
// Icons and type names of a file chooser taken from the file's name alone.
//
// Qt's own providers find a file's type by reading its first bytes; opening
// and closing a database file that SQLite holds open drops the process's
// locks on it (see DatabaseFileGuard), so a chooser listing the company's
// folder must never look inside the files it lists.

#include <QAbstractFileIconProvider>

namespace zolmar {

class NameIconProvider : public QAbstractFileIconProvider {
 public:
  NameIconProvider();
  using QAbstractFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
  // Custom folder icons would be read from inside the folder: never.
  void setOptions(Options options) override;
};

}  // namespace zolmar
