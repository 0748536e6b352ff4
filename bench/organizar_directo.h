#pragma once
// The organisation window's merge and branch move done with bare SQLite and
// bare Qt: the same statements with the same commit behaviour (the change and
// the rebuild of keys and paths in one transaction, the reload of both trees
// after it), or everything in one transaction when asked.

#include <sqlite3.h>

#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <vector>

#include "arbol_qt_desnudo.h"
#include "bench_sqlite.h"
#include "tree/clave_arbol.h"
#include "zolmar/db/connection.h"

namespace bench {

// The window's two trees, bare: after its transaction the grouped count is
// read into a hash, then each view is emptied and filled again from the tree
// read, under a root "/", the count after the name, the nodes marked deleted
// in grey, the leaves without references in red.
struct Vistas {
  QTreeWidget arbol[2];

  void recargar(sqlite3* db) {
    QHash<qint32, qint32> cuentas;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT A.ZolmarID, count(*) AS Numero FROM Articulos Art LEFT JOIN Arboles A ON "
                       "A.ZolmarID = Art.ID_Categoria1 GROUP BY A.ZolmarID",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
      cuentas.insert(sqlite3_column_int(st, 0), sqlite3_column_int(st, 1));
    sqlite3_finalize(st);
    const QString referencias = QStringLiteral(" Referencias)");
    for (QTreeWidget& vista : arbol) {
      vista.clear();
      auto* raiz = new QTreeWidgetItem(&vista, QStringList(QStringLiteral("/")));
      raiz->setData(0, Qt::UserRole, QStringLiteral("K=0"));
      std::vector<QTreeWidgetItem*> sinReferencias;
      QHash<qint32, QTreeWidgetItem*> porId;
      llenarVistaQt(
          vista, raiz, db,
          "SELECT zolmarID, nombre, id_padre, CriterioHijos FROM Arboles WHERE tipo = 3 ORDER BY clave",
          [&](QTreeWidgetItem* item, qint32 id) {
            porId.insert(id, item);
            const auto n = cuentas.constFind(id);
            if (n == cuentas.constEnd())
              sinReferencias.push_back(item);
            else
              item->setText(0, item->text(0) + QStringLiteral(" (") + QString::number(*n) + referencias);
          });
      // The nodes marked deleted, grey.
      sqlite3_prepare_v2(db, "SELECT ZolmarID FROM Arboles WHERE tipo = 3 AND (Activo & 2)<>0", -1, &st,
                         nullptr);
      while (sqlite3_step(st) == SQLITE_ROW)
        if (QTreeWidgetItem* item = porId.value(sqlite3_column_int(st, 0))) item->setForeground(0, Qt::gray);
      sqlite3_finalize(st);
      for (QTreeWidgetItem* item : sinReferencias)
        if (item->childCount() == 0) item->setForeground(0, QColor(255, 0, 0));
    }
  }
};

inline void ejecutar(sqlite3* db, const QString& sql) {
  sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

// Keys in present order, then paths, inside the caller's transaction, as the
// window rebuilds them.
inline void renumerarYRutas(sqlite3* db) {
  renumerarArbol(db, "id_padre, Clave", false);
  reconstruirRutas(db, false);
}

// The references of leaf origen go to leaf destino: what moves counted
// before the question, the articles locked before the merge's transaction and
// freed inside it, the customers' and suppliers' assignments moved too.
inline void unir(zolmar::Connection& cn, qint32 origen, qint32 destino, bool unaTransaccion, Vistas& vistas) {
  sqlite3* db = cn.handle();
  const QString o = QString::number(origen), d = QString::number(destino);
  if (unaTransaccion) ejecutar(db, "BEGIN IMMEDIATE");
  QStringList cuentas;
  for (const char* t : {"Articulos WHERE ID_Categoria1=", "Tarifas WHERE ID_Categoria=",
                        "GruposComisionesX WHERE ID_Categoria=", "ArtCompuestos WHERE ID_Categoria=",
                        "Categorias WHERE ID_Categoria="})
    cuentas << QStringLiteral("SELECT COUNT(*) AS Numero FROM ") + QLatin1String(t) + o;
  readAll(db, cuentas.join(QStringLiteral(" UNION ALL ")).toUtf8().constData());
  bloquear(db, "Articulos");
  if (!unaTransaccion) ejecutar(db, "BEGIN IMMEDIATE");
  ejecutar(db, "UPDATE Articulos SET ID_Categoria1=" + d +
                   ", FechaModificacion='2024-06-11 10:00:00' WHERE ID_Categoria1=" + o);
  ejecutar(db, "UPDATE Tarifas SET ID_Categoria=" + d + " WHERE ID_Categoria=" + o);
  ejecutar(db, "UPDATE GruposComisionesX SET ID_Categoria=" + d + " WHERE ID_Categoria=" + o);
  ejecutar(db, "UPDATE ArtCompuestos SET ID_Categoria=" + d + " WHERE ID_Categoria=" + o);
  ejecutar(db, "DELETE FROM Categorias WHERE ID_Categoria=" + o +
                   " AND EXISTS (SELECT 1 FROM Categorias D WHERE D.Tipo=Categorias.Tipo AND "
                   "D.ID_Quien=Categorias.ID_Quien AND D.ID_Categoria=" +
                   d + ")");
  ejecutar(db, "UPDATE Categorias SET ID_Categoria=" + d + " WHERE ID_Categoria=" + o);
  liberar(db, "Articulos");
  renumerarYRutas(db);
  if (!unaTransaccion) ejecutar(db, "COMMIT");
  vistas.recargar(db);
  if (unaTransaccion) ejecutar(db, "COMMIT");
}

// Branch origen hung from destino, after the checks of the destination (its
// references, its children) and of the levels the branch would reach.
inline void mover(zolmar::Connection& cn, qint32 origen, qint32 destino, bool unaTransaccion,
                  Vistas& vistas) {
  sqlite3* db = cn.handle();
  const QString o = QString::number(origen), d = QString::number(destino);
  if (unaTransaccion) ejecutar(db, "BEGIN IMMEDIATE");
  readAll(db, ("SELECT count(*) AS Numero FROM Articulos WHERE ID_Categoria1=" + d).toUtf8().constData());
  Sentencia clave(cn, "SELECT Clave FROM Arboles WHERE ZolmarID=1");
  const QString claveOrigen = clave.texto({origen});
  const int nivelOrigen = arboles::ClaveArbol::ObtenerNivel(claveOrigen);
  const int nivelDestino = arboles::ClaveArbol::ObtenerNivel(clave.texto({destino}));
  const int segmento = 8 + nivelOrigen - nivelDestino;
  if (segmento > nivelOrigen && segmento <= 8)
    Sentencia(cn,
              "SELECT COUNT(*) FROM Arboles WHERE Tipo=3 AND Clave LIKE '01%' AND SUBSTRING(Clave,3,2)<>'00'")
        .texto({3, claveOrigen.left(2 * nivelOrigen) + '%', 2 * segmento - 1, 2, QStringLiteral("00")});
  readAll(db, ("SELECT COUNT(*) FROM Arboles WHERE Tipo=3 AND ID_Padre=" + d).toUtf8().constData());
  if (!unaTransaccion) ejecutar(db, "BEGIN IMMEDIATE");
  ejecutar(db, "UPDATE Arboles SET ID_padre=" + d + " WHERE ZolmarID=" + o);
  renumerarYRutas(db);
  if (!unaTransaccion) ejecutar(db, "COMMIT");
  vistas.recargar(db);
  if (unaTransaccion) ejecutar(db, "COMMIT");
}

}  // namespace bench
