// T-SQL text through ExecuteSQL against the same statements on one prepared
// SQLite statement: the translation cache should make the text nearly free.

#include <sqlite3.h>

#include <QTemporaryDir>

#include "bench_util.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/schema.h"

namespace {

using zolmar::Connection;

struct Fixture {
  QTemporaryDir dir;
  std::shared_ptr<Connection> cn;

  explicit Fixture(int rows) {
    QString error;
    cn = Connection::open(dir.filePath("bench.db"), &error);
    zolmar::Schema::create(*cn, &error);
    cn->atomically(
        [&] {
          for (int i = 1; i <= rows; ++i)
            cn->executeNative("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, ?1, ?2)", 0, {},
                              {QString::number(i, 16).rightJustified(16, '0'), QString("Nodo %1").arg(i)});
          return true;
        },
        &error);
  }
};

// Keeps the optimiser from dropping the values read.
qsizetype sink = 0;

// Bare SQLite: one prepared statement, rebound per row.
double bare(sqlite3* db, const char* sql, int n, int rows, bool oneTransaction, bool isSelect) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  const double ms = bench::timeMs([&] {
    if (oneTransaction) sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (int i = 0; i < n; ++i) {
      const int id = i % rows + 1;
      if (isSelect) {
        sqlite3_bind_int(stmt, 1, id);
      } else {
        sqlite3_bind_int(stmt, 1, i);
        sqlite3_bind_int(stmt, 2, id);
      }
      // The value is taken out as the program's own text, as ExecuteSQL gives it.
      while (sqlite3_step(stmt) == SQLITE_ROW) {
        if (isSelect)
          sink += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                                    sqlite3_column_bytes(stmt, 0))
                      .size();
      }
      sqlite3_reset(stmt);
    }
    if (oneTransaction) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  });
  sqlite3_finalize(stmt);
  return ms;
}

double viaExecuteSql(Connection& cn, int n, int rows, bool oneTransaction, bool isSelect) {
  return bench::timeMs([&] {
    if (oneTransaction) cn.BeginTrans("Bench");
    for (int i = 0; i < n; ++i) {
      // Written as the module writes its statements: literal text that needs no conversion.
      const QString id = QString::number(i % rows + 1);
      if (isSelect)
        sink += cn.ExecuteSQL(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=") + id, 2, QString())
                    .toString()
                    .size();
      else
        cn.ExecuteSQL(QStringLiteral("UPDATE Arboles SET CodigoExterno=") + QString::number(i) +
                      QStringLiteral(" WHERE ZolmarID=") + id);
    }
    if (oneTransaction) cn.CommitTrans("Bench");
  });
}

void run(bool quick, bool isSelect) {
  const int n = quick ? 5000 : 100000;
  const int rows = 1000;
  Fixture f(rows);
  const char* sql = isSelect ? "SELECT Nombre FROM Arboles WHERE ZolmarID=?1"
                             : "UPDATE Arboles SET CodigoExterno=?1 WHERE ZolmarID=?2";
  const QString op = isSelect ? "db_select" : "db_update";
  for (bool oneTransaction : {true, false}) {
    // The best of seven rounds on each side (a round in one transaction lasts
    // tens of milliseconds); the autocommit runs are long enough alone.
    const auto t = bench::mejores(
        oneTransaction ? 7 : 1, {[&] { return viaExecuteSql(*f.cn, n, rows, oneTransaction, isSelect); },
                                 [&] { return bare(f.cn->handle(), sql, n, rows, oneTransaction, isSelect); },
                                 [&] { return bare(f.cn->handle(), sql, n, rows, true, isSelect); }});
    const QString line = op + (oneTransaction ? "_transaction" : "_autocommit");
    if (f.cn->HasError())
      bench::fail(line, n, f.cn->LastError());
    else
      bench::report(line, n, t[0], t[1], t[2]);
  }
}

REGISTER_BENCH("db_update", [](bool quick) { run(quick, false); });
REGISTER_BENCH("db_select", [](bool quick) { run(quick, true); });

}  // namespace
