// Import of a tree document: into an empty tree (every branch created) and
// again into the tree that already holds it (every branch found by name).
// The module runs through the host's framework; the baseline is bare Qt
// reading the document (QJsonDocument) and bare SQLite running the same
// statements, with prepared statements, in one transaction, the way the
// framework commits the whole import at once.

#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <random>
#include <stdexcept>

#include "bench_host.h"
#include "bench_util.h"
#include "host/i_app_global.h"
#include "import/imp_exp.h"
#include "import_directo.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/exchange/exchange_import.h"
#include "zolmar/host.h"

namespace {

using bench::Rama;

// Breadth first, up to 6 levels, 2 to 60 children per parent.
std::vector<Rama> generar(int n) {
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

QByteArray documento(const std::vector<Rama>& ramas) {
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

// The bare import, timed.
double importarDirecto(zolmar::Connection& cn, const QString& fichero) {
  return bench::timeMs([&] { bench::importar(cn, fichero); });
}

double importarModulo(zolmar::Host& host, const QString& fichero) {
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

void run(bool quick) {
  std::vector<int> tamanos{1000, 10000};
  if (!quick) tamanos.push_back(100000);
  for (int n : tamanos) {
    QTemporaryDir dir;
    const auto ramas = generar(n);
    const QString fichero = dir.filePath("arbol.json");
    QFile f(fichero);
    f.open(QIODevice::WriteOnly);
    f.write(documento(ramas));
    f.close();

    // Each side imports into empty companies of its own, in turns; importing
    // again changes nothing, so it is measured on the last of them. The best
    // round counts, to see past a busy machine.
    std::unique_ptr<zolmar::Host> modulo, directo;
    int ronda = 0;
    std::vector<double> nuevo, otraVez;
    try {
      nuevo = bench::mejores(
          n >= 100000 ? 1 : 3,
          {[&] {
             modulo = bench::abrirEmpresa(dir.filePath(QStringLiteral("modulo%1.db").arg(++ronda)));
             return importarModulo(*modulo, fichero);
           },
           [&] {
             directo = bench::abrirEmpresa(dir.filePath(QStringLiteral("directo%1.db").arg(ronda)));
             return importarDirecto(*directo->connection(), fichero);
           }});
      otraVez = bench::mejores(n >= 100000 ? 3 : 5,
                               {[&] { return importarModulo(*modulo, fichero); },
                                [&] { return importarDirecto(*directo->connection(), fichero); }});
    } catch (const std::exception& e) {
      bench::fail("import_document", n, QString::fromUtf8(e.what()));
      continue;
    }
    bench::report("import_document_new", n, nuevo[0], nuevo[1], nuevo[1]);
    bench::report("import_document_again", n, otraVez[0], otraVez[1], otraVez[1]);
  }
}

REGISTER_BENCH("import", run);

}  // namespace
