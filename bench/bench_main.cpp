#include <QApplication>
#include <QDir>
#include <cstring>

#include "bench_util.h"
#include "zolmar/services/platform_messages.h"

// arboles_bench [--quick] [--pg] [--out DIR] [NAME]: every benchmark (or those
// whose name contains NAME); the summary goes to DIR/bench.csv and DIR/bench.png.
// With --pg only the PostgreSQL ones ("pg_..."), on the server ZOLMAR_TEST_PG names.
int main(int argc, char** argv) {
  // Window benchmarks need widgets; they run offscreen unless told otherwise.
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  zolmar::PlatformMessages::prepareRuntimeFolder();
  zolmar::PlatformMessages::install();
  QApplication app(argc, argv);
  bool quick = false, pg = false;
  const char* only = nullptr;
  QString out;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0)
      quick = true;
    else if (std::strcmp(argv[i], "--pg") == 0)
      pg = true;
    else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
      out = QString::fromLocal8Bit(argv[++i]);
    else
      only = argv[i];
  }
  for (const bench::Entry& entry : bench::registry()) {
    if (only && !QString(entry.name).contains(only)) continue;
    if (QString(entry.name).startsWith(QLatin1String("pg_")) != pg) continue;
    if (pg && qEnvironmentVariableIsEmpty("ZOLMAR_TEST_PG")) {
      bench::fail(QString::fromLatin1(entry.name), 0, QStringLiteral("no server given (ZOLMAR_TEST_PG)"));
      continue;
    }
    try {
      entry.fn(quick);
    } catch (const std::exception& e) {
      bench::fail(QString::fromLatin1(entry.name), 0, QString::fromUtf8(e.what()));
    }
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
