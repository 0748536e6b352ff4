#include "zolmar/ui/file_chooser.h"

#include "zolmar/ui/name_icon_provider.h"

namespace zolmar {

namespace {

// One provider for every chooser: a dialog does not own the provider it is given.
NameIconProvider& provider() {
  static NameIconProvider instance;
  return instance;
}

QFileDialog* made(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) {
  auto* chooser = new QFileDialog(parent, caption, folder, filter);
  // Before anything lists a folder: the options first, then the provider.
  chooser->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontUseCustomDirectoryIcons);
  chooser->setIconProvider(&provider());
  return chooser;
}

}  // namespace

QFileDialog* FileChooser::Create(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) {
  QFileDialog* chooser = made(parent, caption, folder, filter);
  chooser->setAttribute(Qt::WA_DeleteOnClose);
  return chooser;
}

QString FileChooser::SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                  const QString& filter) {
  std::unique_ptr<QFileDialog> chooser(made(parent, caption, folder, filter));
  chooser->setAcceptMode(QFileDialog::AcceptSave);
  chooser->setFileMode(QFileDialog::AnyFile);
  if (chooser->exec() != QDialog::Accepted) return QString();
  const QStringList files = chooser->selectedFiles();
  return files.value(0);
}

bool FileChooser::IsSafe(const QFileDialog& chooser) {
  return chooser.iconProvider() == &provider() && chooser.testOption(QFileDialog::DontUseNativeDialog);
}

}  // namespace zolmar
