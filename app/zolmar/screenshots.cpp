#include "screenshots.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <cstdio>

#include "frm_ayuda.h"
#include "host/host_types.h"
#include "host/i_app_global.h"
#include "main_window.h"
#include "zolmar/host.h"
#include "zolmar/report/output_file.h"
#include "zolmar/services/qt_user_interface.h"
#include "zolmar/ui/database_file_guard.h"

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
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  OutputFile file(path);
  QString error = QStringLiteral("no se pudo crear la imagen");
  bool ok = widget->grab().save(&buffer, "PNG") && file.Open(&error);
  if (ok) {
    file.Write(png);  // a failure is Commit's to tell
    ok = file.Commit(&error);
  }
  if (ok)
    std::fprintf(stdout, "escrito %s\n", qPrintable(path));
  else
    std::fprintf(stderr, "No se pudo escribir %s: %s\n", qPrintable(path), qPrintable(error));
  return ok;
}

}  // namespace

int TakeScreenshots(MainWindow& window, const QString& folder) {
  QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "No se puede crear la carpeta %s\n", qPrintable(folder));
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
  // A question as the host asks it, and the help.
  auto pregunta =
      QtUserInterface::messageBox(QString::fromUtf8("¿Desea borrar la ficha <B>Vinos</B>?"),
                                  arboles::ButtonsYesNo | arboles::DefaultSecondButton,
                                  QString::fromUtf8("Confirmación"), arboles::IconQuestion, &window);
  pregunta->show();
  written += save(pregunta.get(), dir, fileName(++index, QStringLiteral("mensaje")));
  pregunta->close();
  FrmAyuda* ayuda = FrmAyuda::Mostrar(window.host().appGlobal());
  written += save(ayuda, dir, fileName(++index, QStringLiteral("ayuda")));
  ayuda->close();
  return written;
}

}  // namespace zolmar
