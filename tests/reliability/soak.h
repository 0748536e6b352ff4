#pragma once
// The long run's switch and its figures. ARBOLES_SOAK=1 makes every test of
// this suite run longer; the counts are printed as one line at the end.

#include <QtGlobal>
#include <array>

class Soak {
 public:
  enum Cifra {
    Secuencias,
    Operaciones,
    Fallos,
    Choques,
    Entradas,
    FilasPerdidas,
    FicherosCorruptos,
    NumCifras
  };

  static bool Activo();
  // Quick value or long value, as the run asks.
  static qint32 Escala(qint32 rapido, qint32 largo) { return Activo() ? largo : rapido; }
  static void Contar(Cifra c, qint64 n = 1) { cifras_[c] += n; }
  static qint64 Valor(Cifra c) { return cifras_[c]; }

 private:
  static inline std::array<qint64, NumCifras> cifras_{};
};
