#include <QApplication>
#include <cstring>

#include "bench_util.h"
#include "zolmar/services/platform_messages.h"

int main(int argc, char** argv) {
  // Window benchmarks need widgets; they run offscreen unless told otherwise.
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  zolmar::PlatformMessages::prepareRuntimeFolder();
  zolmar::PlatformMessages::install();
  QApplication app(argc, argv);
  bool quick = false;
  const char* only = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0)
      quick = true;
    else
      only = argv[i];
  }
  for (const bench::Entry& entry : bench::registry()) {
    if (only && !QString(entry.name).contains(only)) continue;
    entry.fn(quick);
  }
  return 0;
}
