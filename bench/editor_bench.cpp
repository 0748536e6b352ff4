// The tree editor on large trees: filling the tree view (CargarArbol) against
// bare SQLite and a bare QTreeWidget filled with the same rows, and the key rebuild of a fully
// scrambled tree against the same statements on bare SQLite.

#include <sqlite3.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <random>
#include <vector>

#include "arbol_denso.h"
#include "arbol_qt_desnudo.h"
#include "bench_host.h"
#include "bench_util.h"
#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "tree/clave_arbol.h"
#include "tree/reconstructor_claves.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"

namespace {

using arboles::ClaveArbol;

constexpr int kHijos = 16;  // children per node of the generated trees
constexpr int kTipo = 3;

// A company database file holding one article tree of n nodes, breadth first:
// node k (0-based) is a child of node k / kHijos - 1 (top level for k < kHijos).
struct Empresa {
  QTemporaryDir dir;
  std::unique_ptr<zolmar::Host> host;
  std::shared_ptr<zolmar::Connection> cn;
  int n = 0;

  explicit Empresa(int nodos) : n(nodos) {
    host = bench::abrirEmpresa(dir.filePath(QStringLiteral("bench.db")));
    cn = host->connection();
    QString error;
    cn->atomically(
        [&] {
          bench::recorrerArbolDenso(n, kHijos, [&](int k, int padre, const QString& clave) {
            cn->executeNative(
                "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre) VALUES (?1, 3, ?2, ?3, ?4)", 0,
                {}, {k + 1, clave, QStringLiteral("Nodo %1").arg(k + 1), padre});
          });
          return true;
        },
        &error);
  }

  // Every key replaced by an unrelated one; the same keys on every call.
  void Desordenar() {
    std::mt19937 azar(12345);
    QString error;
    cn->atomically(
        [&] {
          for (int k = 0; k < n; ++k)
            cn->executeNative("UPDATE Arboles SET Clave=?1 WHERE ZolmarID=?2", 0, {},
                              {QString::number(azar(), 16).toUpper().rightJustified(16, '0'), k + 1});
          return true;
        },
        &error);
  }
};

void cargarArbol(bool quick) {
  const std::vector<int> tamanos =
      quick ? std::vector<int>{1000, 10000} : std::vector<int>{1000, 10000, 50000};
  for (int n : tamanos) {
    Empresa e(n);
    auto app = e.host->appGlobal();
    arboles::cTAZ_Arboles taz;
    taz.I_TAZ_Configure(app->GetGlobales(), app);
    auto* frm = new arboles::FrmArboles();
    if (!frm->Run(taz, kTipo, false)) {
      bench::fail(QStringLiteral("editor_cargar_arbol"), n, QStringLiteral("the editor did not open"));
      delete frm;
      return;
    }
    // The best of three reloads on each side, in turns.
    const auto t = bench::mejores(
        3,
        {[&] { return bench::timeMs([&] { frm->RecargarArbol(); }); },
         [&] {
           return bench::llenarArbolQt(
               e.cn->handle(),
               "SELECT zolmarID, nombre, id_padre, CriterioHijos FROM Arboles WHERE tipo = 3 ORDER BY clave");
         }});
    bench::report(QStringLiteral("editor_cargar_arbol"), n, t[0], t[1], t[1]);
    delete frm;
  }
}

// The rebuild's statements on bare SQLite: the children of each parent read
// whole, then one UPDATE per child and the recursion into it.
struct ReconstruccionSqlite {
  sqlite3* db;
  sqlite3_stmt* hijos = nullptr;
  sqlite3_stmt* actualizar = nullptr;

  explicit ReconstruccionSqlite(sqlite3* d) : db(d) {
    sqlite3_prepare_v2(db, "SELECT * FROM arboles WHERE Tipo=3 AND ID_Padre=?1 ORDER BY ID_padre, ZolmarID",
                       -1, &hijos, nullptr);
    sqlite3_prepare_v2(db, "UPDATE Arboles SET Clave=?1 WHERE ZolmarID=?2", -1, &actualizar, nullptr);
  }
  ~ReconstruccionSqlite() {
    sqlite3_finalize(hijos);
    sqlite3_finalize(actualizar);
  }

  void Reconstruir(int idPadre, const QByteArray& prefijoPadre) {
    std::vector<int> ids;
    sqlite3_bind_int(hijos, 1, idPadre);
    while (sqlite3_step(hijos) == SQLITE_ROW) {
      for (int c = 0; c < sqlite3_column_count(hijos); ++c) (void)sqlite3_column_text(hijos, c);
      ids.push_back(sqlite3_column_int(hijos, 0));
    }
    sqlite3_reset(hijos);
    if (ids.size() > 255) return;
    int contador = 0;
    for (int id : ids) {
      const QByteArray prefijo =
          prefijoPadre + QByteArray::number(++contador, 16).toUpper().rightJustified(2, '0');
      const QByteArray clave = prefijo.leftJustified(16, '0');
      sqlite3_bind_text(actualizar, 1, clave.constData(), int(clave.size()), SQLITE_TRANSIENT);
      sqlite3_bind_int(actualizar, 2, id);
      sqlite3_step(actualizar);
      sqlite3_reset(actualizar);
      Reconstruir(id, prefijo);
    }
  }
};

void reconstruirClaves(bool quick) {
  const std::vector<int> tamanos = quick ? std::vector<int>{1000, 10000} : std::vector<int>{10000, 100000};
  for (int n : tamanos) {
    Empresa e(n);
    sqlite3* db = e.cn->handle();
    e.Desordenar();
    const double base = bench::timeMs([&] { ReconstruccionSqlite(db).Reconstruir(0, QByteArray()); });
    e.Desordenar();
    const double limite = bench::timeMs([&] {
      sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      ReconstruccionSqlite(db).Reconstruir(0, QByteArray());
      sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    e.Desordenar();
    arboles::ReconstructorClaves reconstructor(e.host->appGlobal()->GetGlobales(), kTipo);
    const double ms = bench::timeMs([&] { reconstructor.ReconstruirClaves(0, QString()); });
    const QVariant primera =
        e.cn->ExecuteSQL(QStringLiteral("SELECT Clave FROM Arboles WHERE ZolmarID=1"), 2, QString());
    if (primera.toString() != QStringLiteral("0100000000000000"))
      bench::fail(QStringLiteral("editor_reconstruir_claves"), n, QStringLiteral("the rebuild failed"));
    else
      bench::report(QStringLiteral("editor_reconstruir_claves"), n, ms, base, limite);
  }
}

REGISTER_BENCH("editor_cargar_arbol", cargarArbol);
REGISTER_BENCH("editor_reconstruir_claves", reconstruirClaves);

}  // namespace
