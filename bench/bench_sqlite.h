#pragma once
// Bare SQLite work the baselines share: the host's translation of a
// statement prepared once, every column of a query read as a record set would
// read it, the article tree's ids, parents and keys, and
// the tree's renumbering and path rebuild done by hand.

#include <sqlite3.h>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariantList>
#include <cstdio>
#include <utility>
#include <vector>

#include "tree/clave_arbol.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace bench {

// A statement as the host translates it (an example of its T-SQL), prepared
// once; each run binds its own values in the order the statement's literals
// take, and the first column of its first row comes back as text.
class Sentencia {
 public:
  Sentencia(zolmar::Connection& cn, const QString& ejemplo) : db_(cn.handle()) {
    const zolmar::TSqlTranslation t = cn.translator().translate(ejemplo);
    literales_ = t.literals.size();
    sqlite3_prepare_v2(db_, t.sql.toUtf8().constData(), -1, &st_, nullptr);
  }
  ~Sentencia() { sqlite3_finalize(st_); }

  QString texto(const QVariantList& valores) {
    enlazar(valores);
    QString valor;
    if (sqlite3_step(st_) == SQLITE_ROW && sqlite3_column_type(st_, 0) != SQLITE_NULL)
      valor = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st_, 0)));
    sqlite3_reset(st_);
    return valor;
  }

 private:
  void enlazar(const QVariantList& valores) {
    if (valores.size() != literales_)
      std::fprintf(stderr, "baseline: %d values for %d literals\n", int(valores.size()), int(literales_));
    for (int i = 0; i < valores.size(); ++i) {
      if (valores[i].typeId() == QMetaType::QString) {
        const QByteArray b = valores[i].toString().toUtf8();
        sqlite3_bind_text(st_, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
      } else {
        sqlite3_bind_int64(st_, i + 1, valores[i].toLongLong());
      }
    }
  }

  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
  qsizetype literales_ = 0;
};

// Steps through the rows, every column read as text.
inline void readAll(sqlite3* db, const QByteArray& sql) {
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
  while (sqlite3_step(st) == SQLITE_ROW)
    for (int c = 0; c < sqlite3_column_count(st); ++c) (void)sqlite3_column_text(st, c);
  sqlite3_finalize(st);
}

// A table's lock as the host takes it: the table's locks looked up, one
// written; liberar deletes it. Each commits on its own outside a transaction.
inline void bloquear(sqlite3* db, const QByteArray& tabla) {
  readAll(db, "SELECT ZolmarID, Filtro, Sesion, Pid, Equipo, Fecha FROM ZolmarBloqueos WHERE Tabla='" +
                  tabla + "'");
  const QByteArray sql = "INSERT INTO ZolmarBloqueos (Tabla, Filtro, Sesion, Pid, Equipo, Fecha) VALUES ('" +
                         tabla + "', '', 's', 1, 'e', '2024-06-11 10:00:00')";
  sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

inline void liberar(sqlite3* db, const QByteArray& tabla) {
  const QByteArray sql = "DELETE FROM ZolmarBloqueos WHERE Tabla='" + tabla + "'";
  sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

// A whole-tree rebuild as the module runs it: the tree's table locked, fn's
// statements, the lock freed; all of it in one transaction when asked.
template <typename Fn>
void bajoBloqueo(sqlite3* db, bool unaTransaccion, Fn&& fn) {
  if (unaTransaccion) sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  bloquear(db, "Arboles");
  fn();
  liberar(db, "Arboles");
  if (unaTransaccion) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
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

// Dense keys depth first: a row's key is its parent's key and its place
// among that parent's rows, in the order given (ids and parents by row; a
// row under no row of them keeps an empty key).
inline std::vector<QString> clavesDensas(const std::vector<qint32>& ids, const std::vector<qint32>& padres) {
  std::vector<QString> claves(ids.size());
  QHash<qint32, std::vector<size_t>> hijos;
  for (size_t i = 0; i < ids.size(); ++i) hijos[padres[i]].push_back(i);
  std::vector<std::pair<qint32, QString>> pila{{0, QString()}};
  while (!pila.empty()) {
    const auto [padre, prefijo] = pila.back();
    pila.pop_back();
    int contador = 0;
    for (size_t i : hijos.value(padre)) {
      claves[i] = prefijo + arboles::ClaveArbol::NumeroASegmento(++contador);
      pila.push_back({ids[i], claves[i]});
    }
  }
  return claves;
}

// Dense keys for the article tree, children numbered in the order read
// (orden); each key written with its own statement, in one transaction when
// asked.
inline void renumerarArbol(sqlite3* db, const char* orden, bool unaTransaccion) {
  auto filas = leerArbol(db, orden);
  std::vector<qint32> ids, padres;
  for (const FilaArbol& f : filas) {
    ids.push_back(f.id);
    padres.push_back(f.padre);
  }
  const std::vector<QString> claves = clavesDensas(ids, padres);
  for (size_t i = 0; i < filas.size(); ++i) filas[i].clave = claves[i];
  sqlite3_stmt* up = nullptr;
  sqlite3_prepare_v2(db, "UPDATE Arboles SET Clave=?1 WHERE ZolmarID=?2", -1, &up, nullptr);
  if (unaTransaccion) sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  for (const FilaArbol& f : filas) {
    const QByteArray clave = arboles::ClaveArbol::Rellenar(f.clave).toUtf8();
    sqlite3_bind_text(up, 1, clave.constData(), clave.size(), SQLITE_TRANSIENT);
    sqlite3_bind_int(up, 2, f.id);
    sqlite3_step(up);
    sqlite3_reset(up);
  }
  if (unaTransaccion) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_finalize(up);
}

// Every node's RutaPadre rebuilt from its parent's path and name, cut at 150
// characters, parents before their children as the module writes them: from
// the top level down, each parent's children in (id_padre, Nombre) order, then
// the rows no parent link reaches from the top, in that order too.
inline void reconstruirRutas(sqlite3* db, bool unaTransaccion) {
  const auto leidas = leerArbol(db, "id_padre, Nombre");
  QHash<qint32, std::vector<size_t>> hijos;
  for (size_t i = 0; i < leidas.size(); ++i) hijos[leidas[i].padre].push_back(i);
  std::vector<const FilaArbol*> filas;
  std::vector<bool> puesta(leidas.size(), false);
  std::vector<size_t> pila;
  const auto poner = [&](size_t i) {
    pila.push_back(i);
    while (!pila.empty()) {
      const size_t k = pila.back();
      pila.pop_back();
      if (puesta[k]) continue;
      puesta[k] = true;
      filas.push_back(&leidas[k]);
      const auto suyos = hijos.constFind(leidas[k].id);
      if (suyos != hijos.constEnd()) pila.insert(pila.end(), suyos->rbegin(), suyos->rend());
    }
  };
  for (size_t i : hijos.value(0)) poner(i);
  for (size_t i = 0; i < leidas.size(); ++i) poner(i);
  sqlite3_stmt* sel = nullptr;
  sqlite3_stmt* up = nullptr;
  sqlite3_prepare_v2(db, "SELECT RutaPadre || Nombre FROM Arboles WHERE ZolmarID=?1", -1, &sel, nullptr);
  sqlite3_prepare_v2(db, "UPDATE Arboles SET RutaPadre=substr(RutaPadre || ?1, 1, 150) WHERE ZolmarID=?2", -1,
                     &up, nullptr);
  if (unaTransaccion) sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  sqlite3_exec(db, "UPDATE Arboles SET RutaPadre='' WHERE Tipo=3", nullptr, nullptr, nullptr);
  for (const FilaArbol* f : filas) {
    if (f->padre <= 0) continue;
    sqlite3_bind_int(sel, 1, f->padre);
    QByteArray ruta;
    if (sqlite3_step(sel) == SQLITE_ROW) ruta = reinterpret_cast<const char*>(sqlite3_column_text(sel, 0));
    sqlite3_reset(sel);
    ruta += ':';
    sqlite3_bind_text(up, 1, ruta.constData(), ruta.size(), SQLITE_TRANSIENT);
    sqlite3_bind_int(up, 2, f->id);
    sqlite3_step(up);
    sqlite3_reset(up);
  }
  if (unaTransaccion) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_finalize(sel);
  sqlite3_finalize(up);
}

}  // namespace bench
