// The organisation window on large article trees: a merge of two leaves
// (10,000 nodes, 1,000,000 articles, 100,000 price-list rows) and the move of
// a branch of about 1,000 nodes, each a press of the action button from the
// question to the reloaded trees. baseline_ms is bare SQLite running the same
// statements with the same commit behaviour (the change and the rebuild of
// keys and paths in one transaction, then the reload of both trees into bare
// QTreeWidgets); limit_ms the same with the reads before and after inside
// that transaction too.

#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <vector>

#include "arbol_denso.h"
#include "bench_host.h"
#include "bench_util.h"
#include "host/i_app_global.h"
#include "organizar_directo.h"
#include "picking/frm_mover_categorias.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

namespace {

using arboles::ClaveArbol;

constexpr int kHijos = 10;  // node k (0-based) hangs from node k / kHijos - 1

void exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

// A company file written once; every measured run works on a fresh copy.
class Empresa {
 public:
  Empresa(int nodos, int articulos, int tarifas) : n_(nodos), original_(dir_.filePath("original.db")) {
    auto host = bench::abrirEmpresa(original_);
    sqlite3* db = host->connection()->handle();
    exec(db, "BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre, RutaPadre, Activo) "
                       "VALUES (?1, 3, ?2, ?3, ?4, '', 0)",
                       -1, &st, nullptr);
    bench::recorrerArbolDenso(n_, kHijos, [&](int k, int padre, const QString& texto) {
      const QByteArray clave = texto.toUtf8();
      const QByteArray nombre = QStringLiteral("Nodo %1").arg(k + 1).toUtf8();
      sqlite3_bind_int(st, 1, k + 1);
      sqlite3_bind_text(st, 2, clave.constData(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(st, 3, nombre.constData(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(st, 4, padre);
      sqlite3_step(st);
      sqlite3_reset(st);
    });
    sqlite3_finalize(st);
    // References only on leaves (the last nodes of a breadth-first tree).
    std::mt19937 azar(20240611);
    const int primeraHoja = n_ / kHijos;
    std::uniform_int_distribution<int> hoja(primeraHoja + 1, n_ - 2);
    sqlite3_prepare_v2(db, "INSERT INTO Articulos (Nombre, ID_Categoria1) VALUES ('Articulo', ?1)", -1, &st,
                       nullptr);
    for (int a = 0; a < articulos; ++a) {
      sqlite3_bind_int(st, 1, a % 1000 == 0 ? n_ : hoja(azar));
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_prepare_v2(db, "INSERT INTO Tarifas (Nombre, ID_Categoria) VALUES ('Tarifa', ?1)", -1, &st,
                       nullptr);
    for (int t = 0; t < tarifas; ++t) {
      sqlite3_bind_int(st, 1, t % 1000 == 0 ? n_ : hoja(azar));
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    exec(db, "COMMIT");
    exec(db, "PRAGMA wal_checkpoint(TRUNCATE)");
  }

  int nodos() const { return n_; }

  std::unique_ptr<zolmar::Host> copia() {
    const QString file = dir_.filePath(QStringLiteral("copia.db"));
    for (const char* sufijo : {"", "-wal", "-shm"}) QFile::remove(file + sufijo);
    QFile::copy(original_, file);
    return bench::abrirEmpresa(file);
  }

  // The window opened on a fresh copy, both selections made; the time of the
  // action button with the questions answered.
  double modulo(qint32 origen, qint32 destino, qint32 accion) {
    auto host = copia();
    auto taz = std::make_shared<arboles::cTAZ_Arboles>();
    taz->I_TAZ_Configure(host->appGlobal()->GetGlobales(), host->appGlobal());
    arboles::FrmMoverCategorias frm;
    frm.Run(*taz, 3);
    frm.TreeArbol[0]->ClickNode(QStringLiteral("K=%1").arg(origen));
    frm.TreeArbol[1]->ClickNode(QStringLiteral("K=%1").arg(destino));
    host->scriptedUserInterface().queueAnswer(true);
    host->scriptedUserInterface().queueAnswer(false);  // the merge keeps its origin
    const double ms = bench::timeMs([&] { frm.btnAccion[accion]->Click(); });
    const bool hecha = frm.AccionRealizada();
    frm.Unload();
    if (!hecha) {
      QString motivo = QStringLiteral("the action was not carried out");
      for (const QString& m : host->scriptedUserInterface().messageTexts())
        motivo += QStringLiteral(": ") + m;
      throw std::runtime_error(motivo.toStdString());
    }
    return ms;
  }

 private:
  QTemporaryDir dir_;
  int n_;
  QString original_;
};

double unirDirecto(Empresa& e, qint32 origen, qint32 destino, bool unaTransaccion) {
  auto host = e.copia();
  sqlite3* db = host->connection()->handle();
  bench::Vistas vistas;  // open before the action, as the window's are
  vistas.recargar(db);
  return bench::timeMs([&] { bench::unir(*host->connection(), origen, destino, unaTransaccion, vistas); });
}

double moverDirecto(Empresa& e, qint32 origen, qint32 destino, bool unaTransaccion) {
  auto host = e.copia();
  sqlite3* db = host->connection()->handle();
  bench::Vistas vistas;  // open before the action, as the window's are
  vistas.recargar(db);
  return bench::timeMs([&] { bench::mover(*host->connection(), origen, destino, unaTransaccion, vistas); });
}

// Nodes below node id (1-based) of the breadth-first tree, itself included.
int rama(int id, int n) {
  int total = 0;
  for (int primero = id, ultimo = id; primero <= n;
       primero = primero * kHijos + 1, ultimo = ultimo * kHijos + kHijos)
    total += std::min(ultimo, n) - primero + 1;
  return total;
}

// The best of a few rounds, each run on its own fresh copy, the module and
// its two baselines in turns.
template <typename Modulo, typename Directo>
std::vector<double> mejor(int rondas, Modulo&& modulo, Directo&& directo) {
  return bench::mejores(rondas, {modulo, [&] { return directo(false); }, [&] { return directo(true); }});
}

// The top-level ancestor of node id.
int primerNivel(int id) {
  while (id > kHijos) id = (id - 1) / kHijos;
  return id;
}

// The level of node id (1 at the top).
int nivel(int id) {
  int l = 1;
  for (; id > kHijos; id = (id - 1) / kHijos) ++l;
  return l;
}

// Levels of the branch of node id, itself included.
int profundidad(int id, int n) {
  int l = 0;
  for (long long primero = id; primero <= n; primero = primero * kHijos + 1) ++l;
  return l;
}

void run(bool quick) {
  try {
    const int articulos = quick ? 100000 : 1000000;
    Empresa e(10000, articulos, articulos / 10);
    const qint32 origen = e.nodos(), destino = e.nodos() - 1;  // two leaves
    const auto t = mejor(
        3, [&] { return e.modulo(origen, destino, 0); },
        [&](bool unaTransaccion) { return unirDirecto(e, origen, destino, unaTransaccion); });
    bench::report("merge_categories", e.nodos(), t[0], t[1], t[2]);
  } catch (const std::exception& ex) {
    bench::fail("merge_categories", 10000, QString::fromUtf8(ex.what()));
  }
  std::vector<int> tamanos{1000, 10000};
  if (!quick) tamanos.push_back(100000);
  for (int n : tamanos) {
    Empresa e(n, 0, 0);
    // The node of the first top-level branch whose branch is closest to
    // 1,000 nodes (a tenth of the tree at most), moved under the last leaf of
    // the second branch: neither path text contains the other.
    const int objetivo = std::min(1000, n / 10);
    int origen = 1;
    for (int id = 1; id <= n / kHijos; ++id)
      if (primerNivel(id) == 1 && std::abs(rama(id, n) - objetivo) < std::abs(rama(origen, n) - objetivo))
        origen = id;
    // The deepest node of the second branch that still leaves the moved
    // branch within the tree's eight levels.
    qint32 destino = n;
    while (primerNivel(destino) != 2 || nivel(destino) + profundidad(origen, n) > 8) --destino;
    const int veces = n >= 100000 ? 1 : n >= 10000 ? 3 : 5;
    try {
      const auto t = mejor(
          veces, [&] { return e.modulo(origen, destino, 1); },
          [&](bool unaTransaccion) { return moverDirecto(e, origen, destino, unaTransaccion); });
      std::printf("move_branch: %d nodes moved\n", rama(origen, n));
      bench::report("move_branch", e.nodos(), t[0], t[1], t[2]);
    } catch (const std::exception& ex) {
      bench::fail("move_branch", n, QString::fromUtf8(ex.what()));
    }
  }
}

REGISTER_BENCH("organizar", run);

}  // namespace
