#include <QProcess>

#include "common/textos_marcados.h"
#include "informe_categorias_fixture.h"
#include "reports/frm_rpt_arboles.h"
#include "zolmar/report/report_output.h"
#include "zolmar/report/rpt_generar.h"
#include "zolmar/tables/record_list_window.h"
#include "zolmar/tables/table_access.h"
#include "zolmar/ui/frame.h"
#include "zolmar/ui/lbl.h"
#include "zolmar/ui/opt.h"

using arboles::FrmRptCategorias;
using zolmar::ReportOutputKind;

namespace {

const QString kArboles = QStringLiteral(" LEFT JOIN Arboles ON Categorias.ID_Categoria=Arboles.ZolmarID");

QString Informe(const QStringList& enviadas) {
  for (const QString& s : enviadas)
    if (s.startsWith(QStringLiteral("SELECT ")) && s.contains(QStringLiteral(" FROM Categorias LEFT JOIN")))
      return s;
  return QString();
}

}  // namespace

// Who the subquery selects, as a person would pick them by hand.
TEST_F(InformeCategoriasFixture, ElFiltroEligeLosQueTienenLasCategorias) {
  struct Caso {
    const char* nombre;
    qint32 proceso;
    QStringList filas;
    bool exacta, cualquiera;
    QString quien, unica;
    QStringList elegidos;  // empty with sinFiltro: no subquery at all
    bool sinFiltro;
  };
  const QString alim = QString::fromUtf8("Alimentación");
  const QList<Caso> casos = {
      {"nada elegido", 1, {}, false, false, "", "", {}, true},
      {"una rama", 1, {"Vinos"}, false, false, "", "", {"Ana Ruiz", "Bar Pepe"}, false},
      {"el nodo solo", 1, {"Vinos"}, true, false, "", "", {}, false},
      {"todas las ramas", 1, {"Vinos", alim}, false, false, "", "", {"Bar Pepe"}, false},
      {"alguna rama", 1, {"Vinos", alim}, false, true, "", "", {"Ana Ruiz", "Bar Pepe", "Casa Luis"}, false},
      {"nodos solos, alguno",
       1,
       {"Tintos", "Vinagres"},
       true,
       true,
       "",
       "",
       {"Ana Ruiz", "Bar Pepe", "Casa Luis"},
       false},
      {"nodos solos, todos", 1, {"Refrescos", "Tintos"}, true, false, "", "", {"Ana Ruiz"}, false},
      {"proveedores", 2, {"Bebidas"}, false, false, "", "", {"Vinos Norte"}, false},
      {"categoría que no existe", 1, {"no existe"}, false, false, "", "", {}, true},
      {"un cliente", 1, {}, false, false, "Casa", "", {"Casa Luis"}, false},
      {"categoría única", 1, {}, false, false, "", "Vinagres", {"Bar Pepe", "Casa Luis"}, false},
  };
  const QHash<QString, qint32> personas = {{"Casa", casa}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const QString filtro = Filtro(c.proceso, [&](FrmRptCategorias& frm) {
      for (qint32 i = 0; i < c.filas.size(); ++i) Elegir(frm, i, c.filas.at(i));
      frm.chkUsoFiltro->setChecked(c.exacta);
      frm.optTipoFiltro->setValue(c.cualquiera ? 1 : 0);
      if (!c.quien.isEmpty()) frm.sayID_Quien->setText(QString::number(personas.value(c.quien)));
      if (!c.unica.isEmpty()) frm.sayID_Cat->setText(QString::number(id.value(c.unica)));
    });
    if (c.sinFiltro) {
      EXPECT_EQ(filtro, "");
      continue;
    }
    ASSERT_TRUE(filtro.startsWith("SELECT DISTINCT Categorias.ID_Quien FROM Categorias"))
        << filtro.toStdString();
    EXPECT_EQ(Elegidos(filtro, c.proceso), c.elegidos);
  }
}

// The statements behind one branch row, and the subquery they make.
TEST_F(InformeCategoriasFixture, LaRamaSeBuscaConSubArboles) {
  auto& enviadas = Grabar();
  const QString filtro = Filtro(1, [&](FrmRptCategorias& frm) { Elegir(frm, 3, "Vinos"); });
  const QString vinos = QString::number(id.value("Vinos"));
  EXPECT_TRUE(enviadas.contains("SELECT DBO.SubArboles(" + vinos + ")"));
  EXPECT_TRUE(
      enviadas.contains("SELECT DISTINCT ZolmarID FROM Arboles WHERE Tipo=3 AND Arboles.Clave LIKE '0102%'"));
  const QString ids = Ids({"Vinos", "Tintos", "Blancos"});
  EXPECT_EQ(filtro, "SELECT DISTINCT Categorias.ID_Quien FROM Categorias" + kArboles +
                        " WHERE  (Categorias.ID_Quien IN(SELECT ID_Quien FROM Categorias" + kArboles +
                        " WHERE Categorias.ID_Categoria IN(" + ids +
                        ") AND Categorias.Tipo=1)) AND Categorias.Tipo=1");
  // Closed without handing the filter back: the request marker, no subquery.
  EXPECT_EQ(Filtro(
                1, [](FrmRptCategorias&) {}, false),
            "*");
}

// The joins follow what the statement names; nothing filtered reads every row of the process.
TEST_F(InformeCategoriasFixture, LasUnionesSegunLosCampos) {
  struct Caso {
    const char* nombre;
    qint32 proceso;
    QStringList seleccion;  // empty: the whole catalogue
    QString campos, uniones;
    qint32 filas;
  };
  const QString clientes =
      " LEFT JOIN Clientes ON Categorias.ID_Quien=Clientes.ZolmarID LEFT JOIN Nombres AS NombreClientes ON "
      "Clientes.ID_Nombre=NombreClientes.ZolmarID";
  const QString proveedores =
      " LEFT JOIN Proveedores ON Categorias.ID_Quien=Proveedores.ZolmarID LEFT JOIN Nombres AS "
      "NombreProveedores ON Proveedores.ID_Nombre=NombreProveedores.ZolmarID";
  const QString ids = "Categorias.ID_Categoria AS F_ID_CATEGORIA, Categorias.ID_Quien AS F_ID_QUIEN";
  const QList<Caso> casos = {
      {"clientes",
       1,
       {},
       "Categorias.ID_Categoria AS F_ID_CATEGORIA, Arboles.Nombre AS F_CATEGORIA, Categorias.ID_Quien AS "
       "F_ID_QUIEN, NombreClientes.Nombre + ' ' + NombreClientes.Apellidos AS F_CLIENTE",
       clientes,
       5},
      {"proveedores",
       2,
       {},
       "Categorias.ID_Categoria AS F_ID_CATEGORIA, Arboles.Nombre AS F_CATEGORIA, Categorias.ID_Quien AS "
       "F_ID_QUIEN, NombreProveedores.Nombre + ' ' + NombreProveedores.Apellidos AS F_PROVEEDOR",
       proveedores,
       1},
      {"sin nombres", 1, {"Categorias.ID_Categoria", "Categorias.ID_Quien"}, ids, "", 5},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    auto* frm = Abrir(c.proceso);
    if (!c.seleccion.isEmpty()) frm->oRptForm->SetSeleccion(c.seleccion);
    auto& enviadas = Grabar();
    ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("c.csv")}))
        << frm->oRptForm->LastError().toStdString();
    EXPECT_EQ(Informe(enviadas), "SELECT  " + c.campos + " FROM Categorias" + kArboles + c.uniones +
                                     " WHERE  Categorias.Tipo=" + QString::number(c.proceso));
    EXPECT_EQ(frm->oRptForm->Filas(), c.filas);
    frm->Unload();
  }
}

// What the person chose comes back, with the names, when the window opens again.
TEST_F(InformeCategoriasFixture, LaConfiguracionVuelveConLosNombres) {
  auto* frm = Abrir(1);
  frm->sayID_Quien->setText(QString::number(bar));
  frm->sayID_Cat->setText(QString::number(id.value("Vinagres")));
  frm->chkUsoFiltro->setChecked(true);
  Elegir(*frm, 0, "Tintos");
  Elegir(*frm, 9, "Refrescos");
  frm->getTituloInforme->setText("Clientes del vino");
  frm->oRptForm->SaveConfig();
  frm->Unload();

  frm = Abrir(0);
  EXPECT_EQ(frm->sayID_Quien->Text(), QString::number(bar));
  EXPECT_EQ(frm->getQuien->Text(), "Bar Pepe");
  EXPECT_EQ(frm->getCat->Text(), "Vinagres");
  EXPECT_EQ(frm->chkUsoFiltro->Value(), 1);
  EXPECT_EQ(frm->getCategoria[0]->Text(), "Tintos");
  EXPECT_EQ(frm->sayID_Categoria[9]->Text(), QString::number(id.value("Refrescos")));
  EXPECT_EQ(frm->getCategoria[9]->Text(), "Refrescos");
  EXPECT_EQ(frm->sayID_Categoria[4]->Text(), "0");
  EXPECT_EQ(frm->getTituloInforme->Text(), "Clientes del vino");
  frm->Unload();
}

// The header's date and title, and the first page's number, come from the options.
TEST_F(InformeCategoriasFixture, LasOpcionesDelEncabezado) {
  struct Caso {
    const char* nombre;
    QString fecha, titulo, primera;
    QStringList esperados;
  };
  const QList<Caso> casos = {
      // Headings are readable and names whole while the page has room.
      {"por defecto",
       "",
       "",
       "",
       {QString::fromUtf8("Listados de categorías de clientes"), "Página 1 de 1", "ID_Categoria",
        "ID_Cliente", "Ana Ruiz", "Refrescos"}},
      {"elegidas",
       "31/12/2025",
       "Clientes y vinos",
       "7",
       {"31/12/2025", "Clientes y vinos", "Página 7 de 7"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    auto* frm = Abrir(1);
    frm->getFechaInforme->setText(c.fecha);
    frm->getTituloInforme->setText(c.titulo);
    frm->getFirstPage->setText(c.primera);
    const QString pdf = Fichero("c.pdf");
    ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Pdf, pdf}));
    frm->Unload();
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString texto = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString& e : c.esperados)
      EXPECT_TRUE(texto.contains(e)) << e.toStdString() << "\n" << texto.toStdString();
  }
}

// Typed names become ids; a name that matches nothing keeps the focus.
TEST_F(InformeCategoriasFixture, LosCamposSeValidan) {
  auto* frm = Abrir(1);
  frm->getQuien->setText("Casa");
  EXPECT_FALSE(frm->getQuien_Validate());
  EXPECT_EQ(frm->sayID_Quien->Text(), QString::number(casa));
  frm->getCategoria[2]->setText("Tint");
  EXPECT_FALSE(frm->getCategoria_Validate(2));
  EXPECT_EQ(frm->sayID_Categoria[2]->Text(), QString::number(id.value("Tintos")));
  frm->getCat->setText("zzz");
  EXPECT_TRUE(frm->getCat_Validate());
  EXPECT_EQ(frm->sayID_Cat->Text(), "0");
  frm->getCat->setText("");
  EXPECT_FALSE(frm->getCat_Validate());
  frm->Unload();
}

// The window's texts follow the process; in filter mode the process stays the caller's.
TEST_F(InformeCategoriasFixture, ProcesoYModoFiltro) {
  auto* frm = Abrir(2);
  EXPECT_EQ(frm->lblQuien->Caption(), "Proveedor");
  EXPECT_EQ(frm->FrameCategorias->Caption(),
            QString::fromUtf8("Filtros de categorías para seleccionar proveedores"));
  EXPECT_FALSE(frm->btnReturnFilter->isVisible());
  EXPECT_TRUE(frm->getTipoProceso->isEnabled());
  frm->getQuien->setText("Vinos");
  frm->oRptForm->SetProceso(1);
  EXPECT_EQ(frm->lblQuien->Caption(), "Cliente");
  EXPECT_EQ(frm->getQuien->Text(), "");
  EXPECT_EQ(frm->sayID_Quien->Text(), "0");
  frm->Unload();
  Filtro(1, [](FrmRptCategorias& f) {
    EXPECT_TRUE(f.btnReturnFilter->isVisible());
    EXPECT_FALSE(f.getTipoProceso->isEnabled());
  });
  EXPECT_EQ(categorias->MostrarInformes(1, false), 0);
  EXPECT_TRUE(host->appGlobal()->IsWindowOpen(FrmRptCategorias::NombreVentana));
}

// The customer list shows only who the category filter hands back.
TEST_F(InformeCategoriasFixture, LaListaDeClientesSeFiltraPorCategorias) {
  auto app = host->appGlobal();
  auto clientes =
      std::dynamic_pointer_cast<zolmar::TableAccess>(app->CreateTableAccess("Clientes.cTAZ_Clientes"));
  ASSERT_TRUE(clientes->I_TAZ_Configure(app->GetGlobales(), app));
  QList<std::function<void(FrmRptCategorias&)>> guiones;
  bool devolver = true;
  clientes->AddListFilter("Filtrar por categorías", [&] { return Filtro(1, guiones.takeFirst(), devolver); });
  clientes->MostrarInformes(0, false, 0);
  zolmar::RecordListWindow* lista = clientes->lastWindow();
  ASSERT_NE(lista, nullptr);
  auto filas = [lista] {
    QStringList nombres;
    for (int r = 0; r < lista->RowCount(); ++r) nombres << lista->CellText(r, 2);
    return nombres;
  };
  EXPECT_EQ(filas(), QStringList({"Ana Ruiz", "Bar Pepe", "Casa Luis"}));
  zolmar::btn* filtrar = nullptr;
  for (auto* b : lista->findChildren<zolmar::btn*>())
    if (b->Caption() == QString::fromUtf8("Filtrar por categorías")) filtrar = b;
  ASSERT_NE(filtrar, nullptr);
  guiones << [this](FrmRptCategorias& f) { Elegir(f, 0, QString::fromUtf8("Alimentación")); };
  filtrar->Click();
  EXPECT_EQ(filas(), QStringList({"Bar Pepe", "Casa Luis"}));
  // Given up: the list stays as it was.
  devolver = false;
  guiones << [](FrmRptCategorias&) {};
  filtrar->Click();
  EXPECT_EQ(filas(), QStringList({"Bar Pepe", "Casa Luis"}));
  // Nothing chosen: everybody again.
  devolver = true;
  guiones << [](FrmRptCategorias&) {};
  filtrar->Click();
  EXPECT_EQ(filas(), QStringList({"Ana Ruiz", "Bar Pepe", "Casa Luis"}));
  lista->Unload();
}

// The stored defaults bring back the ids behind the names: the filter the
// window shows is the filter the report applies.
TEST_F(InformeCategoriasFixture, LosValoresPorDefectoDevuelvenLosIds) {
  auto* frm = Abrir(1);
  frm->getQuien->setText("Casa");
  ASSERT_FALSE(frm->getQuien_Validate());
  frm->getCategoria[1]->setText("Vinagres");
  ASSERT_FALSE(frm->getCategoria_Validate(1));
  ui().queueAnswer(true);
  frm->btnDefaults->Click();
  // Nothing stored as last used, so the next window starts from the defaults.
  cn->ExecuteSQL("DELETE FROM ZolmarInformes WHERE Nombre=''", 0);
  frm->oRptForm->SetRecordarConfiguracion(false);
  frm->Unload();
  auto* otra = Abrir(1);
  EXPECT_EQ(otra->getQuien->Text(), "Casa Luis");
  EXPECT_EQ(otra->sayID_Quien->Text(), QString::number(casa));
  EXPECT_EQ(otra->sayID_Categoria[1]->Text(), QString::number(id.value("Vinagres")));
  auto& enviadas = Grabar();
  ASSERT_TRUE(otra->oRptForm->Generar({ReportOutputKind::Csv, Fichero("d.csv")}));
  EXPECT_TRUE(Informe(enviadas).contains("Categorias.ID_Quien=" + QString::number(casa)))
      << Informe(enviadas).toStdString();
  EXPECT_EQ(otra->oRptForm->Filas(), 1);
  otra->oRptForm->SetRecordarConfiguracion(false);
  otra->Unload();
}

// The header's date and first page refuse what they could not print, beside
// the entry and when the report is asked for.
TEST_F(InformeCategoriasFixture, LaFechaYLaPrimeraPaginaSeValidan) {
  struct Caso {
    const char* fecha;
    const char* primera;
    const char* error;  // empty: valid
  };
  const Caso casos[] = {
      {"", "", ""},
      {"31/12/2025", "7", ""},
      {"1/2/2026", "", ""},
      {"mañana", "", "La fecha del informe \"mañana\" no es una fecha válida (dd/mm/aaaa)."},
      {"31/02/2025", "", "no es una fecha válida"},
      {"", "abc", "La primera página \"abc\" debe ser un número mayor que cero."},
      {"", "0", "debe ser un número mayor que cero"}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.fecha + std::string(" / ") + c.primera);
    auto* frm = Abrir(1);
    frm->getFechaInforme->setText(QString::fromUtf8(c.fecha));
    frm->getFirstPage->setText(QString::fromUtf8(c.primera));
    const QString error = QString::fromUtf8(c.error);
    const bool valida = error.isEmpty();
    EXPECT_EQ(frm->getFechaInforme->Validate() || frm->getFirstPage->Validate(), !valida);
    EXPECT_EQ(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("v.csv")}), valida);
    if (!valida) {
      EXPECT_TRUE(frm->oRptForm->LastError().contains(error)) << frm->oRptForm->LastError().toStdString();
      const QString tip = frm->getFechaInforme->LastTip() + frm->getFirstPage->LastTip();
      EXPECT_TRUE(tip.contains(error)) << tip.toStdString();
    }
    frm->Unload();
  }
}

// Every text of both report windows, in every process, reaches the person
// through the translation.
TEST_F(InformeCategoriasFixture, LosInformesTraducenTodosSusTextos) {
  TextosMarcados::Marcar(*host);
  for (qint32 proceso : {1, 2}) {
    SCOPED_TRACE(proceso);
    auto* frm = Abrir(proceso);
    EXPECT_EQ(TextosMarcados::SinMarcar(frm).join("\n").toStdString(), "");
    frm->Unload();
  }
  for (qint32 proceso : {1, 2, 3}) {
    SCOPED_TRACE(proceso);
    auto* frm = new arboles::FrmRptArboles();
    frm->setAttribute(Qt::WA_DeleteOnClose);
    frm->Run(*taz, 3, proceso, false, false);
    EXPECT_EQ(TextosMarcados::SinMarcar(frm).join("\n").toStdString(), "");
    frm->Unload();
  }
}
