#pragma once
// A small registry of benchmarks: each bench/*.cpp registers named functions;
// bench_main runs them all (small sizes only with --quick).

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <vector>

#include "resumen.h"

namespace bench {

using BenchFn = std::function<void(bool quick)>;

struct Entry {
  const char* name;
  BenchFn fn;
};

inline std::vector<Entry>& registry() {
  static std::vector<Entry> entries;
  return entries;
}

struct Registrar {
  Registrar(const char* name, BenchFn fn) { registry().push_back({name, std::move(fn)}); }
};

// Milliseconds taken by fn.
template <typename Fn>
double timeMs(Fn&& fn) {
  QElapsedTimer timer;
  timer.start();
  fn();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The best time of each measure over rondas rounds, the measures taken in
// turns within a round, so that a busy spell of the machine (its noise only
// ever adds time) does not fall on one of them alone.
inline std::vector<double> mejores(int rondas, const std::vector<std::function<double()>>& medidas) {
  std::vector<double> t(medidas.size(), std::numeric_limits<double>::infinity());
  for (int r = 0; r < rondas; ++r)
    for (size_t i = 0; i < medidas.size(); ++i) t[i] = std::min(t[i], medidas[i]());
  return t;
}

// BENCH <operation> n=<nodes> ms=<time> baseline_ms=<..> limit_ms=<..> ratio=<ms/baseline_ms>
inline void report(const QString& operation, long long n, double ms, double baselineMs, double limitMs) {
  Resumen::instance().anotar({operation, n, ms, baselineMs, limitMs});
  std::printf("BENCH %s n=%lld ms=%.1f baseline_ms=%.1f limit_ms=%.1f ratio=%.2f\n", qPrintable(operation), n,
              ms, baselineMs, limitMs, baselineMs > 0 ? ms / baselineMs : 0.0);
  std::fflush(stdout);
}

// A measured action that was refused or failed: no BENCH line for it, and
// the run ends with the reason and a failing status.
inline void fail(const QString& operation, long long n, const QString& reason) {
  Resumen::instance().fallar({operation, n, reason});
  std::fprintf(stderr, "FAILED %s n=%lld: %s\n", qPrintable(operation), n, qPrintable(reason));
}

}  // namespace bench

#define BENCH_CONCAT2(a, b) a##b
#define BENCH_CONCAT(a, b) BENCH_CONCAT2(a, b)
#define REGISTER_BENCH(name, fn) static ::bench::Registrar BENCH_CONCAT(benchRegistrar_, __LINE__)(name, fn)
