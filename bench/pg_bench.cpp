// The tree store, the editor fill, the organisation window and the import on
// PostgreSQL (arboles_bench --pg, ZOLMAR_TEST_PG naming the server). Each line
// works on three companies (schemas) filled the same way: the operation runs
// once on the first with its statements captured (which also warms the
// server), once timed on the second, and its captured statements are replayed
// timed on bare libpq on the third.

#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstring>
#include <random>
#include <stdexcept>

#include "arbol_denso.h"
#include "arbol_qt_desnudo.h"
#include "bench_host.h"
#include "bench_util.h"
#include "documento_arbol.h"
#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "pg_replay.h"
#include "picking/frm_mover_categorias.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"
#include "tree/verificador_arbol.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/engine/pg_backend.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"

namespace {

using arboles::ClaveArbol;
using zolmar::PgBackend;

constexpr int kTipo = 3;
constexpr int kHijos = 10;  // node k (0-based) hangs from node k / kHijos - 1

QString servidor() { return qEnvironmentVariable("ZOLMAR_TEST_PG"); }

std::vector<int> tamanos(bool quick) {
  return quick ? std::vector<int>{1000} : std::vector<int>{1000, 10000};
}

// A result of tree rows (id, nombre, id_padre, ...) in a bare QTreeWidget of its own.
void llenarVistaDesnuda(const PGresult* r, std::vector<std::unique_ptr<QTreeWidget>>* vistas) {
  if (PQnfields(r) < 3 || std::strcmp(PQfname(r, 1), "nombre") != 0 ||
      std::strcmp(PQfname(r, 2), "id_padre") != 0)
    return;
  vistas->push_back(std::make_unique<QTreeWidget>());
  int fila = 0;
  bench::llenarVista(
      *vistas->back(), nullptr,
      [&](qint32* id, QString* nombre, qint32* padre) {
        if (fila == PQntuples(r)) return false;
        *id = std::atoi(PQgetvalue(r, fila, 0));
        *nombre = QString::fromUtf8(PQgetvalue(r, fila, 1), PQgetlength(r, fila, 1));
        *padre = std::atoi(PQgetvalue(r, fila, 2));
        ++fila;
        return true;
      },
      [](QTreeWidgetItem*, qint32) {});
}

// One company of a line, its tree class configured.
struct Empresa {
  QString esquema;
  std::unique_ptr<zolmar::Host> host;
  std::shared_ptr<arboles::cTAZ_Arboles> taz = std::make_shared<arboles::cTAZ_Arboles>();

  explicit Empresa(const QString& nombre)
      : esquema(nombre), host(bench::abrirEmpresa(PgBackend::withSchema(servidor(), nombre))) {
    taz->I_TAZ_Configure(host->appGlobal()->GetGlobales(), host->appGlobal());
  }

  // An article tree of n nodes with names in no order, breadth first; the
  // identity set past the ids given, so that later inserts do not collide.
  void llenar(int n) {
    auto cn = host->connection();
    std::mt19937 azar(20240601);
    QString error;
    const bool hecho = cn->atomically(
        [&] {
          bench::recorrerArbolDenso(n, kHijos, [&](int k, int padre, const QString& clave) {
            cn->executeNative(
                "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre, RutaPadre) VALUES (?1, 3, ?2, "
                "?3, ?4, '')",
                0, {}, {k + 1, clave, QStringLiteral("Nodo %1").arg(azar() % 100000), padre});
          });
          cn->executeNative(
              "SELECT setval(pg_get_serial_sequence('arboles', 'zolmarid'), (SELECT MAX(ZolmarID) FROM "
              "Arboles))",
              0);
          return true;
        },
        &error);
    if (!hecho) throw std::runtime_error(error.toStdString());
  }
};

// Three companies named after the line and size, filled alike by llenar.
struct Trio {
  std::vector<std::unique_ptr<Empresa>> e;

  Trio(const char* linea, int n, const std::function<void(Empresa&)>& llenar) {
    for (const char* lado : {"captura", "modulo", "libpq"}) {
      e.push_back(std::make_unique<Empresa>(QStringLiteral("Bench_%1_%2_%3").arg(linea).arg(n).arg(lado)));
      llenar(*e.back());
    }
  }

  // The operation captured on the first, timed on the second, its capture
  // replayed on the third; a refusal or a failed statement fails the line.
  // An operation that changes nothing runs for the best of a few rounds.
  // Where the module fills tree views, the baseline fills bare QTreeWidgets
  // from the tree rows (id, nombre, id_padre) it reads.
  void medir(const QString& linea, int n, const std::function<bool(Empresa&)>& operacion, int rondas = 1,
             bool vistas = false) {
    try {
      bool hecha = false;
      const auto sentencias = bench::capturar([&] { hecha = operacion(*e[0]); });
      bench::Reproduccion libpq(servidor(), e[2]->esquema);
      libpq.calentar(sentencias, e[0]->esquema);
      const auto t = bench::mejores(
          hecha ? rondas : 0, {[&] { return bench::timeMs([&] { hecha = hecha && operacion(*e[1]); }); },
                               [&] {
                                 std::vector<std::unique_ptr<QTreeWidget>> llenas;
                                 return libpq.reproducir(sentencias, e[0]->esquema, [&](const PGresult* r) {
                                   if (vistas) llenarVistaDesnuda(r, &llenas);
                                 });
                               }});
      if (!hecha) return bench::fail(linea, n, QStringLiteral("the operation was refused"));
      bench::report(linea, n, t[0], t[1], t[1]);
    } catch (const std::exception& ex) {
      bench::fail(linea, n, QString::fromUtf8(ex.what()));
    }
  }
};

void arbol(bool quick) {
  for (int n : tamanos(quick)) {
    Trio t("tree", n, [n](Empresa& e) { e.llenar(n); });
    // A refused renumbering says why to the person.
    t.medir("pg_tree_renumber", n, [](Empresa& e) {
      e.taz->OrdenarClavesNombre(kTipo);
      return e.host->scriptedUserInterface().messageTexts().isEmpty();
    });
    // The check of a sound tree: the paths rebuilt first, untimed, on all three.
    for (auto& e : t.e) e->taz->UpdateRutaPadre(kTipo);
    t.medir(
        "pg_tree_check", n,
        [](Empresa& e) {
          return arboles::VerificadorArbol(e.host->appGlobal()->GetGlobales(), kTipo).Verificar().isEmpty();
        },
        3);
  }
}

void editor(bool quick) {
  for (int n : tamanos(quick)) {
    Trio t("editor", n, [n](Empresa& e) { e.llenar(n); });
    std::vector<std::unique_ptr<arboles::FrmArboles>> ventanas;
    for (int i = 0; i < 2; ++i) {
      ventanas.push_back(std::make_unique<arboles::FrmArboles>());
      if (!ventanas.back()->Run(*t.e[i]->taz, kTipo, false))
        return bench::fail(QStringLiteral("pg_editor_cargar_arbol"), n,
                           QStringLiteral("the editor did not open"));
    }
    t.medir(
        "pg_editor_cargar_arbol", n,
        [&](Empresa& e) {
          ventanas[&e == t.e[0].get() ? 0 : 1]->RecargarArbol();
          return true;
        },
        3, true);
  }
}

void organizar(bool quick) {
  for (int n : tamanos(quick)) {
    Trio t("organizar", n, [n](Empresa& e) { e.llenar(n); });
    // The windows are closed after the measures, out of their time.
    std::vector<std::unique_ptr<arboles::FrmMoverCategorias>> abiertas;
    t.medir(
        "pg_organizar_abrir", n,
        [&](Empresa& e) {
          abiertas.push_back(std::make_unique<arboles::FrmMoverCategorias>());
          return abiertas.back()->Run(*e.taz, kTipo);
        },
        3, true);
    for (auto& frm : abiertas) frm->Unload();
  }
}

void importar(bool quick) {
  for (int n : tamanos(quick)) {
    QTemporaryDir dir;
    const QString fichero = dir.filePath("arbol.json");
    QFile f(fichero);
    if (!f.open(QIODevice::WriteOnly)) return bench::fail(QStringLiteral("pg_import_document"), n, fichero);
    f.write(bench::documento(bench::generarRamas(n)));
    f.close();
    Trio t("import", n, [](Empresa&) {});
    t.medir("pg_import_document", n, [&](Empresa& e) {
      bench::importarModulo(*e.host, fichero);
      return true;
    });
  }
}

REGISTER_BENCH("pg_tree", arbol);
REGISTER_BENCH("pg_editor_cargar_arbol", editor);
REGISTER_BENCH("pg_organizar_abrir", organizar);
REGISTER_BENCH("pg_import_document", importar);

}  // namespace
