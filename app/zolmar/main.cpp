// zolmar [--db FILE] [--screenshot DIR]: the desktop host of the tree module.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <stdexcept>

#include "main_window.h"
#include "screenshots.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/platform_messages.h"
#include "zolmar/ui/file_chooser.h"
#include "zolmar/ui/system_error_text.h"

namespace {

// The demo company in the user's data folder, filled the first time.
QString demoDatabase() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(folder);
  return QDir(folder).filePath(QStringLiteral("Empresa.db"));
}

std::unique_ptr<zolmar::Host> openHost(const QString& requested) {
  const QString path = requested.isEmpty() ? demoDatabase() : requested;
  // A server's company is never filled here: it is set up by "arboles init".
  const bool fresh =
      path != QLatin1String(":memory:") && !zolmar::Connection::namesServer(path) && !QFileInfo::exists(path);
  auto host = zolmar::Host::open(path);
  if (fresh || path == QLatin1String(":memory:")) host->demoCompany();
  return host;
}

}  // namespace

int main(int argc, char** argv) {
  zolmar::PlatformMessages::prepareRuntimeFolder();
  zolmar::PlatformMessages::install();
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Zolmar"));
  QApplication::setApplicationName(QStringLiteral("Zolmar"));
  // No file chooser may look inside the company's files (their SQLite locks).
  zolmar::FileChooser::ProtectEveryChooser();

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Zolmar: gestión comercial con árboles de clasificación"));
  parser.addHelpOption();
  parser.addOption({QStringLiteral("db"), QStringLiteral("Base de datos (fichero, :memory: u odbc:...)."),
                    QStringLiteral("FILE")});
  parser.addOption({QStringLiteral("screenshot"),
                    QStringLiteral("Guarda las ventanas en PNG en DIR y termina."), QStringLiteral("DIR")});
  parser.process(app);

  std::unique_ptr<zolmar::Host> host;
  try {
    host = openHost(parser.value(QStringLiteral("db")));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zolmar: %s\n",
                 qPrintable(zolmar::SystemErrorText::Translate(QString::fromUtf8(e.what()))));
    return 1;
  }
  int status = 0;
  // The person's windows come back where they were left; the screenshots
  // always show them as they first open.
  if (!parser.isSet(QStringLiteral("screenshot")))
    host->app()->setWindowSettings(std::make_shared<QSettings>());
  {
    zolmar::MainWindow window(*host);
    if (parser.isSet(QStringLiteral("screenshot"))) {
      status = zolmar::TakeScreenshots(window, parser.value(QStringLiteral("screenshot"))) > 0 ? 0 : 1;
    } else {
      window.show();
      status = app.exec();
    }
  }
  return status;
}
