#include "screenshots.h"

#include <QAction>
#include <QApplication>
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
#include "zolmar/services/qt_user_interface.h"

namespace zolmar {

namespace {

QString fileName(int index, const QString& caption) {
  QString name = caption.normalized(QString::NormalizationForm_D);
  name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9 ]")));
  name = name.trimmed().toLower().replace(QLatin1Char(' '), QLatin1Char('_'));
  return QStringLiteral("%1_%2.png").arg(index, 2, 10, QLatin1Char('0')).arg(name);
}

bool save(QWidget* widget, const QDir& dir, const QString& name) {
  QApplication::processEvents();
  const bool ok = widget->grab().save(dir.filePath(name));
  std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write",
               qPrintable(dir.filePath(name)));
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
