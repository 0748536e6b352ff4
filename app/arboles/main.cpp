// arboles: the trees of a company database from the command line.

#include <QApplication>
#include <QTextStream>
#include <cstdio>

#include "comando_arboles.h"
#include "comando_esquema.h"
#include "zolmar/services/platform_messages.h"

int main(int argc, char** argv) {
  // No screen is needed: the host's services still want a GUI application.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  zolmar::PlatformMessages::prepareRuntimeFolder();
  zolmar::PlatformMessages::install();
  QApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  if (app.arguments().value(1) == QLatin1String("schema"))
    return zolmar::ComandoEsquema(out, err).Ejecutar(app.arguments().mid(2));
  zolmar::ComandoArboles comando(out, err);
  const int salida = comando.Ejecutar(app.arguments().mid(1));
  out.flush();
  err.flush();
  return salida;
}
