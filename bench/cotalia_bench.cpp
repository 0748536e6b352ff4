// The import of the service's classification, every category checked, into a
// 50,000-node article tree: the opening of the import window, against bare
// SQLite and a bare QTreeWidget of the same check-box items, and its save,
// against bare SQLite running the same reads and inserts in one transaction.

#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QVariantList>
#include <vector>

#include "bench_arbol.h"
#include "bench_sqlite.h"
#include "bench_util.h"
#include "host/i_recordset.h"
#include "import/frm_importar_categorias.h"
#include "tree/clave_arbol.h"
#include "zolmar/cotalia/cotalia.h"
#include "zolmar/services/app_global.h"
#include "zolmar/ui/tree_view.h"

namespace {

// sectors x families x subfamilies rows, numbered in file order.
struct Servicio {
  int sectores, familias, subfamilias;
  int filas() const { return sectores * (1 + familias * (1 + subfamilias)); }
};

QString escribir(const QString& ruta, const Servicio& s) {
  QStringList lineas{QStringLiteral("ID;ID_Padre;Nombre;CriterioHijos;ID_IT;Nivel")};
  int id = 0;
  for (int a = 1; a <= s.sectores; ++a) {
    const int ida = ++id;
    lineas << QStringLiteral("%1;0;Sector %2;Familias;%3;0").arg(ida).arg(a).arg(a * 100000);
    for (int b = 1; b <= s.familias; ++b) {
      const int idb = ++id;
      lineas << QStringLiteral("%1;%2;Familia %3-%4;;%5;1")
                    .arg(idb)
                    .arg(ida)
                    .arg(a)
                    .arg(b)
                    .arg(a * 100000 + b * 100);
      for (int c = 1; c <= s.subfamilias; ++c)
        lineas << QStringLiteral("%1;%2;Subfamilia %3-%4-%5;;%6;2")
                      .arg(++id)
                      .arg(idb)
                      .arg(a)
                      .arg(b)
                      .arg(c)
                      .arg(a * 100000 + b * 100 + c);
    }
  }
  QFile f(ruta);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write(lineas.join(QStringLiteral("\n")).toUtf8());
  return ruta;
}

// The statements of the save as the host translates them, each prepared
// once, in one transaction that commits; the keys are allocated the same way.
double bare(zolmar::Connection& cn, const Servicio& s) {
  using arboles::ClaveArbol;
  sqlite3* db = cn.handle();
  return bench::timeMs([&] {
    bench::Sentencia primera(cn, "SELECT MAX(LEFT(Clave,2)) FROM Arboles WHERE Tipo=3");
    bench::Sentencia rama(
        cn,
        "INSERT INTO Arboles (Tipo, Clave, Nombre, CriterioHijos, UsoAux, Opciones) VALUES (3, "
        "'0100000000000000', 'Cotalia', 'Para el servicio \"Cotalia\"', '111111', 1)");
    bench::Sentencia mayor(cn,
                           "SELECT MAX(SUBSTRING(Clave,3,2)) FROM Arboles WHERE Tipo=3 AND Clave LIKE '01%'");
    bench::Sentencia padre(cn, "SELECT ZolmarID FROM Arboles WHERE Tipo=3 AND Clave LIKE '0100%'");
    bench::Sentencia ruta(cn, "SELECT RutaPadre + Nombre FROM arboles WHERE ZolmarID=1");
    bench::Sentencia insertar(
        cn,
        "INSERT INTO Arboles (Tipo, Clave, Nombre, CriterioHijos, ID_Padre, UsoAux, RutaPadre, "
        "Opciones, CodigoExterno, NivelExterno) VALUES (3, '0101000000000000', 'x', 'x', 1, "
        "'111111', 'x', 1, 1, 1)");
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    const QString segmento =
        ClaveArbol::NumeroASegmento(ClaveArbol::SegmentoANumero(primera.texto({2, 3})) + 1);
    rama.texto({3, ClaveArbol::Rellenar(segmento), QStringLiteral("Cotalia"),
                QStringLiteral("Para el servicio \"Cotalia\""), QStringLiteral("111111"), 1});
    QString actual;
    auto crear = [&](int nivel, const QString& nombre, const QString& criterio, int codigo) {
      const QString prefijo = nivel == 0 ? segmento : actual.left(2 * nivel + 2);
      const QString mas = mayor.texto({2 * nivel + 3, 2, 3, prefijo + '%'});
      actual =
          ClaveArbol::Rellenar(prefijo + ClaveArbol::NumeroASegmento(ClaveArbol::SegmentoANumero(mas) + 1));
      const int idPadre = padre.texto({3, actual.left(2 * nivel + 2) + QStringLiteral("00%")}).toInt();
      const QString camino = (ruta.texto({idPadre}) + QStringLiteral(":")).left(150);
      insertar.texto(
          {3, actual, nombre, criterio, idPadre, QStringLiteral("111111"), camino, 1, codigo, nivel});
    };
    for (int a = 1; a <= s.sectores; ++a) {
      crear(0, QStringLiteral("Sector %1").arg(a), QStringLiteral("Familias"), a * 100000);
      for (int b = 1; b <= s.familias; ++b) {
        crear(1, QStringLiteral("Familia %1-%2").arg(a).arg(b), QString(), a * 100000 + b * 100);
        for (int c = 1; c <= s.subfamilias; ++c)
          crear(2, QStringLiteral("Subfamilia %1-%2-%3").arg(a).arg(b).arg(c), QString(),
                a * 100000 + b * 100 + c);
      }
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  });
}

// The open with bare SQLite and bare Qt: the reserved branch looked up (not
// there yet, so no rows imported before to read), then the service's rows as
// check-box items of a QTreeWidget, each under its parent through a hash, all
// collapsed, in a window then shown.
double abrirDesnudo(sqlite3* db, arboles::IRecordset& filas) {
  // The window around it, as the grid's: the tree, two buttons, a status bar.
  QWidget ventana;
  auto* todo = new QVBoxLayout(&ventana);
  auto* vista = new QTreeWidget();
  todo->addWidget(vista, 1);
  todo->addWidget(new QPushButton(QStringLiteral("Aceptar")));
  todo->addWidget(new QPushButton(QStringLiteral("Cancelar")));
  todo->addWidget(new QStatusBar());
  return bench::timeMs([&] {
    bench::readAll(
        db, "SELECT ZolmarID FROM Arboles WHERE Nombre='Cotalia' AND (Opciones & 1)>0 AND Tipo=3 LIMIT 1");
    vista->setUpdatesEnabled(false);
    QHash<qint32, QTreeWidgetItem*> items;
    for (filas.SetPosition(0); filas.Read();) {
      QString texto = filas.Field(QStringLiteral("Nombre")).toString();
      const QString criterio = filas.Field(QStringLiteral("CriterioHijos")).toString();
      if (!criterio.isEmpty()) texto += QStringLiteral(" - (") + criterio + QStringLiteral(")");
      const qint32 id = filas.Field(QStringLiteral("ID")).toInt();
      QTreeWidgetItem* padre = items.value(filas.Field(QStringLiteral("ID_Padre")).toInt());
      auto* item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(vista);
      item->setText(0, texto);
      item->setData(0, Qt::UserRole, QStringLiteral("K=") + QString::number(id));
      item->setCheckState(0, Qt::Unchecked);
      items.insert(id, item);
    }
    vista->collapseAll();
    vista->setUpdatesEnabled(true);
    ventana.show();
  });
}

void cotaliaImport(bool quick) {
  const QList<Servicio> tamanos =
      quick ? QList<Servicio>{{4, 10, 24}} : QList<Servicio>{{4, 10, 24}, {8, 24, 25}};
  bench::Arbol arbol(quick ? 10 : 40, quick ? 9 : 36, quick ? 10 : 34);
  auto cn = arbol.host->connection();
  auto app = arbol.host->appGlobal();
  const QString borrar = QStringLiteral("DELETE FROM Arboles WHERE (Opciones & 1)>0");
  for (const Servicio& s : tamanos) {
    const QString ruta = escribir(arbol.dir.filePath(QStringLiteral("servicio.csv")), s);
    arbol.host->app()->data().setConfiguration(QString::fromLatin1(zolmar::cCotalia::kConfigKey), ruta);
    zolmar::cCotalia cotalia;
    cotalia.Configure(app);
    // The service's rows as the window receives them, read afresh for each
    // window: the save filters them.
    const auto leer = [&] {
      arboles::RecordsetPtr filas;
      qint32 codigo = 0;
      QString descripcion;
      cotalia.ImportarCategorias(filas, codigo, descripcion);
      return filas;
    };
    zolmar::FrmBasico editor;
    editor.SetAppGlobal(app, QStringLiteral("FrmArboles"));
    // The best of five opens on each side.
    const arboles::RecordsetPtr filas = leer();
    const auto abrir = bench::mejores(5, {[&] {
                                            arboles::FrmImportarCategorias frm;
                                            return bench::timeMs([&] { frm.Run(editor, filas); });
                                          },
                                          [&] { return abrirDesnudo(cn->handle(), *filas); }});
    bench::report(QStringLiteral("cotalia_import_open"), s.filas(), abrir[0], abrir[1], abrir[1]);
    // The best of three saves on each side, every category checked, each
    // into the tree without the reserved branch.
    bool ok = true;
    const auto guardar =
        bench::mejores(3, {[&] {
                             cn->ExecuteSQL(borrar, 1, QVariant());
                             arboles::FrmImportarCategorias frm;
                             frm.Run(editor, leer());
                             for (int a = 0; a < s.sectores; ++a)
                               frm.TreeArbol->ClickCheckBox(
                                   zolmar::TreeNode(frm.TreeArbol, frm.TreeArbol->topLevelItem(a)).Key());
                             return bench::timeMs([&] { ok = frm.GuardarCategorias() && ok; });
                           },
                           [&] {
                             cn->ExecuteSQL(borrar, 1, QVariant());
                             return bare(*cn, s);
                           }});
    if (!ok)
      bench::fail(QStringLiteral("cotalia_import"), s.filas(), QStringLiteral("the save failed"));
    else
      bench::report(QStringLiteral("cotalia_import"), s.filas(), guardar[0], guardar[1], guardar[1]);
    cn->ExecuteSQL(borrar, 1, QVariant());
  }
}

REGISTER_BENCH("cotalia", cotaliaImport);

}  // namespace
