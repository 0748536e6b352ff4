#pragma once
// Every file chooser of the program is made here: Qt's own dialog (a native
// one would use the desktop's icon providers) with icons and types taken
// from names only, so that listing the folder of the company database never
// opens that database (see NameIconProvider).

#include <QFileDialog>

namespace zolmar {

class FileChooser {
 public:
  // A chooser to open without blocking; deleted when closed.
  static QFileDialog* Create(QWidget* parent, const QString& caption, const QString& folder,
                             const QString& filter);
  // A modal chooser of a file to write: "" when the person cancels.
  static QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter);
  // From now on every chooser of the application, Qt's own included, is
  // non-native and gets the name-only provider when first shown.
  static void ProtectEveryChooser();
  // With this class's settings in place.
  static bool IsSafe(const QFileDialog& chooser);
};

}  // namespace zolmar
