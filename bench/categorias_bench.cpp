// The category grid of a customer with 1,000 categories on a 50,000-node
// article tree: opening it, and saving it after one row was deleted. The
// baseline is bare SQLite doing the same reads (the ids of the two record sets
// the window's table classes open, the customer's rows, their paths, one name
// per row) into a bare QTableWidget, and the same check and batch in one
// transaction.

#include <sqlite3.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

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

QByteArray lista(const QList<int>& ids) {
  QByteArray texto;
  for (int id : ids) texto += (texto.isEmpty() ? "" : ",") + QByteArray::number(id);
  return texto;
}

// The rows the window reads, then a bare QTableWidget of two columns (id and
// name) filled with them, an editable item per cell, and its window shown.
double bareOpen(sqlite3* db, const QList<int>& ids) {
  // The window around it: the grid, two buttons, a status bar, shown at the end.
  QWidget ventana;
  auto* tabla = new QTableWidget(0, 2);
  auto* todo = new QVBoxLayout(&ventana);
  todo->addWidget(tabla, 1);
  todo->addWidget(new QPushButton(QStringLiteral("Aceptar")));
  todo->addWidget(new QPushButton(QStringLiteral("Cancelar")));
  todo->addWidget(new QStatusBar());
  ventana.resize(380, 420);
  return bench::timeMs([&] {
    bench::readAll(db, "SELECT ZolmarID FROM Arboles ORDER BY ZolmarID");
    bench::readAll(db, "SELECT ZolmarID FROM Categorias ORDER BY ZolmarID");
    bench::readAll(db, "SELECT * FROM Categorias WHERE Tipo=1 AND ID_Quien=1");
    bench::readAll(
        db, ("SELECT ZolmarID, RutaPadre FROM Arboles WHERE ZolmarID IN (" + lista(ids) + ")").constData());
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT Nombre FROM arboles WHERE ZolmarID=?1", -1, &stmt, nullptr);
    tabla->setRowCount(ids.size());
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    for (int fila = 0; fila < ids.size(); ++fila) {
      sqlite3_bind_int(stmt, 1, ids[fila]);
      QString nombre;
      if (sqlite3_step(stmt) == SQLITE_ROW)
        nombre = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
      sqlite3_reset(stmt);
      auto* id = new QTableWidgetItem(QString::number(ids[fila]));
      id->setData(Qt::UserRole, ids[fila]);
      id->setFlags(flags);
      tabla->setItem(fila, 0, id);
      auto* item = new QTableWidgetItem(nombre);
      item->setData(Qt::UserRole, nombre);
      item->setFlags(flags);
      tabla->setItem(fila, 1, item);
    }
    sqlite3_finalize(stmt);
    ventana.show();
  });
}

// The check that every category still exists, then the batch in one transaction.
double bareSave(sqlite3* db, const QList<int>& ids) {
  return bench::timeMs([&] {
    bench::readAll(db, ("SELECT ZolmarID FROM Arboles WHERE ZolmarID IN (" + lista(ids) + ")").constData());
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

// The customer's rows set to ids, untimed.
void asignar(zolmar::Connection& cn, const QList<int>& ids) {
  QString error;
  cn.atomically(
      [&] {
        cn.executeNative("DELETE FROM Categorias WHERE Tipo=1 AND ID_Quien=1");
        for (int id : ids)
          cn.executeNative("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 1, ?1)", 0, {},
                           {id});
        return true;
      },
      &error);
}

// The best of a few rounds, module and baseline in turns within each, so
// that a busy spell of the machine (its noise only ever adds time) does not
// fall on one of them alone; every round starts from the same rows.
void categoryGrid(bool quick) {
  bench::Arbol arbol(quick ? 10 : 40, quick ? 9 : 36, quick ? 10 : 34);
  auto cn = arbol.host->connection();
  const int asignadas = quick ? 100 : kAsignadas;
  QList<int> ids;
  const int paso = qMax<int>(1, arbol.hojas.size() / asignadas);
  for (int i = 0; i < arbol.hojas.size() && ids.size() < asignadas; i += paso) ids << arbol.hojas[i].toInt();
  sqlite3* db = cn->handle();
  auto app = arbol.host->appGlobal();
  arboles::cTAZ_Categorias categorias;
  categorias.I_TAZ_Configure(app->GetGlobales(), app);

  double open = 1e9, baseOpen = 1e9, save = 1e9, baseSave = 1e9;
  for (int ronda = 0; ronda < 5; ++ronda) {
    asignar(*cn, ids);
    baseOpen = std::min(baseOpen, bareOpen(db, ids));
    arboles::FrmCategorias frm;
    open = std::min(open, bench::timeMs([&] { frm.Run(categorias, 1, 1); }));
    // One change: the first row deleted, as the Delete key and a Yes do.
    arbol.host->scriptedUserInterface().queueAnswer(true);
    frm.grdCategorias->MoveTo(0, 1);
    QKeyEvent supr(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(frm.grdCategorias, &supr);
    save = std::min(save, bench::timeMs([&] { frm.btnAceptar->Click(); }));
    const qint64 filas =
        cn->executeNative("SELECT COUNT(*) FROM Categorias WHERE Tipo=1 AND ID_Quien=1", 2, 0).toLongLong();
    if (filas != ids.size() - 1) {
      bench::fail("categorias_grid_save", arbol.nodos,
                  QStringLiteral("%1 rows saved of %2").arg(filas).arg(ids.size() - 1));
      return;
    }
    asignar(*cn, ids);
    baseSave = std::min(baseSave, bareSave(db, ids.mid(1)));
  }
  bench::report("categorias_grid_open", arbol.nodos, open, baseOpen, 300.0);
  bench::report("categorias_grid_save", arbol.nodos, save, baseSave, baseSave);
}

REGISTER_BENCH("categorias", categoryGrid);

}  // namespace
