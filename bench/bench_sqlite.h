#pragma once
// Bare SQLite reads the baselines share: every column of a query read as a
// record set would read it, and the article tree's ids, parents and keys.

#include <sqlite3.h>

#include <QByteArray>
#include <QString>
#include <vector>

namespace bench {

// Steps through the rows, every column read as text.
inline void readAll(sqlite3* db, const char* sql) {
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
  while (sqlite3_step(st) == SQLITE_ROW)
    for (int c = 0; c < sqlite3_column_count(st); ++c) (void)sqlite3_column_text(st, c);
  sqlite3_finalize(st);
}

struct FilaArbol {
  qint32 id, padre;
  QString clave;
};

// The article tree's rows (id, parent, key) in the given order.
inline std::vector<FilaArbol> leerArbol(sqlite3* db, const char* orden) {
  sqlite3_stmt* st = nullptr;
  const QByteArray sql =
      QByteArray("SELECT ZolmarID, Clave, Nombre, id_padre FROM Arboles WHERE Tipo=3 ORDER BY ") + orden;
  sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
  std::vector<FilaArbol> filas;
  while (sqlite3_step(st) == SQLITE_ROW)
    filas.push_back({sqlite3_column_int(st, 0), sqlite3_column_int(st, 3),
                     QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))});
  sqlite3_finalize(st);
  return filas;
}

}  // namespace bench
