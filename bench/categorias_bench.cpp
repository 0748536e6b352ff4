// The category grid of a customer with 1,000 categories on a 50,000-node
// article tree: opening it, and saving it after one row was deleted. The
// baseline is bare SQLite doing the same reads (the ids of the two record sets
// the window's table classes open, the customer's rows, one name per row) and
// the same batch in one transaction.

#include <sqlite3.h>

#include <QApplication>
#include <QKeyEvent>

#include "bench_arbol.h"
#include "bench_sqlite.h"
#include "bench_util.h"
#include "categories/frm_categorias.h"
#include "categories/taz_categorias.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/grid.h"

namespace {

constexpr int kAsignadas = 1000;

double bareOpen(sqlite3* db, const QList<int>& ids) {
  return bench::timeMs([&] {
    bench::readAll(db, "SELECT ZolmarID FROM Arboles ORDER BY ZolmarID");
    bench::readAll(db, "SELECT ZolmarID FROM Categorias ORDER BY ZolmarID");
    bench::readAll(db, "SELECT * FROM Categorias WHERE Tipo=1 AND ID_Quien=1");
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT Nombre FROM arboles WHERE ZolmarID=?1", -1, &stmt, nullptr);
    for (int id : ids) {
      sqlite3_bind_int(stmt, 1, id);
      while (sqlite3_step(stmt) == SQLITE_ROW) (void)sqlite3_column_text(stmt, 0);
      sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
  });
}

double bareSave(sqlite3* db, const QList<int>& ids) {
  return bench::timeMs([&] {
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "DELETE FROM Categorias WHERE Tipo=1 AND ID_Quien=1", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Categorias (Tipo, ID_Quien, ID_Categoria) VALUES (1, 1, ?1)", -1,
                       &stmt, nullptr);
    for (int id : ids) {
      sqlite3_bind_int(stmt, 1, id);
      sqlite3_step(stmt);
      sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  });
}

void categoryGrid(bool quick) {
  bench::Arbol arbol(quick ? 10 : 40, quick ? 9 : 36, quick ? 10 : 34);
  auto cn = arbol.host->connection();
  const int asignadas = quick ? 100 : kAsignadas;
  QList<int> ids;
  const int paso = qMax<int>(1, arbol.hojas.size() / asignadas);
  for (int i = 0; i < arbol.hojas.size() && ids.size() < asignadas; i += paso) ids << arbol.hojas[i].toInt();
  QString error;
  cn->atomically(
      [&] {
        for (int id : ids)
          cn->executeNative("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 1, ?1)", 0, {},
                            {id});
        return true;
      },
      &error);
  sqlite3* db = cn->handle();
  auto app = arbol.host->appGlobal();
  arboles::cTAZ_Categorias categorias;
  categorias.I_TAZ_Configure(app->GetGlobales(), app);

  const double baseOpen = bareOpen(db, ids);
  arboles::FrmCategorias frm;
  const double open = bench::timeMs([&] { frm.Run(categorias, 1, 1); });
  bench::report("categorias_grid_open", arbol.nodos, open, baseOpen, 300.0);

  // One change: the first row deleted, as the Delete key and a Yes do.
  arbol.host->scriptedUserInterface().queueAnswer(true);
  frm.grdCategorias->MoveTo(0, 1);
  QKeyEvent supr(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(frm.grdCategorias, &supr);
  const double save = bench::timeMs([&] { frm.btnAceptar->Click(); });
  const double baseSave = bareSave(db, ids.mid(1));
  bench::report("categorias_grid_save", arbol.nodos, save, baseSave, baseSave);
}

REGISTER_BENCH("categorias", categoryGrid);

}  // namespace
