// The pick dialog on a large tree: opening it in multiple selection with
// 1,000 preselected leaves, against bare SQLite and a bare QTreeWidget filled
// with the same checked items, and one keystroke of the name search against
// the bare SQLite time of the query behind it (baseline_ms). These are
// single statements, so limit_ms carries the target instead: ready in under
// 1 s, a keystroke answered in under 20 ms.

#include <sqlite3.h>

#include <QStringList>
#include <QTemporaryDir>

#include "arbol_qt_desnudo.h"
#include "bench_arbol.h"
#include "bench_util.h"
#include "host/i_app_global.h"
#include "picking/frm_busca_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

namespace {

double bareQuery(sqlite3* db, const QString& sql) {
  sqlite3_stmt* stmt = nullptr;
  const QByteArray text = sql.toUtf8();
  return bench::timeMs([&] {
    sqlite3_prepare_v2(db, text.constData(), -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) (void)sqlite3_column_text(stmt, 1);
    sqlite3_finalize(stmt);
  });
}

void pickDialog(bool quick) {
  for (int n : quick ? QList<int>{1000} : QList<int>{1000, 50000}) {
    const int raices = n >= 50000 ? 40 : 10;
    const int hijos = n >= 50000 ? 36 : 9;
    const int nietos = n >= 50000 ? 34 : 10;
    bench::Arbol arbol(raices, hijos, nietos);
    QStringList preseleccion;
    const int paso = qMax<int>(1, arbol.hojas.size() / 1000);
    for (int i = 0; i < arbol.hojas.size() && preseleccion.size() < 1000; i += paso)
      preseleccion << arbol.hojas[i];
    const QString lista = preseleccion.join(',');

    sqlite3* db = arbol.host->connection()->handle();
    QSet<qint32> marcados;
    for (const QString& id : preseleccion) marcados.insert(id.toInt());
    const QByteArray sqlAbrir =
        ("SELECT zolmarID, nombre, id_padre, CriterioHijos, Clave, (CASE WHEN ZolmarID IN(" + lista +
         ") THEN 1 ELSE 0 END) as Activo FROM Arboles WHERE tipo = 3 AND (Activo & 2)=0 ORDER BY clave")
            .toUtf8();
    // A few milliseconds each on the small tree: the best of a few rounds,
    // each a dialog (and a bare view) of its own.
    const int rondas = n >= 50000 ? 3 : 7;
    const auto abrir = bench::mejores(
        rondas, {[&] {
                   arboles::FrmBuscaArbol multiple;
                   const double ms = bench::timeMs(
                       [&] { multiple.Mostrar(*arbol.taz, 3, false, 0, false, false, true, lista, false); });
                   multiple.btnCancelar->Click();
                   return ms;
                 },
                 [&] { return bench::llenarArbolQt(db, sqlAbrir, marcados, true); }});
    bench::report("pick_open_multi_1000_preselected", arbol.nodos, abrir[0], abrir[1], 1000.0);

    arboles::FrmBuscaArbol simple;
    simple.Mostrar(*arbol.taz, 3, false, 0, false, false, false, QString(), false);
    const QString buscado = QString("Nodo %1-%2-").arg(raices).arg(hijos);
    const QString sqlBuscar =
        "SELECT ZolmarID, Nombre FROM Arboles WHERE tipo = 3 AND (Activo & 2)=0 AND Nombre LIKE '" + buscado +
        "%' ORDER BY Clave LIMIT 1";
    const auto tecla =
        bench::mejores(rondas, {[&] {
                                  simple.getBuscar->setText(QString());
                                  return bench::timeMs([&] { simple.getBuscar->setText(buscado); });
                                },
                                [&] { return bareQuery(db, sqlBuscar); }});
    simple.btnCancelar->Click();
    bench::report("pick_name_search_keystroke", arbol.nodos, tecla[0], tecla[1], 20.0);
  }
}

REGISTER_BENCH("picking", pickDialog);

}  // namespace
