// The import of the service's classification, every category checked, into a
// 50,000-node article tree: the save of the import window. The baseline is
// bare SQLite running the same reads and inserts, one transaction.

#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QVariantList>

#include "bench_arbol.h"
#include "bench_util.h"
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

// Statements prepared once and run with bound values, as a program written
// straight against SQLite would.
class Sentencias {
 public:
  explicit Sentencias(sqlite3* db) : db_(db) {}
  ~Sentencias() {
    for (sqlite3_stmt* st : cache_) sqlite3_finalize(st);
  }
  QString valor(const char* sql, const QVariantList& valores = {}) {
    sqlite3_stmt*& st = cache_[sql];
    if (!st) sqlite3_prepare_v2(db_, sql, -1, &st, nullptr);
    for (int i = 0; i < valores.size(); ++i) {
      if (valores[i].typeId() == QMetaType::Int) {
        sqlite3_bind_int(st, i + 1, valores[i].toInt());
      } else {
        const QByteArray t = valores[i].toString().toUtf8();
        sqlite3_bind_text(st, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
      }
    }
    QString v;
    if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
      v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_reset(st);
    return v;
  }

 private:
  sqlite3* db_;
  QHash<QByteArray, sqlite3_stmt*> cache_;
};

// The statements of the save, written for SQLite (a prefix search as a key
// range, which its LIKE cannot use an index for), in one transaction; the
// keys are allocated the same way.
double bare(sqlite3* db, const Servicio& s) {
  using arboles::ClaveArbol;
  return bench::timeMs([&] {
    Sentencias sql(db);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    const QString rama = ClaveArbol::NumeroASegmento(
        ClaveArbol::SegmentoANumero(sql.valor("SELECT MAX(substr(Clave,1,2)) FROM Arboles WHERE Tipo=3")) +
        1);
    sql.valor(
        "INSERT INTO Arboles (Tipo, Clave, Nombre, CriterioHijos, UsoAux, Opciones) VALUES "
        "(3, ?1, 'Cotalia', 'Para el servicio \"Cotalia\"', '111111', 1)",
        {ClaveArbol::Rellenar(rama)});
    QString actual;
    auto insertar = [&](int nivel, const QString& nombre, int codigo) {
      const QString prefijo = nivel == 0 ? rama : actual.left(2 * nivel + 2);
      const QString mayor = sql.valor(
          "SELECT MAX(substr(Clave,?1,2)) FROM Arboles WHERE Tipo=3 AND Clave >= ?2 AND Clave < ?2 || "
          "char(1114111)",
          {2 * nivel + 3, prefijo});
      actual =
          ClaveArbol::Rellenar(prefijo + ClaveArbol::NumeroASegmento(ClaveArbol::SegmentoANumero(mayor) + 1));
      const int padre = sql.valor(
                               "SELECT ZolmarID FROM Arboles WHERE Tipo=3 AND Clave >= ?1 AND Clave < ?1 || "
                               "char(1114111)",
                               {actual.left(2 * nivel + 2) + QStringLiteral("00")})
                            .toInt();
      const QString ruta = (sql.valor("SELECT RutaPadre || Nombre FROM Arboles WHERE ZolmarID=?1", {padre}) +
                            QStringLiteral(":"))
                               .left(150);
      sql.valor(
          "INSERT INTO Arboles (Tipo, Clave, Nombre, CriterioHijos, ID_Padre, UsoAux, RutaPadre, Opciones, "
          "CodigoExterno, NivelExterno) VALUES (3, ?1, ?2, '', ?3, '111111', ?4, 1, ?5, ?6)",
          {actual, nombre, padre, ruta, codigo, nivel});
    };
    for (int a = 1; a <= s.sectores; ++a) {
      insertar(0, QStringLiteral("Sector %1").arg(a), a * 100000);
      for (int b = 1; b <= s.familias; ++b) {
        insertar(1, QStringLiteral("Familia %1-%2").arg(a).arg(b), a * 100000 + b * 100);
        for (int c = 1; c <= s.subfamilias; ++c)
          insertar(2, QStringLiteral("Subfamilia %1-%2-%3").arg(a).arg(b).arg(c), a * 100000 + b * 100 + c);
      }
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  });
}

void cotaliaImport(bool quick) {
  const QList<Servicio> tamanos =
      quick ? QList<Servicio>{{4, 10, 24}} : QList<Servicio>{{4, 10, 24}, {8, 24, 25}};
  bench::Arbol arbol(quick ? 10 : 40, quick ? 9 : 36, quick ? 10 : 34);
  auto cn = arbol.host->connection();
  auto app = arbol.host->appGlobal();
  for (const Servicio& s : tamanos) {
    const QString ruta = escribir(arbol.dir.filePath(QStringLiteral("servicio.csv")), s);
    arbol.host->app()->data().setConfiguration(QString::fromLatin1(zolmar::cCotalia::kConfigKey), ruta);
    const double base = bare(cn->handle(), s);

    zolmar::cCotalia cotalia;
    cotalia.Configure(app);
    arboles::RecordsetPtr filas;
    qint32 codigo = 0;
    QString descripcion;
    cotalia.ImportarCategorias(filas, codigo, descripcion);
    zolmar::FrmBasico editor;
    editor.SetAppGlobal(app, QStringLiteral("FrmArboles"));
    arboles::FrmImportarCategorias frm;
    const double abrir = bench::timeMs([&] { frm.Run(editor, filas); });
    for (int a = 0; a < s.sectores; ++a) {
      zolmar::TreeNode sector(frm.TreeArbol, frm.TreeArbol->topLevelItem(a));
      frm.TreeArbol->ClickCheckBox(sector.Key());
    }
    bool ok = false;
    const double guardar = bench::timeMs([&] { ok = frm.GuardarCategorias(); });
    bench::report(QStringLiteral("cotalia_import_open"), s.filas(), abrir, 0, 0);
    if (!ok)
      bench::fail(QStringLiteral("cotalia_import"), s.filas(), QStringLiteral("the save failed"));
    else
      bench::report(QStringLiteral("cotalia_import"), s.filas(), guardar, base, base);
    cn->ExecuteSQL(QStringLiteral("DELETE FROM Arboles WHERE (Opciones & 1)>0"), 1, QVariant());
  }
}

REGISTER_BENCH("cotalia", cotaliaImport);

}  // namespace
