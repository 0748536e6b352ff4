#include <QFile>

#include "informes_fixture.h"
#include "zolmar/report/frm_modelo_informe.h"
#include "zolmar/report/frm_sql_experto.h"
#include "zolmar/report/report_panel.h"
#include "zolmar/report/report_query.h"
#include "zolmar/report/rpt_generar.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/grid.h"

using arboles::FrmRptArboles;
using zolmar::ReportOutputKind;

namespace {

const QString kCampos = QStringLiteral(
    "Arboles.ZolmarID AS F_ZOLMARID, Arboles.Nombre AS F_NOMBRE, Arboles.ID_Padre AS F_ID_PADRE, "
    "Arboles.Clave AS F_CLAVE");
const QString kHojas =
    QStringLiteral(" AND (Arboles.ZolmarID NOT IN (SELECT ID_Padre FROM Arboles WHERE activo=0))");

QString Informe(const QStringList& enviadas) {
  for (const QString& s : enviadas)
    if (s.startsWith(QStringLiteral("SELECT ")) && s.contains(QStringLiteral(" FROM Arboles WHERE tipo=")))
      return s;
  return QString();
}

}  // namespace

// The statement of each process, as the person's choices shape it.
TEST_F(InformesFixture, GenerarDatosConstruyeLaSentencia) {
  struct Caso {
    const char* nombre;
    qint32 proceso;
    QString fichas, texto;
    bool hojas, conSalida, limite;
    QString esperada;
    qint32 filas;
  };
  const QString nombreA1 = QStringLiteral(" AND Arboles.Nombre LIKE 'A1%'");
  const QList<Caso> casos = {
      {"listado sin filtros", 2, "", "", false, true, false,
       "SELECT  " + kCampos + " FROM Arboles WHERE tipo=3", 6},
      {"sin objeto de ejecución lee 250", 2, "", "", false, false, false,
       "SELECT  TOP 250 " + kCampos + " FROM Arboles WHERE tipo=3", 6},
      {"límite de registros", 2, "", "", false, true, true,
       "SELECT  TOP 40 " + kCampos + " FROM Arboles WHERE tipo=3", 6},
      {"nombre y rango de fichas", 2, "2-3", "A1", false, true, false,
       "SELECT  " + kCampos + " FROM Arboles WHERE tipo=3 AND (Arboles.ZolmarID BETWEEN 2 AND 3)" + nombreA1,
       2},
      {"sólo hojas", 2, "", "", true, true, false,
       "SELECT  " + kCampos + " FROM Arboles WHERE tipo=3" + kHojas, 3},
      {"árbol: orden por clave y sin filtros", 3, "2-3", "A1", false, true, false,
       "SELECT  " + kCampos + " FROM Arboles WHERE tipo=3ORDER BY ARBOLES.CLAVE ASC", 6},
      {"búsqueda: 500 como mucho", 1, "", "A", false, true, false,
       "SELECT TOP 500 Arboles.ZolmarID AS SearchedID, Arboles.ZolmarID AS F_ZOLMARID, Arboles.Nombre AS "
       "F_NOMBRE, "
       "Arboles.NomAux1 AS F_NOMAUX1, Arboles.NomAux2 AS F_NOMAUX2, Arboles.NomAux3 AS F_NOMAUX3, "
       "Arboles.NomAux4 AS F_NOMAUX4, Arboles.NomAux5 AS F_NOMAUX5, Arboles.NomAux6 AS F_NOMAUX6 FROM "
       "Arboles "
       "WHERE tipo=3 AND Arboles.Nombre LIKE 'A%'",
       4},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    auto* frm = Abrir(2);
    frm->getZolmarID->setText(c.fichas);
    frm->getNombre->setText(c.texto);
    frm->chkLeafNodes->setChecked(c.hojas);
    if (c.proceso != 2) frm->oRptForm->SetProceso(c.proceso);
    frm->oRptForm->SetLimite(c.limite, 40);
    auto& enviadas = Grabar();
    if (c.conSalida) {
      EXPECT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("x.csv")}));
    } else {
      zolmar::ReportFramework* resultado = nullptr;
      frm->oRptForm_GenerarDatos(resultado);
      EXPECT_EQ(resultado, frm->oRptForm);
    }
    EXPECT_EQ(Informe(enviadas), c.esperada);
    const qint32 filas = c.proceso == 1 ? frm->oRptForm->FilasBusqueda() : frm->oRptForm->Filas();
    EXPECT_EQ(filas, c.filas);
    frm->Unload();
  }
}

TEST_F(InformesFixture, ElArbolVaciaYBloqueaLosFiltros) {
  struct Caso {
    const char* proceso;
    bool soloHojas;
    bool filtrosActivos, hojasMarcadas, hojasActivas;
  };
  const QList<Caso> casos = {{"Arbol de grupos", false, false, false, false},
                             {"Arbol de grupos", true, false, false, false},
                             {"Listados", true, true, true, false},
                             {"Buscar una ficha", false, true, true, true}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.proceso);
    auto* frm = Abrir(2, c.soloHojas);
    frm->getNombre->setText("A");
    frm->getZolmarID->setText("1-9");
    frm->chkLeafNodes->setChecked(true);
    frm->getTipoProceso->setText(QString::fromUtf8(c.proceso));
    EXPECT_EQ(frm->getNombre->ShownEnabled(), c.filtrosActivos);
    EXPECT_EQ(frm->getZolmarID->ShownEnabled(), c.filtrosActivos);
    EXPECT_EQ(frm->getNombre->Text().isEmpty(), !c.filtrosActivos);
    EXPECT_EQ(frm->chkLeafNodes->Value() == 1, c.hojasMarcadas);
    EXPECT_EQ(frm->chkLeafNodes->isEnabled(), c.hojasActivas);
    frm->Unload();
  }
}

TEST_F(InformesFixture, RunGetFilterDevuelveLaSubconsulta) {
  struct Caso {
    const char* nombre;
    QString fichas, texto;
    bool devolver;
    QString esperada;
  };
  const QList<Caso> casos = {
      {"sin filtros", "", "", true, "SELECT Arboles.ZolmarID FROM Arboles WHERE tipo=3"},
      {"nombre y rango", "1,4-6", "O'B", true,
       "SELECT Arboles.ZolmarID FROM Arboles WHERE tipo=3 AND (Arboles.ZolmarID IN (1) OR Arboles.ZolmarID "
       "BETWEEN 4 AND 6) AND Arboles.Nombre LIKE 'O''B%'"},
      {"cerrada sin devolver", "", "A", false, ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui().whenWaitingFor("FrmRptArboles", [&](QWidget* w) {
      auto* frm = static_cast<FrmRptArboles*>(w);
      EXPECT_TRUE(frm->btnReturnFilter->isVisible());
      frm->getZolmarID->setText(c.fichas);
      frm->getNombre->setText(c.texto);
      // Output in filter mode prints nothing until a marker asks for it.
      EXPECT_FALSE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("f.csv")}));
      EXPECT_FALSE(QFile::exists(Fichero("f.csv")));
      if (c.devolver)
        frm->btnReturnFilter->Click();
      else
        frm->Unload();
    });
    FrmRptArboles frm;
    EXPECT_EQ(frm.RunGetFilter(*taz, 3, false), c.esperada);
  }
}

TEST_F(InformesFixture, BuscarFichaDevuelveLaFilaElegida) {
  ui().whenWaitingFor("FrmRptArboles", [&](QWidget* w) {
    auto* frm = static_cast<FrmRptArboles*>(w);
    EXPECT_EQ(frm->oRptForm->Proceso(), 1);
    frm->getNombre->setText("A2");
    frm->rptGenerar->Option(0)->Click();
    ASSERT_EQ(frm->oRptForm->FilasBusqueda(), 1);
    EXPECT_EQ(frm->oRptForm->Panel()->grdBusqueda->TextMatrix(0, 1), "A2");
    frm->oRptForm->ElegirFila(0);
  });
  QWidget llamador;
  EXPECT_EQ(taz->BuscarFicha(&llamador, 3, false), idA2);
}

TEST_F(InformesFixture, LaConfiguracionGuardadaVuelve) {
  auto* frm = Abrir(2);
  frm->getNombre->setText("Vin");
  frm->chkLeafNodes->setChecked(true);
  frm->oRptForm->SetLimite(true, 75);
  frm->Unload();

  auto* otra = Abrir(2);
  EXPECT_EQ(otra->getNombre->Text(), "Vin");
  EXPECT_EQ(otra->chkLeafNodes->Value(), 1);
  EXPECT_TRUE(otra->oRptForm->LimiteActivo());
  EXPECT_EQ(otra->oRptForm->Limite(), 75);
  // An empty name is not stored: the entry comes back empty.
  otra->getNombre->setText("");
  otra->chkLeafNodes->setChecked(false);
  otra->Unload();
  auto* tercera = Abrir(2);
  EXPECT_EQ(tercera->getNombre->Text(), "");
  EXPECT_EQ(tercera->chkLeafNodes->Value(), 0);
  tercera->Unload();
  // Another tree keeps its own configuration.
  auto* clientes = Abrir(2, false, 1);
  EXPECT_EQ(clientes->oRptForm->Key(), "FRMRPTARBOLESCLIENTES");
  EXPECT_FALSE(clientes->oRptForm->LimiteActivo());
  clientes->Unload();
}

TEST_F(InformesFixture, SaveCfgEntregaLasEntradasEnMayusculas) {
  auto* frm = Abrir(2);
  frm->getNombre->setText("x");
  const auto cfg = frm->oRptForm->CurrentConfig();
  ASSERT_EQ(cfg.entries.size(), 2);
  EXPECT_EQ(cfg.entries[0].first, "FILTRO NOMBRE");
  EXPECT_EQ(cfg.entries[1].first, QString::fromUtf8("FILTRO SÓLO ELEMENTOS SIN DEPENDENCIAS"));
  frm->Unload();
}

TEST_F(InformesFixture, PreSetsYModelosPorNombre) {
  auto* frm = Abrir(2);
  frm->getNombre->setText("B");
  frm->getPreSets->setText("Solo B");
  frm->btnPreSets[0]->Click();
  frm->getNombre->setText("");
  frm->getPreSets->setText("");
  frm->getPreSets->setText("Solo B");
  EXPECT_EQ(frm->getNombre->Text(), "B");
  EXPECT_EQ(frm->oRptForm->PreSets(), QStringList{"Solo B"});

  // A model that lists names only.
  ui().whenWaitingFor("FrmModeloInforme", [](QWidget* w) {
    auto* m = static_cast<zolmar::FrmModeloInforme*>(w);
    m->Marcar("Ficha", false);
    m->Marcar("Padre", false);
    m->Marcar("Orden", false);
    m->Marcar("Campo auxiliar 1º", true);
    m->btnAceptar->Click();
  });
  frm->btnModelo[0]->Click();
  frm->getModelo->setText("Nombres");
  frm->btnModelo[1]->Click();
  QString campos, orden;
  ASSERT_TRUE(frm->oRptForm->GetFields(campos, orden));
  EXPECT_EQ(campos, "Arboles.Nombre AS F_NOMBRE, Arboles.NomAux1 AS F_NOMAUX1");
  frm->Unload();

  auto* otra = Abrir(2);
  otra->getModelo->setText("Nombres");
  ASSERT_TRUE(otra->oRptForm->GetFields(campos, orden));
  EXPECT_EQ(campos, "Arboles.Nombre AS F_NOMBRE, Arboles.NomAux1 AS F_NOMAUX1");
  otra->Unload();
}

TEST_F(InformesFixture, ElSqlExpertoEnseñaYEjecutaLaSentencia) {
  cn->ExecuteSQL(
      "INSERT INTO ZolmarPermisos (Usuario, Ventana, Permitido) VALUES ('demo', 'INFORMES_SQL_EXPERTO', 1)");
  auto* frm = Abrir(2);
  frm->getNombre->setText("A");
  QString vista;
  ui().whenWaitingFor("FrmSqlExperto", [&](QWidget* w) {
    auto* e = static_cast<zolmar::FrmSqlExperto*>(w);
    vista = e->Sql();
    e->setSql("SELECT Arboles.Nombre AS F_NOMBRE FROM Arboles WHERE tipo=3 AND Nombre LIKE 'B%'");
    e->btnEjecutar->Click();
  });
  frm->btnSQLExpert->Click();
  EXPECT_EQ(vista, "SELECT  " + kCampos + " FROM Arboles WHERE tipo=3 AND Arboles.Nombre LIKE 'A%'");
  EXPECT_EQ(frm->oRptForm->Filas(), 2);
  EXPECT_EQ(frm->oRptForm->Engine().Data().columns.first().caption, "Nombre");
  ASSERT_NE(frm->oRptForm->Preview(), nullptr);
  frm->oRptForm->Preview()->close();
  frm->Unload();
}

TEST_F(InformesFixture, ListaDeFichasNoValidaRetieneElFoco) {
  struct Caso {
    const char* texto;
    bool valida;
  };
  const Caso casos[] = {{"", true},   {"1,5-9", true}, {" 12 , 3 - 4 ", true}, {"1,,2", false},
                        {"a", false}, {"1-", false},   {"-3", false},          {"1-2-3", false}};
  auto* frm = Abrir(2);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.texto);
    frm->getZolmarID->setText(QString::fromUtf8(c.texto));
    EXPECT_EQ(frm->getZolmarID->Validate(), !c.valida);
    EXPECT_EQ(frm->getZolmarID->LastTip().contains("no es válida"), !c.valida);
    frm->getZolmarID->ShowTip(QString());
  }
  frm->Unload();
}

TEST_F(InformesFixture, AbiertaEsperandoNoDejaTerminarLaAplicacion) {
  ui().whenWaitingFor("FrmRptArboles", [&](QWidget* w) {
    auto* frm = static_cast<FrmRptArboles*>(w);
    EXPECT_TRUE(frm->AppQueryUnload());
    ASSERT_FALSE(ui().messages().isEmpty());
    EXPECT_EQ(
        ui().messages().last().text,
        QString::fromUtf8("Debe cerrar esta ventana manualmente; si no, no podrá finalizar la aplicación."));
    frm->Unload();
  });
  bool esperar = true;
  EXPECT_EQ(taz->MostrarInformes(3, 2, &esperar, false), 0);
  auto* libre = Abrir(2);
  EXPECT_FALSE(libre->AppQueryUnload());
  // A second window without waiting is not opened while one is.
  auto* segunda = Abrir(2);
  EXPECT_FALSE(segunda->IsLoaded());
  delete segunda;
  libre->Unload();
}

// Markers another window may set before the filter comes back.
TEST_F(InformesFixture, LasMarcasDelFiltro) {
  ui().whenWaitingFor("FrmRptArboles", [&](QWidget* w) {
    auto* frm = static_cast<FrmRptArboles*>(w);
    frm->getNombre->setText("B");
    zolmar::ReportFramework* resultado = nullptr;
    frm->setFilterText("***");
    frm->oRptForm_GenerarDatos(resultado);
    EXPECT_EQ(frm->FilterText(),
              "SELECT TOP 1 Arboles.ZolmarID FROM Arboles WHERE tipo=3 AND Arboles.Nombre LIKE 'B%'");
    EXPECT_EQ(resultado, nullptr);
    // "*" prints the report as outside filter mode.
    frm->setFilterText("*");
    EXPECT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("marca.csv")}));
    EXPECT_EQ(frm->oRptForm->Filas(), 2);
    frm->Unload();
  });
  FrmRptArboles frm;
  EXPECT_EQ(frm.RunGetFilter(*taz, 3, false), "*");
}

// A caller that asks for leaves gets leaves, whatever the person stored the
// last time the window was used (the box unticked): the box is ticked and
// disabled, the listing and the filter carry the leaf condition, and a search
// offers and returns leaves only.
TEST_F(InformesFixture, LasHojasDelLlamadorPuedenMasQueLaConfiguracionGuardada) {
  for (const qint32 proceso : {1, 2}) {
    auto* frm = Abrir(proceso);
    frm->chkLeafNodes->setChecked(false);
    frm->Unload();
  }
  auto* frm = Abrir(2, true);
  EXPECT_EQ(frm->chkLeafNodes->Value(), 1);
  EXPECT_FALSE(frm->chkLeafNodes->isEnabled());
  auto& enviadas = Grabar();
  EXPECT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("hojas.csv")}));
  EXPECT_TRUE(Informe(enviadas).endsWith(kHojas)) << Informe(enviadas).toStdString();
  EXPECT_EQ(frm->oRptForm->Filas(), 3);
  frm->Unload();

  ui().whenWaitingFor("FrmRptArboles", [&](QWidget* w) {
    auto* buscar = static_cast<FrmRptArboles*>(w);
    EXPECT_EQ(buscar->chkLeafNodes->Value(), 1);
    buscar->rptGenerar->Option(0)->Click();
    ASSERT_EQ(buscar->oRptForm->FilasBusqueda(), 3);
    QStringList nombres;
    for (qint32 fila = 0; fila < 3; ++fila)
      nombres << buscar->oRptForm->Panel()->grdBusqueda->TextMatrix(fila, 1);
    EXPECT_EQ(nombres, QStringList({"A1a", "A2", "B1"}));
    buscar->oRptForm->ElegirFila(1);
  });
  QWidget llamador;
  EXPECT_EQ(taz->BuscarFicha(&llamador, 3, true), idA2);

  // Rows produced some other way (a typed statement) cannot hand back a branch.
  ui().whenWaitingFor("FrmRptArboles", [&](QWidget* w) {
    auto* buscar = static_cast<FrmRptArboles*>(w);
    zolmar::ReportQuery consulta;
    buscar->oRptForm->EjecutarBusqueda(
        consulta, QStringLiteral("SELECT ZolmarID AS SearchedID FROM Arboles WHERE ZolmarID=%1").arg(idA));
    ASSERT_EQ(buscar->oRptForm->FilasBusqueda(), 1);
    buscar->oRptForm->ElegirFila(0);
  });
  EXPECT_EQ(taz->BuscarFicha(&llamador, 3, true), 0);
  EXPECT_EQ(ui().messageTexts().last(), "Solo se pueden seleccionar elementos del último nivel del árbol");

  ui().whenWaitingFor("FrmRptArboles",
                      [&](QWidget* w) { static_cast<FrmRptArboles*>(w)->btnReturnFilter->Click(); });
  FrmRptArboles filtro;
  EXPECT_EQ(filtro.RunGetFilter(*taz, 3, true), "SELECT Arboles.ZolmarID FROM Arboles WHERE tipo=3" + kHojas);
}

// A search reads at most 500 rows: the first ones in the order the person chose.
TEST_F(InformesFixture, LaBusquedaSigueElOrdenElegido) {
  struct Caso {
    bool descendente;
    QString orden;
    QStringList nombres;
  };
  const QList<Caso> casos = {{false, " ORDER BY Arboles.Nombre ASC", {"A", "A1", "A1a", "A2"}},
                             {true, " ORDER BY Arboles.Nombre DESC", {"A2", "A1a", "A1", "A"}}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.orden.toStdString());
    auto* frm = Abrir(1);
    frm->getNombre->setText("A");
    frm->oRptForm->SetOrden("Nombre", c.descendente);
    auto& enviadas = Grabar();
    zolmar::ReportFramework* resultado = nullptr;
    frm->oRptForm_GenerarDatos(resultado);
    EXPECT_TRUE(Informe(enviadas).endsWith("LIKE 'A%'" + c.orden)) << Informe(enviadas).toStdString();
    QStringList nombres;
    for (qint32 fila = 0; fila < frm->oRptForm->FilasBusqueda(); ++fila)
      nombres << frm->oRptForm->Panel()->grdBusqueda->TextMatrix(fila, 1);
    EXPECT_EQ(nombres, c.nombres);
    frm->Unload();
  }
}

// A model's extra field is one column under its alias, however many commas its expression has.
TEST_F(InformesFixture, LosCamposExtraSonUnaColumnaPorAlias) {
  struct Caso {
    QString extra;
    QStringList columnas;
  };
  const QList<Caso> casos = {
      {"isnull(Arboles.NomAux1,'x') AS Aux", {"Ficha", "Nombre", "Padre", "Orden", "Aux"}},
      {"Arboles.NomAux2, LEFT(Arboles.Nombre, 1) AS Inicial, 'a,b' AS Texto",
       {"Ficha", "Nombre", "Padre", "Orden", "NomAux2", "Inicial", "Texto"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.extra.toStdString());
    auto* frm = Abrir(2);
    frm->oRptForm->SetExtras(c.extra, QString(), QString());
    const QString csv = Fichero("extra.csv");
    ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, csv}))
        << frm->oRptForm->LastError().toStdString();
    QStringList columnas;
    for (const auto& col : frm->oRptForm->Engine().Data().columns) columnas << col.caption;
    EXPECT_EQ(columnas, c.columnas);
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString cabecera = QString::fromUtf8(f.readLine().mid(3)).trimmed();
    EXPECT_EQ(cabecera, c.columnas.join(";"));
    frm->Unload();
  }
  // An expression's column has the expression's value.
  auto* frm = Abrir(2);
  frm->oRptForm->SetExtras("'a,b' AS Texto", QString(), QString());
  ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("texto.csv")}));
  EXPECT_EQ(frm->oRptForm->Engine().CellText(1, 4), "a,b");
  frm->Unload();
}
