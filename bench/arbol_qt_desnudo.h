#pragma once
// The widget work of a tree window done with bare SQLite (or libpq) and bare
// Qt: the rows of a query read straight into a QTreeWidget, each item hung from its
// parent's item through a hash, with its text, its "K=id" key, its colours
// and whatever else the window gives it (a check state, a count). What the
// windows pay on top of this is the overhead the benchmarks measure.

#include <sqlite3.h>

#include <QBrush>
#include <QHash>
#include <QPalette>
#include <QSet>
#include <QTreeWidget>

#include "bench_util.h"

namespace bench {

// The rows siguiente(&id, &nombre, &padre) gives until it returns false. A
// row whose parent is not in the view hangs from raiz (or the top level when
// raiz is null); decorar(item, id) adds the rest.
template <typename Filas, typename Decorar>
void llenarVista(QTreeWidget& vista, QTreeWidgetItem* raiz, Filas&& siguiente, Decorar&& decorar) {
  const QPalette paleta = vista.palette();
  const QBrush fondo = paleta.brush(QPalette::Base), texto = paleta.brush(QPalette::Text);
  vista.setUpdatesEnabled(false);
  QHash<qint32, QTreeWidgetItem*> items;
  qint32 id = 0, idPadre = 0;
  QString nombre;
  while (siguiente(&id, &nombre, &idPadre)) {
    QTreeWidgetItem* padre = items.value(idPadre, raiz);
    auto* item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(&vista);
    item->setText(0, nombre.trimmed());
    item->setData(0, Qt::UserRole, QStringLiteral("K=") + QString::number(id));
    item->setBackground(0, fondo);
    item->setForeground(0, texto);
    decorar(item, id);
    items.insert(id, item);
  }
  vista.setUpdatesEnabled(true);
}

// Columns of sql: id, name, parent id.
template <typename Decorar>
void llenarVistaQt(QTreeWidget& vista, QTreeWidgetItem* raiz, sqlite3* db, const QByteArray& sql,
                   Decorar&& decorar) {
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
  llenarVista(
      vista, raiz,
      [st](qint32* id, QString* nombre, qint32* padre) {
        if (sqlite3_step(st) != SQLITE_ROW) return false;
        *id = sqlite3_column_int(st, 0);
        *nombre = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        *padre = sqlite3_column_int(st, 2);
        return true;
      },
      decorar);
  sqlite3_finalize(st);
}

// A view of its own filled from sql; marcados: the ids checked, with check
// boxes when conCasillas. Returns the milliseconds of the query and the fill.
inline double llenarArbolQt(sqlite3* db, const QByteArray& sql, const QSet<qint32>& marcados = {},
                            bool conCasillas = false) {
  QTreeWidget vista;
  return timeMs([&] {
    llenarVistaQt(vista, nullptr, db, sql, [&](QTreeWidgetItem* item, qint32 id) {
      if (conCasillas) item->setCheckState(0, marcados.contains(id) ? Qt::Checked : Qt::Unchecked);
    });
  });
}

}  // namespace bench
