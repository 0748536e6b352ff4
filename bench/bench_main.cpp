#include <QApplication>
#include <QDir>
#include <QProcess>
#include <cstring>

#include "bench_util.h"
#include "zolmar/services/platform_messages.h"

namespace {

// One benchmark in this process: its lines, then what it measured for the run
// that started it.
int correr(const bench::Entry& entry, bool quick) {
  try {
    entry.fn(quick);
  } catch (const std::exception& e) {
    bench::fail(QString::fromLatin1(entry.name), 0, QString::fromUtf8(e.what()));
  }
  bench::Resumen::instance().enviar();
  return bench::Resumen::instance().fallos().empty() ? 0 : 1;
}

// One benchmark in a process of its own, so that none is measured on the heap
// and caches another left behind; its lines are shown as they come.
void aparte(const bench::Entry& entry, bool quick) {
  QProcess proceso;
  proceso.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  QStringList argumentos{QStringLiteral("--entry"), QString::fromLatin1(entry.name)};
  if (quick) argumentos << QStringLiteral("--quick");
  proceso.start(QCoreApplication::applicationFilePath(), argumentos);
  if (!proceso.waitForStarted(-1)) {
    bench::fail(QString::fromLatin1(entry.name), 0, proceso.errorString());
    return;
  }
  bench::Resumen& resumen = bench::Resumen::instance();
  const auto tomar = [&](const QByteArray& linea) {
    const QString texto = QString::fromUtf8(linea).trimmed();
    if (!texto.isEmpty() && !resumen.recibir(texto)) {
      std::printf("%s\n", qPrintable(texto));
      std::fflush(stdout);
    }
  };
  for (;;) {
    while (proceso.canReadLine()) tomar(proceso.readLine());
    if (proceso.state() == QProcess::NotRunning) break;
    proceso.waitForReadyRead(-1);
  }
  tomar(proceso.readAll());
  if (proceso.exitStatus() != QProcess::NormalExit)
    bench::fail(QString::fromLatin1(entry.name), 0, QStringLiteral("its process ended abnormally"));
}

}  // namespace

// arboles_bench [--quick] [--pg] [--out DIR] [NAME]: every benchmark (or those
// whose name contains NAME), each in a process of its own; the summary goes to
// DIR/bench.csv and DIR/bench.png. With --pg only the PostgreSQL ones ("pg_..."),
// on the server ZOLMAR_TEST_PG names. --entry NAME runs that one here.
int main(int argc, char** argv) {
  // Window benchmarks need widgets; they run offscreen unless told otherwise.
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  zolmar::PlatformMessages::prepareRuntimeFolder();
  zolmar::PlatformMessages::install();
  QApplication app(argc, argv);
  bool quick = false, pg = false;
  const char* only = nullptr;
  const char* entrada = nullptr;
  QString out;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0)
      quick = true;
    else if (std::strcmp(argv[i], "--pg") == 0)
      pg = true;
    else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
      out = QString::fromLocal8Bit(argv[++i]);
    else if (std::strcmp(argv[i], "--entry") == 0 && i + 1 < argc)
      entrada = argv[++i];
    else
      only = argv[i];
  }
  if (entrada) {
    for (const bench::Entry& entry : bench::registry())
      if (std::strcmp(entry.name, entrada) == 0) return correr(entry, quick);
    std::fprintf(stderr, "no benchmark called %s\n", entrada);
    return 2;
  }
  for (const bench::Entry& entry : bench::registry()) {
    if (only && !QString(entry.name).contains(only)) continue;
    if (QString(entry.name).startsWith(QLatin1String("pg_")) != pg) continue;
    if (pg && qEnvironmentVariableIsEmpty("ZOLMAR_TEST_PG")) {
      bench::fail(QString::fromLatin1(entry.name), 0, QStringLiteral("no server given (ZOLMAR_TEST_PG)"));
      continue;
    }
    aparte(entry, quick);
  }
  const bench::Resumen& resumen = bench::Resumen::instance();
  resumen.imprimir();
  if (!out.isEmpty()) {
    QDir().mkpath(out);
    const QString csv = QDir(out).filePath(QStringLiteral("bench.csv"));
    const QString png = QDir(out).filePath(QStringLiteral("bench.png"));
    if (resumen.escribirCsv(csv) && resumen.dibujar(png))
      std::printf("\nwritten: %s %s\n", qPrintable(csv), qPrintable(png));
  }
  return resumen.fallos().empty() ? 0 : 1;
}
