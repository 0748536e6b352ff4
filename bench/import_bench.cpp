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

#include "bench_host.h"
#include "bench_util.h"
#include "documento_arbol.h"
#include "import_directo.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"

namespace {

// The bare import, timed.
double importarDirecto(zolmar::Connection& cn, const QString& fichero) {
  return bench::timeMs([&] { bench::importar(cn, fichero); });
}

void run(bool quick) {
  std::vector<int> tamanos{1000, 10000};
  if (!quick) tamanos.push_back(100000);
  for (int n : tamanos) {
    QTemporaryDir dir;
    const auto ramas = bench::generarRamas(n);
    const QString fichero = dir.filePath("arbol.json");
    QFile f(fichero);
    f.open(QIODevice::WriteOnly);
    f.write(bench::documento(ramas));
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
             return bench::importarModulo(*modulo, fichero);
           },
           [&] {
             directo = bench::abrirEmpresa(dir.filePath(QStringLiteral("directo%1.db").arg(ronda)));
             return importarDirecto(*directo->connection(), fichero);
           }});
      otraVez = bench::mejores(n >= 100000 ? 3 : 5,
                               {[&] { return bench::importarModulo(*modulo, fichero); },
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
