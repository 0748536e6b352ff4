#include "zolmar/ui/file_chooser.h"

#include <QCoreApplication>
#include <QEvent>
#include <memory>

#include "zolmar/ui/name_icon_provider.h"

namespace zolmar {

namespace {

// One provider for every chooser: a dialog does not own the provider it is given.
NameIconProvider& provider() {
  static NameIconProvider instance;
  return instance;
}

void configure(QFileDialog& chooser) {
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setOption(QFileDialog::DontUseCustomDirectoryIcons);
  chooser.setIconProvider(&provider());
}

QFileDialog* made(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) {
  auto* chooser = new QFileDialog(parent, caption, folder, filter);
  // The listing the constructor starts reaches the provider only from the
  // event loop, so the name-only provider is in place before any file is seen.
  configure(*chooser);
  return chooser;
}

// Choosers made elsewhere (Qt's own, as the print dialog's "Print to file")
// get the same settings when shown, before the event loop lists a file.
class ChooserFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* chooser = qobject_cast<QFileDialog*>(watched); chooser && !FileChooser::IsSafe(*chooser))
        configure(*chooser);
    }
    return false;
  }
};

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

void FileChooser::ProtectEveryChooser() {
  // A native chooser would use the desktop's own type detection.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  static ChooserFilter* filter = nullptr;
  if (filter) return;
  filter = new ChooserFilter(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
}

bool FileChooser::IsSafe(const QFileDialog& chooser) {
  return chooser.iconProvider() == &provider() && chooser.testOption(QFileDialog::DontUseNativeDialog);
}

}  // namespace zolmar
