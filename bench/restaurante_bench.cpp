// The restaurant categories from a consultant template of 500 nodes, every
// one checked, into a 1,000-node article tree: opening the window and
// creating the categories. The baseline is bare SQLite running the same
// reads and inserts in one transaction; the limit is one second.

#include <sqlite3.h>

#include <QHash>
#include <QVariantList>

#include "bench_arbol.h"
#include "bench_util.h"
#include "import/frm_crear_categorias_rest.h"
#include "tree/clave_arbol.h"
#include "zolmar/db/schema.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

namespace {

constexpr int kFamilias = 20;
constexpr int kSubcategorias = 24;

void plantilla(const QString& fichero) {
  using arboles::ClaveArbol;
  auto cn = zolmar::Connection::open(fichero, nullptr);
  QString error;
  cn->atomically(
      [&] {
        cn->executeNative("DELETE FROM Arboles");
        int id = 0;
        for (int f = 1; f <= kFamilias; ++f) {
          const QString kf = ClaveArbol::NumeroASegmento(f);
          const int idf = ++id;
          cn->executeNative(
              "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre) VALUES (?1, 3, ?2, ?3, 0)", 0,
              {}, {idf, ClaveArbol::Rellenar(kf), QString("Familia %1").arg(f)});
          for (int s = 1; s <= kSubcategorias; ++s)
            cn->executeNative(
                "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre) VALUES (?1, 3, ?2, ?3, ?4)", 0,
                {},
                {++id, ClaveArbol::Rellenar(kf + ClaveArbol::NumeroASegmento(s)),
                 QString("Subcategoría %1-%2").arg(f).arg(s), idf});
        }
        return true;
      },
      &error);
}

QString valor(sqlite3* db, QHash<QByteArray, sqlite3_stmt*>& cache, const char* sql,
              const QVariantList& valores = {}) {
  sqlite3_stmt*& st = cache[sql];
  if (!st) sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
  for (int i = 0; i < valores.size(); ++i) {
    const QByteArray t = valores[i].toString().toUtf8();
    if (valores[i].typeId() == QMetaType::Int)
      sqlite3_bind_int(st, i + 1, valores[i].toInt());
    else
      sqlite3_bind_text(st, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
  }
  QString v;
  if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
    v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  if (QByteArray(sql).startsWith("INSERT")) v = QString::number(sqlite3_last_insert_rowid(db));
  sqlite3_reset(st);
  return v;
}

// The same reads and inserts, prepared once, in one transaction.
double bare(sqlite3* db) {
  using arboles::ClaveArbol;
  return bench::timeMs([&] {
    QHash<QByteArray, sqlite3_stmt*> cache;
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    const QString mayor =
        valor(db, cache, "SELECT Clave FROM Arboles WHERE Tipo=3 ORDER BY Clave DESC LIMIT 1");
    const QString rama =
        ClaveArbol::Rellenar(ClaveArbol::NumeroASegmento(ClaveArbol::SegmentoANumero(mayor.left(2)) + 1));
    const int idRama =
        valor(db, cache,
              "INSERT INTO Arboles (Tipo, Clave, Nombre, UsoAux) VALUES (3, ?1, 'Restaurante', '111111')",
              {rama})
            .toInt();
    for (int f = 1; f <= kFamilias; ++f) {
      const QString familia = QString("Familia %1").arg(f);
      for (int s = 1; s <= kSubcategorias; ++s) {
        int idFamilia =
            valor(db, cache, "SELECT ZolmarID FROM Arboles WHERE Nombre=?1 AND Tipo=3 AND ID_Padre=?2",
                  {familia, idRama})
                .toInt();
        if (idFamilia == 0) {
          const QString ultima = valor(
              db, cache, "SELECT Clave FROM Arboles WHERE Tipo=3 AND ID_Padre=?1 ORDER BY Clave DESC LIMIT 1",
              {idRama});
          const QString seg =
              ultima.isEmpty()
                  ? QString("01")
                  : ClaveArbol::NumeroASegmento(ClaveArbol::SegmentoANumero(ultima.mid(2, 2)) + 1);
          idFamilia =
              valor(
                  db, cache,
                  "INSERT INTO Arboles (Tipo, Clave, Nombre, ID_Padre, UsoAux, RutaPadre) VALUES (3, ?1, ?2, "
                  "?3, '111111', 'Restaurante:')",
                  {ClaveArbol::Rellenar(rama.left(2) + seg), familia, idRama})
                  .toInt();
        }
        const QString nombre = QString("Subcategoría %1-%2").arg(f).arg(s);
        valor(db, cache,
              "SELECT ZolmarID FROM Arboles WHERE Nombre=?1 AND Tipo=3 AND ID_Padre=?2 AND ZolmarID NOT IN "
              "(SELECT "
              "ID_Padre FROM Arboles WHERE Tipo=3)",
              {nombre, idFamilia});
        const QString prefijo =
            valor(db, cache, "SELECT substr(Clave,1,4) FROM Arboles WHERE ZolmarID=?1", {idFamilia});
        const QString alta = valor(db, cache,
                                   "SELECT Clave FROM Arboles WHERE Tipo=3 AND Clave >= ?1 AND Clave < ?1 || "
                                   "char(1114111) ORDER BY Clave DESC LIMIT 1",
                                   {prefijo});
        valor(db, cache,
              "INSERT INTO Arboles (Tipo, Clave, Nombre, ID_Padre, UsoAux, RutaPadre) VALUES (3, ?1, ?2, ?3, "
              "'111111', ?4)",
              {ClaveArbol::Rellenar(
                   prefijo + ClaveArbol::NumeroASegmento(ClaveArbol::SegmentoANumero(alta.mid(4, 2)) + 1)),
               nombre, idFamilia, "Restaurante:" + familia + ":"});
      }
    }
    for (sqlite3_stmt* st : cache) sqlite3_finalize(st);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  });
}

void restaurantCategories(bool) {
  bench::Arbol arbol(10, 9, 10);
  plantilla(arbol.dir.filePath(QString::fromLatin1(zolmar::Schema::kConsultantDatabase) + ".db"));
  const double base = bare(arbol.host->connection()->handle());
  arboles::FrmCrearCategoriasRest frm;
  bool ok = false;
  const double ms = bench::timeMs([&] {
    frm.Run(*arbol.taz);
    frm.TreeArbol->ClickCheckBox(QStringLiteral("K=%1").arg(arboles::FrmCrearCategoriasRest::IdRaiz));
    arbol.host->scriptedUserInterface().queueAnswer(true);
    ok = frm.CreandoCategoriasRest();
  });
  const int n = kFamilias * (1 + kSubcategorias);
  if (!ok)
    bench::fail(QStringLiteral("restaurant_create"), n, QStringLiteral("the creation failed"));
  else
    bench::report(QStringLiteral("restaurant_create"), n, ms, base, 1000.0);
}

REGISTER_BENCH("restaurante", restaurantCategories);

}  // namespace
