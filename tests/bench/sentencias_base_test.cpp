// A benchmark's baseline is only a measure of the module's overhead when it
// sends SQLite the same statements: each line where the module rebuilds,
// moves or imports is run once by the module and once by its bare baseline on
// copies of one small company, and the statements SQLite runs are counted by
// kind. Transaction control, pragmas, the host's own settings and its reads
// of column types (once per connection) are left out: where the transactions
// fall is the commit behaviour, which the baselines follow by construction.

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <map>

#include "bench_host.h"
#include "host/i_app_global.h"
#include "import/imp_exp.h"
#include "import_directo.h"
#include "organizar_directo.h"
#include "picking/frm_mover_categorias.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/exchange/exchange_import.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

namespace {

using Cuenta = std::map<std::string, int>;

// SQLite's own trace: every statement as it starts, by its first word.
class Contador {
 public:
  explicit Contador(sqlite3* db) : db_(db) {
    sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &Contador::anotar, this);
  }
  ~Contador() { sqlite3_trace_v2(db_, 0, nullptr, nullptr); }
  const Cuenta& cuenta() const { return cuenta_; }

 private:
  static int anotar(unsigned, void* yo, void*, void* texto) {
    const QString sql = QString::fromUtf8(static_cast<const char*>(texto)).trimmed();
    const QString clase = sql.section(QLatin1Char(' '), 0, 0).toUpper();
    static const QStringList fuera{"BEGIN", "COMMIT", "END", "ROLLBACK", "SAVEPOINT", "RELEASE", "PRAGMA"};
    // A trigger's program starts with a comment: it is part of its statement.
    if (!sql.startsWith(QLatin1String("--")) && !fuera.contains(clase) &&
        !sql.contains(QLatin1String("ZolmarConfig"), Qt::CaseInsensitive) &&
        !sql.contains(QLatin1String("pragma_table_info"), Qt::CaseInsensitive))
      ++static_cast<Contador*>(yo)->cuenta_[clase.toStdString()];
    return 0;
  }

  sqlite3* db_;
  Cuenta cuenta_;
};

// A company of 3 x 3 x 3 article categories, two articles on each leaf, and
// a tree document of three branches (one already in the tree), written once.
class SentenciasBase : public ::testing::Test {
 protected:
  void SetUp() override {
    auto host = bench::abrirEmpresa(dir_.filePath(QStringLiteral("original.db")));
    auto cn = host->connection();
    qint32 id = 0;
    for (int r = 1; r <= 3; ++r) {
      const QString kr = arboles::ClaveArbol::NumeroASegmento(r);
      const qint32 raiz = insertar(*cn, ++id, 0, kr);
      for (int c = 1; c <= 3; ++c) {
        const QString kc = kr + arboles::ClaveArbol::NumeroASegmento(c);
        const qint32 rama = insertar(*cn, ++id, raiz, kc);
        for (int h = 1; h <= 3; ++h) {
          const qint32 hoja = insertar(*cn, ++id, rama, kc + arboles::ClaveArbol::NumeroASegmento(h));
          for (int a = 0; a < 2; ++a)
            cn->executeNative("INSERT INTO Articulos (Nombre, ID_Categoria1) VALUES ('Articulo', ?1)", 0, {},
                              {hoja});
        }
      }
    }
    cn->executeNative(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    QFile documento(dir_.filePath(QStringLiteral("arbol.json")));
    ASSERT_TRUE(documento.open(QIODevice::WriteOnly));
    documento.write(
        "{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [\n"
        "{\"zolmarID\": 1, \"ID_RamaOriginal\": 100, \"ID_RamaPadreOriginal\": 0, \"Nombre\": \"Nodo 1\"},\n"
        "{\"zolmarID\": 2, \"ID_RamaOriginal\": 101, \"ID_RamaPadreOriginal\": 100, \"Nombre\": \"Vinos\"},\n"
        "{\"zolmarID\": 3, \"ID_RamaOriginal\": 102, \"ID_RamaPadreOriginal\": 101, \"Nombre\": \"Tintos\"}\n"
        "]}\n");
  }

  static qint32 insertar(zolmar::Connection& cn, qint32 id, qint32 padre, const QString& clave) {
    cn.executeNative(
        "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre, RutaPadre, Activo) VALUES (?1, 3, ?2, "
        "?3, ?4, '', 0)",
        0, {}, {id, arboles::ClaveArbol::Rellenar(clave), QStringLiteral("Nodo %1").arg(id), padre});
    return id;
  }

  // A fresh copy of the company, opened as the benchmarks open it.
  std::unique_ptr<zolmar::Host> copia(const QString& nombre) {
    const QString fichero = dir_.filePath(nombre);
    EXPECT_TRUE(QFile::copy(dir_.filePath(QStringLiteral("original.db")), fichero));
    return bench::abrirEmpresa(fichero);
  }

  QString documento() const { return dir_.filePath(QStringLiteral("arbol.json")); }

  QTemporaryDir dir_;
};

// fn's statements on the host's database.
Cuenta contar(zolmar::Host& host, const std::function<void(sqlite3*)>& fn) {
  Contador contador(host.connection()->handle());
  fn(host.connection()->handle());
  return contador.cuenta();
}

// The organisation window on the company, both nodes chosen; the action
// button pressed with the questions answered, counted.
Cuenta organizar(zolmar::Host& host, qint32 origen, qint32 destino, qint32 accion) {
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(host.appGlobal()->GetGlobales(), host.appGlobal());
  arboles::FrmMoverCategorias frm;
  frm.Run(*taz, 3);
  frm.TreeArbol[0]->ClickNode(QStringLiteral("K=%1").arg(origen));
  frm.TreeArbol[1]->ClickNode(QStringLiteral("K=%1").arg(destino));
  host.scriptedUserInterface().queueAnswer(true);
  if (accion == 0) host.scriptedUserInterface().queueAnswer(false);  // the merge keeps its origin
  const Cuenta cuenta = contar(host, [&](sqlite3*) { frm.btnAccion[accion]->Click(); });
  EXPECT_TRUE(frm.AccionRealizada());
  frm.Unload();
  return cuenta;
}

Cuenta importarModulo(zolmar::Host& host, const QString& fichero) {
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(host.appGlobal()->GetGlobales(), host.appGlobal());
  auto handler = std::make_shared<arboles::cImp_Exp>();
  handler->Configure(taz);
  zolmar::ExchangeImport importacion(host.appGlobal(), handler);
  return contar(host, [&](sqlite3*) { EXPECT_EQ(importacion.importFile(fichero).result, 0); });
}

// The bare organisation: its trees filled first, as the window's are before
// the click, uncounted.
Cuenta organizarBase(zolmar::Host& host, qint32 origen, qint32 destino, bool unir) {
  bench::Vistas vistas;
  vistas.recargar(host.connection()->handle());
  return contar(host, [&](sqlite3*) {
    if (unir)
      bench::unir(*host.connection(), origen, destino, false, vistas);
    else
      bench::mover(*host.connection(), origen, destino, false, vistas);
  });
}

Cuenta conTaz(zolmar::Host& host, const std::function<void(arboles::cTAZ_Arboles&)>& fn) {
  arboles::cTAZ_Arboles taz;
  taz.I_TAZ_Configure(host.appGlobal()->GetGlobales(), host.appGlobal());
  return contar(host, [&](sqlite3*) { fn(taz); });
}

// What the work leaves: the tree's rows and where the articles hang.
QStringList estado(zolmar::Host& host) {
  QStringList filas;
  sqlite3* db = host.connection()->handle();
  for (const char* sql :
       {"SELECT ZolmarID, Clave, Nombre, id_padre, RutaPadre, Activo FROM Arboles ORDER BY 1",
        "SELECT ID_Categoria1, count(*) FROM Articulos GROUP BY 1 ORDER BY 1"}) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
      QStringList fila;
      for (int c = 0; c < sqlite3_column_count(st); ++c)
        fila << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
      filas << fila.join(QLatin1Char('|'));
    }
    sqlite3_finalize(st);
  }
  return filas;
}

// Ids: root 1 holds 2, 6 and 10, each over three leaves; root 27's last
// branch 36 holds leaves 37 to 39.
TEST_F(SentenciasBase, CadaBaseEnviaLasMismasSentenciasQueSuModuloYDejaLoMismo) {
  using Lado = std::function<Cuenta(zolmar::Host&)>;
  const struct {
    const char* linea;
    Lado modulo, base;
  } casos[] = {
      {"merge_categories", [](zolmar::Host& h) { return organizar(h, 39, 38, 0); },
       [](zolmar::Host& h) { return organizarBase(h, 39, 38, true); }},
      {"move_branch", [](zolmar::Host& h) { return organizar(h, 6, 36, 1); },
       [](zolmar::Host& h) { return organizarBase(h, 6, 36, false); }},
      {"import_document", [this](zolmar::Host& h) { return importarModulo(h, documento()); },
       [this](zolmar::Host& h) {
         return contar(h, [&](sqlite3*) { bench::importar(*h.connection(), documento()); });
       }},
      {"tree_OrdenarClavesNombre",
       [](zolmar::Host& h) { return conTaz(h, [](arboles::cTAZ_Arboles& t) { t.OrdenarClavesNombre(3); }); },
       [](zolmar::Host& h) {
         return contar(h, [](sqlite3* db) {
           bench::bajoBloqueo(db, false, [&] { bench::renumerarArbol(db, "id_padre, Nombre", false); });
         });
       }},
      {"tree_UpdateRutaPadre",
       [](zolmar::Host& h) { return conTaz(h, [](arboles::cTAZ_Arboles& t) { t.UpdateRutaPadre(3); }); },
       [](zolmar::Host& h) {
         return contar(h, [](sqlite3* db) {
           bench::bajoBloqueo(db, false, [&] { bench::reconstruirRutas(db, false); });
         });
       }},
  };
  int n = 0;
  for (const auto& c : casos) {
    SCOPED_TRACE(c.linea);
    auto modulo = copia(QStringLiteral("modulo%1.db").arg(n));
    auto base = copia(QStringLiteral("base%1.db").arg(n++));
    EXPECT_EQ(c.modulo(*modulo), c.base(*base));
    EXPECT_EQ(estado(*modulo), estado(*base));
  }
}

}  // namespace
