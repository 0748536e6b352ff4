#include "screenshots.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSaveFile>
#include <cstdio>

#include "main_window.h"
#include "zolmar/ui/database_file_guard.h"
#include "zolmar/ui/system_error_text.h"

namespace zolmar {

namespace {

QString fileName(int index, const QString& caption) {
  QString name = caption.normalized(QString::NormalizationForm_D);
  name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9 ]")));
  name = name.trimmed().toLower().replace(QLatin1Char(' '), QLatin1Char('_'));
  return QStringLiteral("%1_%2.png").arg(index, 2, 10, QLatin1Char('0')).arg(name);
}

// A database in the folder under one of these names is left alone; a
// picture is renamed into place only when it has been written whole.
bool save(QWidget* widget, const QDir& dir, const QString& name) {
  QApplication::processEvents();
  const QString path = dir.filePath(name);
  if (const QString refusal = DatabaseFileGuard::OutputRefusal(path); !refusal.isEmpty()) {
    std::fprintf(stderr, "%s\n", qPrintable(refusal));
    return false;
  }
  QSaveFile file(path);
  const bool ok = file.open(QIODevice::WriteOnly) && widget->grab().save(&file, "PNG") && file.commit();
  if (ok)
    std::fprintf(stdout, "wrote %s\n", qPrintable(path));
  else
    std::fprintf(stderr, "could not write %s: %s\n", qPrintable(path),
                 qPrintable(SystemErrorText::Reason(file.errorString())));
  return ok;
}

}  // namespace

int TakeScreenshots(MainWindow& window, const QString& folder) {
  QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
    return 0;
  }
  int index = 0, written = 0;
  window.show();
  written += save(&window, dir, fileName(++index, QStringLiteral("principal")));
  for (QAction* top : window.menuBar()->actions()) {
    QMenu* menu = top->menu();
    if (!menu) continue;
    menu->adjustSize();
    written +=
        save(menu, dir, fileName(++index, QStringLiteral("menu ") + top->text().remove(QLatin1Char('&'))));
  }
  for (const ArbolesMenuEntry& entry : window.arbolesEntries()) {
    QWidget* opened = entry.preview ? entry.preview() : entry.open();
    if (!opened) continue;
    written += save(opened, dir, fileName(++index, entry.caption));
    opened->close();
  }
  return written;
}

}  // namespace zolmar
