#pragma once
// What a run of the benchmarks measured, kept so that it ends with a summary
// table (worst ratio first), a CSV and a log-log picture of time against size;
// and what failed: a refused or failed action prints no BENCH line and makes
// the run fail.

#include <QString>
#include <vector>

namespace bench {

class Resumen {
 public:
  struct Medida {
    QString operacion;
    long long n;
    double ms, base, limite;
    double ratio() const { return base > 0 ? ms / base : 0.0; }
  };
  struct Fallo {
    QString operacion;
    long long n;
    QString motivo;
  };

  static Resumen& instance();

  void anotar(const Medida& m) { medidas_.push_back(m); }
  void fallar(const Fallo& f) { fallos_.push_back(f); }
  const std::vector<Medida>& medidas() const { return medidas_; }
  const std::vector<Fallo>& fallos() const { return fallos_; }

  // The table on stdout, the failures on stderr.
  void imprimir() const;
  // What a benchmark's own process measured, as lines of stdout for the run
  // that started it; recibir takes one of them in (false: not one of them).
  void enviar() const;
  bool recibir(const QString& linea);
  bool escribirCsv(const QString& fichero) const;
  // One panel per operation: ms (and baseline_ms) against n, both axes logarithmic.
  bool dibujar(const QString& fichero) const;

 private:
  std::vector<Medida> medidas_;
  std::vector<Fallo> fallos_;
};

}  // namespace bench
