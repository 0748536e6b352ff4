// The category report on 100,000 assignments (20,000 customers with five
// categories each on a 10,000-node article tree) filtered by three category
// rows (three top branches, any of them): the CSV listing, and the filter
// subquery run inside the customer list's query. The baseline is bare SQLite
// running the same reads: the branch patterns and id lists, then the same
// statement written as the same CSV, or the customer query with the same
// subquery.

#include <sqlite3.h>

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringList>
#include <QTemporaryDir>

#include "bench_arbol.h"
#include "bench_util.h"
#include "categories/taz_categorias.h"
#include "host/i_recordset.h"
#include "reports/frm_rpt_categorias.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/opt.h"

namespace {

constexpr int kPorCliente = 5;
const int kRamas[] = {1, 2, 3};  // top-level branches chosen

void poblar(bench::Arbol& arbol, int clientes) {
  auto cn = arbol.host->connection();
  QString error;
  QRandomGenerator azar(7);
  cn->atomically(
      [&] {
        for (int c = 1; c <= clientes; ++c) {
          cn->executeNative("INSERT INTO Nombres (ZolmarID, Nombre, Apellidos) VALUES (?1, ?2, ?3)", 0, {},
                            {c, QStringLiteral("Cliente"), QString::number(c)});
          cn->executeNative("INSERT INTO Clientes (ZolmarID, Codigo, ID_Nombre) VALUES (?1, ?2, ?1)", 0, {},
                            {c, QString::number(c)});
          for (int k = 0; k < kPorCliente; ++k)
            cn->executeNative("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, ?1, ?2)", 0,
                              {}, {c, 1 + int(azar.bounded(arbol.nodos))});
        }
        return true;
      },
      &error);
}

QStringList columna(sqlite3* db, const QByteArray& sql) {
  QStringList valores;
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
  while (sqlite3_step(stmt) == SQLITE_ROW)
    valores << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
  sqlite3_finalize(stmt);
  return valores;
}

// The condition the three rows make, read as the window reads it.
QByteArray filtroDesnudo(sqlite3* db) {
  QStringList partes;
  for (int rama : kRamas) {
    const QString patron = columna(db, "SELECT SubArboles(" + QByteArray::number(rama) + ")").value(0);
    const QStringList ids = columna(
        db, "SELECT DISTINCT ZolmarID FROM Arboles WHERE Tipo=3 AND Clave LIKE '" + patron.toUtf8() + "'");
    partes << "Categorias.ID_Quien IN(SELECT ID_Quien FROM Categorias LEFT JOIN Arboles ON "
              "Categorias.ID_Categoria=Arboles.ZolmarID WHERE Categorias.ID_Categoria IN(" +
                  ids.join(',') + ") AND Categorias.Tipo=1)";
  }
  return "(" + partes.join(" OR ").toUtf8() + ")";
}

void csvDesnudo(sqlite3* db, const QString& fichero) {
  const QByteArray sql =
      "SELECT Categorias.ID_Categoria, Arboles.Nombre, Categorias.ID_Quien, NombreClientes.Nombre || ' ' || "
      "NombreClientes.Apellidos FROM Categorias LEFT JOIN Arboles ON "
      "Categorias.ID_Categoria=Arboles.ZolmarID "
      "LEFT JOIN Clientes ON Categorias.ID_Quien=Clientes.ZolmarID LEFT JOIN Nombres AS NombreClientes ON "
      "Clientes.ID_Nombre=NombreClientes.ZolmarID WHERE " +
      filtroDesnudo(db) + " AND Categorias.Tipo=1";
  // Saved as the report saves its files: a temporary file renamed once on disk.
  QSaveFile out(fichero);
  out.open(QIODevice::WriteOnly);
  out.write("\xEF\xBB\xBFID_Categoria;Categoria;ID_Cliente;Cliente\r\n");
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
  QByteArray linea;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    linea = QByteArray::number(sqlite3_column_int64(stmt, 0)) + ';';
    linea += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
    linea += ';' + QByteArray::number(sqlite3_column_int64(stmt, 2)) + ';';
    linea += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3));
    linea += "\r\n";
    out.write(linea);
  }
  sqlite3_finalize(stmt);
  out.commit();
}

QByteArray consultaClientes(const QByteArray& subconsulta, bool tsql) {
  return "SELECT T.ZolmarID, T.Codigo, N.Nombre " + QByteArray(tsql ? "+" : "||") + " ' ' " +
         QByteArray(tsql ? "+" : "||") +
         " N.Apellidos AS Nombre FROM Clientes T LEFT JOIN Nombres N ON T.ID_Nombre = N.ZolmarID WHERE "
         "(T.Activo & 2)=0 AND T.ZolmarID IN (" +
         subconsulta + ") ORDER BY Nombre";
}

qint64 clientesDesnudo(sqlite3* db) {
  const QByteArray sub =
      "SELECT DISTINCT Categorias.ID_Quien FROM Categorias LEFT JOIN Arboles ON "
      "Categorias.ID_Categoria=Arboles.ZolmarID WHERE " +
      filtroDesnudo(db) + " AND Categorias.Tipo=1";
  qint64 filas = 0;
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, consultaClientes(sub, false).constData(), -1, &stmt, nullptr);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    for (int c = 0; c < 3; ++c) (void)sqlite3_column_text(stmt, c);
    ++filas;
  }
  sqlite3_finalize(stmt);
  return filas;
}

void elegirRamas(arboles::FrmRptCategorias& frm) {
  for (int i = 0; i < 3; ++i) frm.sayID_Categoria[i]->setText(QString::number(kRamas[i]));
  frm.optTipoFiltro->setValue(1);
}

void categoriasInformeBench(bool quick) {
  QTemporaryDir dir;
  // 10,000 nodes (1,000 quick); the first three roots are the chosen branches.
  bench::Arbol arbol(quick ? 10 : 16, quick ? 9 : 24, quick ? 10 : 25);
  const int clientes = quick ? 2000 : 20000;
  poblar(arbol, clientes);
  sqlite3* db = arbol.host->connection()->handle();
  auto app = arbol.host->appGlobal();
  auto categorias = std::make_shared<arboles::cTAZ_Categorias>();
  categorias->I_TAZ_Configure(app->GetGlobales(), app);
  arboles::FrmRptCategorias::Registrar();
  const qint64 asignaciones = qint64(clientes) * kPorCliente;

  {
    // The best of three rounds, a window of its own for each, in turns with the baseline.
    const auto t = bench::mejores(
        3, {[&] {
              auto* frm = new arboles::FrmRptCategorias();
              frm->setAttribute(Qt::WA_DeleteOnClose);
              frm->Run(*categorias, 1, false);
              frm->oRptForm->SetRecordarConfiguracion(false);
              elegirRamas(*frm);
              const double ms = bench::timeMs([&] {
                frm->oRptForm->Generar({zolmar::ReportOutputKind::Csv, dir.filePath("informe.csv")});
              });
              frm->Unload();
              return ms;
            },
            [&] { return bench::timeMs([&] { csvDesnudo(db, dir.filePath("desnudo.csv")); }); }});
    bench::report("category_report_csv", asignaciones, t[0], t[1], t[1]);
  }
  {
    qint64 esperadas = 0;
    const double base = bench::timeMs([&] { esperadas = clientesDesnudo(db); });
    double ms = 0;
    arbol.host->scriptedUserInterface().whenWaitingFor(
        arboles::FrmRptCategorias::NombreVentana, [&](QWidget* w) {
          auto* frm = static_cast<arboles::FrmRptCategorias*>(w);
          elegirRamas(*frm);
          ms += bench::timeMs([&] { frm->btnReturnFilter->Click(); });
        });
    const QString sub = categorias->GetFilterForSubQuery(1);
    qint64 filas = 0;
    auto cn = arbol.host->connection();
    ms += bench::timeMs([&] {
      auto rs =
          arboles::recordsetOf(cn->ExecuteSQL(QString::fromUtf8(consultaClientes(sub.toUtf8(), true)), 5));
      while (rs && rs->Read()) ++filas;
    });
    if (filas != esperadas)
      bench::fail("category_filter_subquery", asignaciones,
                  QStringLiteral("%1 rows, bare %2").arg(filas).arg(esperadas));
    else
      bench::report("category_filter_subquery", asignaciones, ms, base, base);
  }
}

REGISTER_BENCH("category_report", categoriasInformeBench);

}  // namespace
