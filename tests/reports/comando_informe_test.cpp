// arboles report, run as an administrator runs it.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "categories/taz_categorias.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "reports/frm_rpt_arboles.h"
#include "reports/frm_rpt_categorias.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/host.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

namespace {

struct Resultado {
  int salida = -1;
  QString out, err;
};

Resultado Arboles(const QStringList& args) {
  const QString programa = QCoreApplication::applicationDirPath() + "/../app/arboles";
  QProcess p;
  p.start(programa, args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class ComandoInforme : public ::testing::Test {
 protected:
  void SetUp() override {
    db = dir.filePath("empresa.db");
    // The small company the counts below are written for, not the full demo catalogue.
    zolmar::Host::open(db)->sampleData();
  }
  Resultado Informe(const QStringList& args) { return Arboles(QStringList{"--db", db, "report"} + args); }
  QString F(const QString& nombre) { return dir.filePath(nombre); }

  QTemporaryDir dir;
  QString db;
};

}  // namespace

TEST_F(ComandoInforme, EscribeElFicheroYCuentaLasFilas) {
  struct Caso {
    QStringList args;
    QString salida;
  };
  const QList<Caso> casos = {
      {{"3", "--tree", "--pdf", F("arbol.pdf")}, "26 filas escritas en " + F("arbol.pdf")},
      {{"3", "--csv", F("vinos.csv"), "--name", "Vin"}, "1 fila escrita en " + F("vinos.csv")},
      {{"3", "--xlsx", F("hojas.xlsx"), "--leaves"}, "20 filas escritas en " + F("hojas.xlsx")},
      {{"3", "--csv", F("ids.csv"), "--ids", "28,30-32"}, "4 filas escritas en " + F("ids.csv")},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Resultado r = Informe(c.args);
    EXPECT_EQ(r.salida, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), c.salida);
  }
}

TEST_F(ComandoInforme, UsoIncorrectoOFicheroNoEscribibleSale2) {
  struct Caso {
    QStringList args;
    const char* mensaje;
  };
  const QList<Caso> casos = {
      {{}, "necesita un TIPO"},
      {{"4", "--pdf", "x.pdf"}, "1, 2 o 3"},
      {{"3"}, "Falta --pdf, --csv o --xlsx"},
      {{"3", "--pdf"}, "Falta el valor de --pdf"},
      {{"3", "--pdf", "a.pdf", "--csv", "b.csv"}, "un solo fichero"},
      {{"3", "--tree", "--name", "x", "--pdf", "a.pdf"}, "no admite"},
      {{"3", "--csv", "a.csv", "--ids", "1,,2"}, "no es válida"},
      {{"3", "--csv", "a.csv", "--color"}, "Argumento inesperado: --color"},
      {{"3", "--csv", "a.csv", "--ids", "2,5-1"}, "«5-1»: el rango empieza por el número mayor"},
      {{"3", "--pdf", "/no/existe/a.pdf"},
       "No se puede escribir /no/existe/a.pdf: no existe el fichero o la carpeta"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Resultado r = Informe(c.args);
    EXPECT_EQ(r.salida, 2);
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.mensaje))) << r.err.toStdString();
  }
}

// arboles report-categorias: the category report with its category filters. The
// small company gives its ten customers Tintos, Cervezas, Lácteos and Limpieza
// in turn (3, 3, 2, 2), its eight suppliers one category each.
TEST_F(ComandoInforme, InformeDeCategoriasConSusFiltros) {
  auto id = [this](const char* nombre) {
    auto host = zolmar::Host::open(db);
    return host->appGlobal()
        ->GetGlobales()
        ->GetConnection()
        ->ExecuteSQL(QStringLiteral("SELECT ZolmarID FROM Arboles WHERE Tipo=3 AND Nombre='%1'")
                         .arg(QString::fromUtf8(nombre)),
                     2, 0)
        .toString();
  };
  const QString bebidas = id("Bebidas"), tintos = id("Tintos"), lacteos = id("Lácteos");
  struct Caso {
    QStringList args;
    int salida;
    QString texto;
  };
  const QList<Caso> casos = {
      {{"1", "--csv", F("c.csv")}, 0, "10 filas escritas en " + F("c.csv")},
      {{"2", "--xlsx", F("p.xlsx")}, 0, "8 filas escritas en " + F("p.xlsx")},
      {{"1", "--csv", F("b.csv"), "--categoria", bebidas}, 0, "6 filas escritas en " + F("b.csv")},
      {{"1", "--csv", F("e.csv"), "--categoria", bebidas, "--exact"}, 0, "0 filas escritas en " + F("e.csv")},
      {{"1", "--pdf", F("a.pdf"), "--categoria", tintos, "--categoria", lacteos, "--any"},
       0,
       "5 filas escritas en " + F("a.pdf")},
      {{"1", "--csv", F("t.csv"), "--categoria", tintos, "--categoria", lacteos},
       0,
       "0 filas escritas en " + F("t.csv")},
      {{"3", "--csv", F("x.csv")}, 2, "1 (clientes) o 2 (proveedores)"},
      {{"1", "--csv", F("x.csv"), "--categoria", "-4"}, 2, "no válido: -4"},
      {{"1", "--csv", F("x.csv"), "--categoria", "99999"}, 2, "no es una categoría de artículos"},
      {{"1", "--categoria", tintos}, 2, "Falta --pdf, --csv o --xlsx"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Resultado r = Arboles(QStringList{"--db", db, "report-categorias"} + c.args);
    EXPECT_EQ(r.salida, c.salida) << r.err.toStdString();
    EXPECT_TRUE((c.salida == 0 ? r.out : r.err).contains(c.texto))
        << r.out.toStdString() << r.err.toStdString();
  }
}

// No command writes over a database: not the open one, nor its companion
// files, nor another database of its folder, nor any other SQLite file, under
// any spelling. Each is refused before it is touched and every database is
// left as it was.
TEST_F(ComandoInforme, NingunaSalidaEscribeSobreUnaBaseDeDatos) {
  const QString otra = F("otra/otra.db");
  ASSERT_TRUE(QDir().mkpath(F("otra")));
  zolmar::Host::open(otra);
  const QString captura = F("capturas/01_principal.png");
  ASSERT_TRUE(QDir().mkpath(F("capturas")));
  zolmar::Host::open(captura);
  ASSERT_TRUE(QFile::link(db, F("enlace.pdf")));
  const QStringList bases{db, F("ZolmarInstalacion.db"), otra, captura};
  auto volcados = [&] {
    QStringList v;
    for (const QString& base : bases) v << zolmar::DatabaseDump::of(*zolmar::Connection::open(base, nullptr));
    return v;
  };
  const QStringList antes = volcados();

  const QStringList destinos{
      db,   db + "-wal",   db + "-shm",     db + "-journal",          F("ZolmarInstalacion.db"),
      otra, otra + "-wal", F("enlace.pdf"), F("./otra/../empresa.db")};
  const QList<QStringList> ordenes{
      {"export", "3"},           {"report", "3", "--pdf"},           {"report", "3", "--csv"},
      {"report", "3", "--xlsx"}, {"report", "3", "--tree", "--pdf"}, {"report-categorias", "1", "--xlsx"}};
  for (const QStringList& orden : ordenes) {
    for (const QString& destino : destinos) {
      SCOPED_TRACE((orden.join(' ') + ' ' + destino).toStdString());
      const Resultado r = Arboles(QStringList{"--db", db} + orden + QStringList{destino});
      EXPECT_EQ(r.salida, 2);
      EXPECT_EQ(r.err, "arboles: El fichero " + destino + " es una base de datos: elija otro nombre\n");
      EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
  }
  for (qsizetype i = 0; i < bases.size(); ++i)
    EXPECT_TRUE(volcados().at(i) == antes.at(i)) << bases.at(i).toStdString();
  // The desktop program's screenshots (which keep its windows' settings in
  // the company): a database under a picture's name stays as it was.
  QProcess zolmar;
  zolmar.start(QCoreApplication::applicationDirPath() + "/../app/zolmar",
               {"--db", db, "--screenshot", F("capturas")});
  ASSERT_TRUE(zolmar.waitForFinished(120000));
  EXPECT_TRUE(QString::fromUtf8(zolmar.readAllStandardError())
                  .contains("El fichero " + captura + " es una base de datos: elija otro nombre"));
  EXPECT_TRUE(volcados().constLast() == antes.constLast());
  EXPECT_FALSE(QFileInfo::exists(db + "-journal"));
}

// What a person left in the report windows (a customer in the category
// report, a default name in the tree report, each with a preset) never
// filters the command line: it starts from the defaults, or from the
// configuration --config names.
TEST_F(ComandoInforme, EmpiezaPorLosValoresPorDefectoOPorLaConfiguracionNombrada) {
  {
    auto host = zolmar::Host::open(db);
    host->useScriptedUserInterface();
    auto app = host->appGlobal();
    const QVariant cliente = app->GetGlobales()->GetConnection()->ExecuteSQL(
        "SELECT TOP 1 ID_Quien FROM Categorias WHERE Tipo=1 ORDER BY ID_Quien", 2, 0);
    arboles::cTAZ_Categorias categorias;
    ASSERT_TRUE(categorias.I_TAZ_Configure(app->GetGlobales(), app));
    auto* cat = new arboles::FrmRptCategorias();
    cat->setAttribute(Qt::WA_DeleteOnClose);
    cat->Run(categorias, 1, false);
    cat->oRptForm_SetCfg("FILTRO QUIEN", cliente);
    cat->getPreSets->setText("Un cliente");
    cat->btnPreSets[0]->Click();
    cat->Unload();

    auto taz = std::make_shared<arboles::cTAZ_Arboles>();
    ASSERT_TRUE(taz->I_TAZ_Configure(app->GetGlobales(), app));
    auto* arbol = new arboles::FrmRptArboles();
    arbol->setAttribute(Qt::WA_DeleteOnClose);
    arbol->Run(*taz, 3, 2, false, false);
    arbol->getNombre->setText("Vin");
    host->scriptedUserInterface().queueAnswer(true);
    arbol->btnDefaults->Click();
    arbol->getPreSets->setText("Vinos");
    arbol->btnPreSets[0]->Click();
    arbol->Unload();
  }
  struct Caso {
    QStringList args;
    int salida;
    QString texto;
  };
  const QList<Caso> casos = {
      {{"report-categorias", "1", "--csv", F("c.csv")}, 0, "10 filas escritas"},
      {{"report-categorias", "1", "--csv", F("c.csv"), "--config", "Un cliente"}, 0, "1 fila escrita"},
      {{"report", "3", "--csv", F("a.csv")}, 0, "26 filas escritas"},
      {{"report", "3", "--tree", "--csv", F("a.csv")}, 0, "26 filas escritas"},
      {{"report", "3", "--csv", F("a.csv"), "--config", "Vinos"}, 0, "1 fila escrita"},
      {{"report", "3", "--csv", F("a.csv"), "--config", "Otra"}, 2, "No existe la configuración Otra"},
      {{"report", "3", "--csv", F("a.csv"), "--config"}, 2, "Falta el valor de --config"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Resultado r = Arboles(QStringList{"--db", db} + c.args);
    EXPECT_EQ(r.salida, c.salida) << r.err.toStdString();
    EXPECT_TRUE((c.salida == 0 ? r.out : r.err).contains(c.texto))
        << r.out.toStdString() << r.err.toStdString();
  }
}
