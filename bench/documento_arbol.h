#pragma once
// A generated tree document and its import by the module through the host's
// exchange framework, shared by the SQLite and the server benchmarks.

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

#include "bench_util.h"
#include "host/i_app_global.h"
#include "import/imp_exp.h"
#include "import_directo.h"
#include "tree/taz_arboles.h"
#include "zolmar/exchange/exchange_import.h"
#include "zolmar/host.h"

namespace bench {

// Breadth first, up to 6 levels, 2 to 60 children per parent.
inline std::vector<Rama> generarRamas(int n) {
  std::mt19937 azar(20240607);
  std::uniform_int_distribution<int> hijos(2, 60);
  const char* palabras[] = {"Vinos",   "Quesos", "Aceites", "Conservas",
                            "Licores", "Panes",  "Frutas",  "Carnes"};
  std::vector<Rama> ramas;
  std::vector<std::pair<qint32, int>> cola{{0, 0}};
  for (size_t i = 0; i < cola.size() && static_cast<int>(ramas.size()) < n; ++i) {
    const auto [padre, nivel] = cola[i];
    if (nivel >= 6) continue;
    const int cuantos = std::min(hijos(azar), n - static_cast<int>(ramas.size()));
    for (int k = 0; k < cuantos; ++k) {
      const qint32 id = static_cast<qint32>(ramas.size()) + 100;
      ramas.push_back(
          {id, padre, QStringLiteral("%1 %2").arg(palabras[azar() % 8]).arg(azar() % 100000), {}});
      cola.push_back({id, nivel + 1});
    }
  }
  return ramas;
}

inline QByteArray documento(const std::vector<Rama>& ramas) {
  QByteArray texto = "{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [\n";
  for (size_t i = 0; i < ramas.size(); ++i)
    texto += QStringLiteral(
                 "%1{\"zolmarID\": %2, \"ID_RamaOriginal\": %3, \"ID_RamaPadreOriginal\": %4, "
                 "\"Nombre\": \"%5\"}\n")
                 .arg(i == 0 ? "" : ",")
                 .arg(i + 1)
                 .arg(ramas[i].id)
                 .arg(ramas[i].padre)
                 .arg(ramas[i].nombre)
                 .toUtf8();
  return texto + "]}\n";
}

inline double importarModulo(zolmar::Host& host, const QString& fichero) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  auto handler = std::make_shared<arboles::cImp_Exp>();
  handler->Configure(taz);
  zolmar::ExchangeImport importacion(app, handler);
  zolmar::ExchangeImport::Outcome resultado;
  const double ms = bench::timeMs([&] { resultado = importacion.importFile(fichero); });
  if (resultado.result != 0) throw std::runtime_error(resultado.status.toStdString());
  return ms;
}

}  // namespace bench
