// Whole-tree maintenance on generated article trees: the module's statements
// through the host against bare SQLite doing the same reads and writes with
// prepared statements (baseline: each write committing on its own, as the
// module sends them; limit: all of them in one transaction).

#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <random>

#include "bench_host.h"
#include "bench_sqlite.h"
#include "bench_util.h"
#include "host/i_app_global.h"
#include "host/i_globales.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"
#include "tree/verificador_arbol.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"

namespace {

struct Fila {
  qint32 id;
  qint32 padre;
  QString nombre;
};

// Breadth first, so every parent has a lower id than its children: up to 6
// levels, 2 to 60 children per parent, names in no particular order.
std::vector<Fila> generar(int n) {
  std::mt19937 azar(20240601);
  std::uniform_int_distribution<int> hijos(2, 60);
  const char* palabras[] = {"Vinos",   "Quesos", "Aceites", "Conservas",
                            "Licores", "Panes",  "Frutas",  "Carnes"};
  std::vector<Fila> filas;
  std::vector<std::pair<qint32, int>> cola{{0, 0}};
  for (size_t i = 0; i < cola.size() && static_cast<int>(filas.size()) < n; ++i) {
    const auto [padre, nivel] = cola[i];
    if (nivel >= 6) continue;
    const int cuantos = std::min(hijos(azar), n - static_cast<int>(filas.size()));
    for (int k = 0; k < cuantos; ++k) {
      const qint32 id = static_cast<qint32>(filas.size()) + 1;
      filas.push_back({id, padre, QStringLiteral("%1 %2").arg(palabras[azar() % 8]).arg(azar() % 100000)});
      cola.push_back({id, nivel + 1});
    }
  }
  return filas;
}

// The generated tree is written once; every measured run then works on its
// own fresh copy of that file, so the module and the bare baselines all find
// the same keys still to be renumbered, the same empty paths and the same
// file layout (the second run over a renumbered tree would only rewrite
// equal keys, which costs SQLite far fewer page writes).
class Empresa {
 public:
  explicit Empresa(const std::vector<Fila>& filas) : original_(dir_.filePath("original.db")) {
    auto host = bench::abrirEmpresa(original_);
    auto cn = host->connection();
    QHash<qint32, qint32> usados;
    QHash<qint32, QString> claves{{0, QString()}};
    QString error;
    cn->atomically(
        [&] {
          for (const Fila& f : filas) {
            const QString prefijo =
                claves.value(f.padre) + arboles::ClaveArbol::NumeroASegmento(++usados[f.padre]);
            claves.insert(f.id, prefijo);
            cn->executeNative(
                "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre, RutaPadre) VALUES (?1, 3, ?2, "
                "?3, ?4, '')",
                0, {}, {f.id, arboles::ClaveArbol::Rellenar(prefijo), f.nombre, f.padre});
          }
          return true;
        },
        &error);
    cn->executeNative(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), 0);
  }

  // A fresh copy of the generated database, opened by the host.
  std::unique_ptr<zolmar::Host> copia() {
    const QString file = dir_.filePath(QStringLiteral("copia.db"));
    for (const char* sufijo : {"", "-wal", "-shm"}) QFile::remove(file + sufijo);
    QFile::copy(original_, file);
    return bench::abrirEmpresa(file);
  }

  // The module's time on a fresh copy.
  template <typename Fn>
  double modulo(Fn&& fn) {
    auto host = copia();
    auto taz = std::make_shared<arboles::cTAZ_Arboles>();
    taz->I_TAZ_Configure(host->appGlobal()->GetGlobales(), host->appGlobal());
    return bench::timeMs([&] { fn(*taz); });
  }

  // A bare SQLite run's time on a fresh copy.
  template <typename Fn>
  double directo(Fn&& fn, bool unaTransaccion) {
    auto host = copia();
    return fn(host->connection()->handle(), unaTransaccion);
  }

 private:
  QTemporaryDir dir_;
  QString original_;
};

// Bare renumbering by name, and the path rebuild, under the tree's lock.
double renumerarDirecto(sqlite3* db, bool unaTransaccion) {
  return bench::timeMs([&] {
    bench::bajoBloqueo(db, unaTransaccion, [&] { bench::renumerarArbol(db, "id_padre, Nombre", false); });
  });
}

double rutasDirecto(sqlite3* db, bool unaTransaccion) {
  return bench::timeMs(
      [&] { bench::bajoBloqueo(db, unaTransaccion, [&] { bench::reconstruirRutas(db, false); }); });
}

// The bytes of a key without its trailing empty segments.
QByteArrayView prefijoDe(QByteArrayView clave) {
  qsizetype n = clave.size();
  while (n >= 2 && clave[n - 1] == '0' && clave[n - 2] == '0') n -= 2;
  return clave.first(n);
}

// ruta is base, nombre and ":" cut at 150 bytes, compared in place.
bool rutaAlDia(QByteArrayView ruta, QByteArrayView base, QByteArrayView nombre) {
  if (ruta.size() != std::min<qsizetype>(base.size() + nombre.size() + 1, 150)) return false;
  const auto parte = [&ruta](QByteArrayView p) {
    const qsizetype k = std::min(p.size(), ruta.size());
    const bool igual = ruta.first(k) == p.first(k);
    ruta = ruta.sliced(k);
    return igual;
  };
  return parte(base) && parte(nombre) && parte(":");
}

// The same checks done bare: the rows read in key order and kept by id; each
// node's key unique and one segment below its parent's key, its parent
// present, its path its parent's path and name. The number of problems found.
qsizetype verificarDesnudo(sqlite3* db) {
  struct Nodo {
    qint32 id, padre;
    QByteArray clave, nombre, ruta;
  };
  std::vector<Nodo> nodos;
  QHash<qint32, size_t> porId;
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT ZolmarID, Clave, Nombre, ID_Padre, RutaPadre FROM Arboles WHERE Tipo=3 ORDER BY "
                     "Clave, ZolmarID",
                     -1, &st, nullptr);
  const auto texto = [&](int c) {
    return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
  };
  while (sqlite3_step(st) == SQLITE_ROW) {
    porId.insert(sqlite3_column_int(st, 0), nodos.size());
    nodos.push_back({sqlite3_column_int(st, 0), sqlite3_column_int(st, 3), texto(1), texto(2), texto(4)});
  }
  sqlite3_finalize(st);
  qsizetype problemas = 0;
  for (size_t i = 0; i < nodos.size(); ++i) {
    const Nodo& n = nodos[i];
    const QByteArrayView prefijo = prefijoDe(n.clave);
    if (i > 0 && nodos[i - 1].clave == n.clave) ++problemas;  // in key order, a repeated key follows itself
    const auto p = porId.constFind(n.padre);
    if (n.padre == 0) {
      problemas += (prefijo.size() != 2) + !n.ruta.isEmpty();
    } else if (p == porId.constEnd()) {
      ++problemas;
    } else {
      const Nodo& padre = nodos[*p];
      const QByteArrayView delPadre = prefijoDe(padre.clave);
      problemas += (prefijo.size() != delPadre.size() + 2 || !prefijo.startsWith(delPadre)) +
                   !rutaAlDia(n.ruta, padre.ruta, padre.nombre);
    }
  }
  return problemas;
}

// The check of a sound tree (paths rebuilt first, untimed) against the same
// checks bare, the best of five rounds.
void check(Empresa& e, int n) {
  auto host = e.copia();
  auto app = host->appGlobal();
  arboles::cTAZ_Arboles taz;
  taz.I_TAZ_Configure(app->GetGlobales(), app);
  taz.UpdateRutaPadre(3);
  qsizetype problemas = 0, desnudos = 0;
  sqlite3* db = host->connection()->handle();
  const auto t =
      bench::mejores(5, {[&] {
                           return bench::timeMs([&] {
                             problemas = arboles::VerificadorArbol(app->GetGlobales(), 3).Verificar().size();
                           });
                         },
                         [&] { return bench::timeMs([&] { desnudos = verificarDesnudo(db); }); }});
  if (problemas != 0 || desnudos != 0)
    bench::fail("tree_check", n, QStringLiteral("%1 problemas, %2 bare").arg(problemas).arg(desnudos));
  else
    bench::report("tree_check", n, t[0], t[1], t[1]);
}

void run(bool quick) {
  std::vector<int> tamanos{1000, 10000};
  if (!quick) tamanos.push_back(100000);
  for (int n : tamanos) {
    Empresa e(generar(n));
    // Each run on a fresh copy, the module and its baselines in turns.
    const int rondas = n >= 100000 ? 1 : 3;
    const auto ordenar = bench::mejores(
        rondas, {[&] { return e.modulo([](arboles::cTAZ_Arboles& taz) { taz.OrdenarClavesNombre(3); }); },
                 [&] { return e.directo(renumerarDirecto, false); },
                 [&] { return e.directo(renumerarDirecto, true); }});
    bench::report("tree_OrdenarClavesNombre", n, ordenar[0], ordenar[1], ordenar[2]);
    const auto rutas = bench::mejores(
        rondas,
        {[&] { return e.modulo([](arboles::cTAZ_Arboles& taz) { taz.UpdateRutaPadre(3); }); },
         [&] { return e.directo(rutasDirecto, false); }, [&] { return e.directo(rutasDirecto, true); }});
    bench::report("tree_UpdateRutaPadre", n, rutas[0], rutas[1], rutas[2]);
    check(e, n);
  }
}

REGISTER_BENCH("tree", run);

}  // namespace
