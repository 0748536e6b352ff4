// The tree report: the drawing of a 10,000-node tree to PDF and a
// 100,000-row CSV listing, each next to bare SQLite reading the same rows and
// running the same statements (baseline_ms; limit_ms the same inside one
// transaction). The drawing's per-row statements are the greatest segment
// under each branch, which the window reads once per branch and report.

#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <stdexcept>

#include "bench_arbol.h"
#include "bench_util.h"
#include "reports/frm_rpt_arboles.h"
#include "zolmar/report/report_framework.h"

namespace {

struct Fila {
  qint64 id, padre;
  QString nombre, clave;
};

QVector<Fila> leerFilas(sqlite3* db) {
  QVector<Fila> filas;
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT ZolmarID, Nombre, ID_Padre, Clave FROM Arboles WHERE Tipo=3 ORDER BY Clave",
                     -1, &stmt, nullptr);
  while (sqlite3_step(stmt) == SQLITE_ROW)
    filas.append({sqlite3_column_int64(stmt, 0), sqlite3_column_int64(stmt, 2),
                  QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1))),
                  QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)))});
  sqlite3_finalize(stmt);
  return filas;
}

// The rows, a later-sibling lookup per row and the greatest segment of each branch.
void dibujoDesnudo(sqlite3* db) {
  const QVector<Fila> filas = leerFilas(db);
  QHash<qint64, qint32> ultimoHijo;
  for (qint32 i = 0; i < filas.size(); ++i) ultimoHijo[filas[i].padre] = i;
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT max(substr(Clave, ?1, 2)) FROM Arboles WHERE Tipo=3 AND Clave LIKE ?2", -1,
                     &stmt, nullptr);
  QSet<QString> leidas;
  for (qint32 i = 0; i < filas.size(); ++i) {
    (void)(ultimoHijo.value(filas[i].padre) > i);
    for (int nivel = 0; nivel < 8 && filas[i].clave.mid(2 * nivel, 2).toInt(nullptr, 16) > 0; ++nivel) {
      const QString prefijo = filas[i].clave.left(2 * nivel);
      if (leidas.contains(QString::number(nivel) + prefijo)) continue;
      leidas.insert(QString::number(nivel) + prefijo);
      const QByteArray patron = (prefijo + "%").toUtf8();
      sqlite3_bind_int(stmt, 1, 2 * nivel + 1);
      sqlite3_bind_text(stmt, 2, patron.constData(), -1, SQLITE_TRANSIENT);
      while (sqlite3_step(stmt) == SQLITE_ROW) (void)sqlite3_column_text(stmt, 0);
      sqlite3_reset(stmt);
    }
  }
  sqlite3_finalize(stmt);
}

// The rows, written as the same CSV.
void csvDesnudo(sqlite3* db, const QString& fichero) {
  QFile out(fichero);
  out.open(QIODevice::WriteOnly | QIODevice::Truncate);
  out.write(
      "\xEF\xBB\xBF"
      "Ficha;Nombre;Padre;Orden\r\n");
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT ZolmarID, Nombre, ID_Padre, Clave FROM Arboles WHERE Tipo=3", -1, &stmt,
                     nullptr);
  QByteArray linea;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    linea.clear();
    linea += QByteArray::number(sqlite3_column_int64(stmt, 0)) + ';';
    linea += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
    linea += ';' + QByteArray::number(sqlite3_column_int64(stmt, 2)) + ';';
    linea += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3));
    linea += "\r\n";
    out.write(linea);
  }
  sqlite3_finalize(stmt);
}

template <typename Fn>
double enUnaTransaccion(sqlite3* db, Fn&& fn) {
  return bench::timeMs([&] {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    fn();
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  });
}

double informe(bench::Arbol& arbol, qint32 proceso, const zolmar::ReportOutput& salida) {
  arboles::FrmRptArboles::Registrar();
  auto* frm = new arboles::FrmRptArboles();
  frm->setAttribute(Qt::WA_DeleteOnClose);
  frm->Run(*arbol.taz, 3, proceso, false, false);
  frm->oRptForm->SetRecordarConfiguracion(false);
  const double ms = bench::timeMs([&] { frm->oRptForm->Generar(salida); });
  const qint32 filas = frm->oRptForm->Filas();
  frm->Unload();
  if (filas != arbol.nodos)
    throw std::runtime_error(QStringLiteral("%1 rows of %2").arg(filas).arg(arbol.nodos).toStdString());
  return ms;
}

void reportBench(bool quick) {
  QTemporaryDir dir;
  {
    // roots x (1 + children x (1 + leaves)) nodes: 10,000 (1,000 quick).
    bench::Arbol arbol(quick ? 10 : 16, quick ? 9 : 24, quick ? 10 : 25);
    sqlite3* db = arbol.host->connection()->handle();
    const double base = bench::timeMs([&] { dibujoDesnudo(db); });
    const double limite = enUnaTransaccion(db, [&] { dibujoDesnudo(db); });
    const double ms = informe(arbol, 3, {zolmar::ReportOutputKind::Pdf, dir.filePath("arbol.pdf")});
    bench::report("report_tree_pdf", arbol.nodos, ms, base, limite);
  }
  {
    // 100,000 nodes (10,000 quick).
    bench::Arbol arbol(quick ? 10 : 32, quick ? 33 : 44, quick ? 29 : 70);
    sqlite3* db = arbol.host->connection()->handle();
    const double base = bench::timeMs([&] { csvDesnudo(db, dir.filePath("desnudo.csv")); });
    const double limite = enUnaTransaccion(db, [&] { csvDesnudo(db, dir.filePath("desnudo.csv")); });
    const double ms = informe(arbol, 2, {zolmar::ReportOutputKind::Csv, dir.filePath("lista.csv")});
    bench::report("report_list_csv", arbol.nodos, ms, base, limite);
  }
}

REGISTER_BENCH("report", reportBench);

}  // namespace
