#pragma once
// The widget work of a tree window done with bare SQLite and bare Qt: the
// rows of a query read straight into a QTreeWidget, each item hung from its
// parent's item through a hash, with its text, its "K=id" key, its colours
// and, for a check-box tree, its check state. What the windows pay on top of
// this is the overhead the benchmarks measure.

#include <sqlite3.h>

#include <QBrush>
#include <QHash>
#include <QPalette>
#include <QSet>
#include <QTreeWidget>

#include "bench_util.h"

namespace bench {

// Columns of sql: id, name, parent id; marcados: the ids checked (empty: no
// check boxes). Returns the milliseconds of the query and the fill.
inline double llenarArbolQt(sqlite3* db, const QByteArray& sql, const QSet<qint32>& marcados = {},
                            bool conCasillas = false) {
  QTreeWidget vista;
  const QPalette paleta = vista.palette();
  const QBrush fondo = paleta.brush(QPalette::Base), texto = paleta.brush(QPalette::Text);
  return timeMs([&] {
    vista.setUpdatesEnabled(false);
    QHash<qint32, QTreeWidgetItem*> items;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
      const qint32 id = sqlite3_column_int(st, 0);
      const QString nombre = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
      QTreeWidgetItem* padre = items.value(sqlite3_column_int(st, 2));
      auto* item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(&vista);
      item->setText(0, nombre.trimmed());
      item->setData(0, Qt::UserRole, QStringLiteral("K=") + QString::number(id));
      item->setBackground(0, fondo);
      item->setForeground(0, texto);
      if (conCasillas) item->setCheckState(0, marcados.contains(id) ? Qt::Checked : Qt::Unchecked);
      items.insert(id, item);
    }
    sqlite3_finalize(st);
    vista.setUpdatesEnabled(true);
  });
}

}  // namespace bench
