// The report framework as the tree report uses it: what the model, the sort
// and the extra SQL add to the statement, the stored settings, the defaults
// and the progress shown while a report runs.

#include <QFile>

#include "host/i_list_object.h"
#include "informes_fixture.h"
#include "zolmar/report/frm_modelo_informe.h"
#include "zolmar/report/report_store.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

using zolmar::ReportOutputKind;

namespace {

QStringList Lineas(const QString& fichero) {
  QFile f(fichero);
  f.open(QIODevice::ReadOnly);
  return QString::fromUtf8(f.readAll().mid(3)).split("\r\n", Qt::SkipEmptyParts);
}

}  // namespace

TEST_F(InformesFixture, ModeloOrdenYSqlAdicionalEntranEnLaSentencia) {
  const qint32 comentario =
      cn->ExecuteSQL("INSERT INTO comentarios (comentario) VALUES ('Destacado')", 9, 0).toInt();
  cn->ExecuteSQL(QString("UPDATE Arboles SET id_comentario=%1 WHERE ZolmarID=%2").arg(comentario).arg(idA2),
                 0);
  struct Caso {
    const char* nombre;
    QStringList campos;
    QString orden;
    bool descendente;
    QString extraCampos, extraCondicion, extraUniones;
    qint32 proceso;
    QString cabecera, primera;
  };
  const QList<Caso> casos = {
      {"orden descendente por nombre",
       {"Ficha", "Nombre"},
       "Nombre",
       true,
       "",
       "",
       "",
       2,
       "Ficha;Nombre",
       QString::number(idB1) + ";B1"},
      {"campo y condición adicionales",
       {"Nombre"},
       "",
       false,
       "Arboles.NomAux1",
       "Arboles.ID_Padre=0",
       "",
       2,
       "Nombre;NomAux1",
       "A;"},
      {"una unión con su alias",
       {"Nombre"},
       "Nombre",
       false,
       "",
       "C.comentario='Destacado'",
       "LEFT JOIN comentarios C ON C.ZolmarID=Arboles.ID_Comentario",
       2,
       "Nombre",
       "A2"},
      {"el árbol no cambia de orden",
       {"Ficha", "Nombre", "Padre", "Orden"},
       "Nombre",
       true,
       "",
       "",
       "",
       3,
       "Ficha;Nombre;Padre;Orden",
       QString::number(idA) + ";      A;0;0100000000000000"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    auto* frm = Abrir(2);
    ui().whenWaitingFor("FrmModeloInforme", [&](QWidget* w) {
      auto* m = static_cast<zolmar::FrmModeloInforme*>(w);
      for (const auto& f : frm->oRptForm->Catalogo()) m->Marcar(f.caption, c.campos.contains(f.caption));
      m->getCamposExtra->setText(c.extraCampos);
      m->getCondicionExtra->setText(c.extraCondicion);
      m->getUnionesExtra->setText(c.extraUniones);
      m->btnAceptar->Click();
    });
    frm->btnModelo[0]->Click();
    frm->oRptForm->SetOrden(c.orden, c.descendente);
    if (c.proceso != 2) frm->oRptForm->SetProceso(c.proceso);
    ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("m.csv")}))
        << frm->oRptForm->LastError().toStdString();
    const QStringList lineas = Lineas(Fichero("m.csv"));
    ASSERT_GE(lineas.size(), 2);
    EXPECT_EQ(lineas[0], c.cabecera);
    EXPECT_EQ(lineas[1], c.primera);
    frm->Unload();
  }
}

TEST_F(InformesFixture, ElComentarioSeLeeDeLaBaseDeComentarios) {
  const qint32 comentario =
      cn->ExecuteSQL("INSERT INTO comentarios (comentario) VALUES ('Tintos de la Ribera')", 9, 0).toInt();
  cn->ExecuteSQL(QString("UPDATE Arboles SET id_comentario=%1 WHERE ZolmarID=%2").arg(comentario).arg(idA1),
                 0);
  auto* frm = Abrir(2);
  frm->oRptForm->SetSeleccion({"Arboles.Nombre", frm->oRptForm->Catalogo().last().expression});
  ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("c.csv")}))
      << frm->oRptForm->LastError().toStdString();
  const QStringList lineas = Lineas(Fichero("c.csv"));
  ASSERT_EQ(lineas.size(), 7);
  EXPECT_EQ(lineas[0], "Nombre;Comentario");
  EXPECT_EQ(lineas[1], "A;");
  EXPECT_EQ(lineas[2], "A1;Tintos de la Ribera");
  frm->Unload();
}

TEST_F(InformesFixture, ElAlmacenGuardaCadaAjustePorVentanaNombreYProceso) {
  zolmar::ReportStore store(cn);
  EXPECT_TRUE(store.Save("frmx", "PRESET:O'Neill", 2, "dos"));
  EXPECT_TRUE(store.Save("FRMX", "PRESET:O'Neill", 2, "dos bis"));
  EXPECT_TRUE(store.Save("FRMX", "PRESET:O'Neill", 3, "tres"));
  EXPECT_TRUE(store.Save("FRMX", "MODELO:Nombres", 0, "m"));
  EXPECT_TRUE(store.Save("FRMY", "PRESET:Otro", 2, "y"));
  EXPECT_EQ(store.Load("FRMX", "PRESET:O'Neill", 2), "dos bis");
  EXPECT_EQ(store.Load("FRMX", "PRESET:O'Neill", 3), "tres");
  EXPECT_EQ(store.Load("FRMX", "PRESET:O'Neill", 0), "tres");  // the newest
  EXPECT_EQ(store.Load("FRMX", "PRESET:O'Neill", 1), "");
  EXPECT_EQ(store.Names("FRMX", "PRESET:"), QStringList{"O'Neill"});
  store.Remove("FRMX", "PRESET:O'Neill");
  EXPECT_EQ(store.Load("FRMX", "PRESET:O'Neill", 0), "");
  EXPECT_EQ(store.Load("FRMX", "MODELO:Nombres", 0), "m");
}

TEST_F(InformesFixture, LosValoresPorDefectoSeGuardanSiLaPersonaQuiere) {
  for (bool si : {false, true}) {
    SCOPED_TRACE(si);
    auto* frm = Abrir(2);
    frm->getNombre->setText("A");
    frm->getZolmarID->setText("1-3");
    ui().queueAnswer(si);
    frm->btnDefaults->Click();
    EXPECT_TRUE(ui().messages().last().text.contains("<B>Fichas, Nombre</B>"));
    // Nothing stored as last used, so the next window starts from the defaults.
    cn->ExecuteSQL("DELETE FROM ZolmarInformes WHERE Nombre=''", 0);
    frm->oRptForm->SetRecordarConfiguracion(false);
    frm->Unload();
    auto* otra = Abrir(2);
    EXPECT_EQ(otra->getNombre->Text(), si ? "A" : "");
    EXPECT_EQ(otra->getZolmarID->Text(), si ? "1-3" : "");
    otra->oRptForm->SetRecordarConfiguracion(false);
    otra->Unload();
  }
}

TEST_F(InformesFixture, ElProgresoSeVeEnLaVentanaDeEspera) {
  auto* frm = Abrir(2);
  ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("p.csv")}));
  EXPECT_EQ(ui().waitTexts().first(), "Consultando datos...");
  EXPECT_TRUE(ui().waitTexts().contains("Preparando el informe...\r6 registros recuperados."));
  EXPECT_FALSE(ui().waitWindowOpen());
  // Without an output asked for there is no progress to show.
  const qsizetype vistos = ui().waitTexts().size();
  zolmar::ReportFramework* resultado = nullptr;
  frm->oRptForm_GenerarDatos(resultado);
  EXPECT_EQ(ui().waitTexts().size(), vistos);
  frm->Unload();
}

TEST_F(InformesFixture, VariablesDelDisenoYDescriptoresDeLosFiltros) {
  cn->ExecuteSQL("INSERT INTO ZolmarConfig (Clave, Valor) VALUES ('CFG_EMPRESA:NOMBRE', 'Bodega S.A.')", 0);
  auto* frm = Abrir(2, false, 1);
  QObject* diseno = nullptr;
  std::shared_ptr<arboles::IListObject> variables;
  frm->RptCallBack_GetDesignVars(diseno, variables);
  EXPECT_EQ(diseno, &frm->oRptForm->Engine());
  ASSERT_EQ(variables->RowCount(), 2);
  EXPECT_EQ(variables->Cell(1, 1).toString(), "NombreDeLaEmpresa");
  EXPECT_EQ(variables->Cell(2, 1).toString(), "Bodega S.A.");
  EXPECT_EQ(variables->Cell(2, 2).toString(), "Listado de Grupos de Clientes");
  EXPECT_EQ(variables->Cell(3, 2).toInt(), 40);
  EXPECT_EQ(frm->windowTitle(), "Informes de Grupos de Clientes");
  EXPECT_EQ(frm->Ctl2DAZ(frm->getNombre), taz->I_TAZ_Str2DAZ("ARBOLES.NOMBRE"));
  EXPECT_EQ(frm->Ctl2DAZ(frm->getZolmarID), taz->I_TAZ_Str2DAZ("ARBOLES.ZOLMARID"));
  EXPECT_NE(frm->Ctl2DAZ(frm->getNombre), nullptr);
  frm->Unload();
}
