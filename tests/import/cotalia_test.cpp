// The service's component: the classification file read into the row set the
// import works on, and every way a file is refused.

#include "cotalia_fixture.h"
#include "zolmar/cotalia/clasificacion_csv.h"
#include "zolmar/cotalia/cotalia_demo.h"

namespace {

using zolmar::ClasificacionCsv;

class CotaliaTest : public CotaliaFixture {
 protected:
  qint32 Leer(arboles::RecordsetPtr* filas = nullptr, QString* descripcion = nullptr) {
    zolmar::cCotalia cotalia;
    auto app = host->appGlobal();
    cotalia.Configure(app);
    arboles::RecordsetPtr datos;
    qint32 codigo = 0;
    QString texto;
    cotalia.ImportarCategorias(datos, codigo, texto);
    if (filas) *filas = datos;
    if (descripcion) *descripcion = texto;
    EXPECT_EQ(codigo == 100, datos != nullptr);
    return codigo;
  }
};

TEST_F(CotaliaTest, EntregaLasFilasConLosCamposQueLaVentanaUsa) {
  Servicio({"10;0;\"Vinos; licores\";\"Tipo de \"\"bebida\"\"\";30000;0", "11;10;Tintos;;30100;1"});
  arboles::RecordsetPtr filas;
  ASSERT_EQ(Leer(&filas), 100);
  ASSERT_EQ(filas->RecordCount(), 2);
  ASSERT_TRUE(filas->Read());
  EXPECT_EQ(filas->Field("ID").toInt(), 10);
  EXPECT_EQ(filas->Field("Nombre").toString(), "Vinos; licores");
  EXPECT_EQ(filas->Field("CriterioHijos").toString(), "Tipo de \"bebida\"");
  EXPECT_EQ(filas->Field("ID_IT").toInt(), 30000);
  for (const char* campo : {"Activo", "zolmarID", "Nivel"})
    EXPECT_EQ(filas->Field(campo).toInt(), 0) << campo;
  ASSERT_TRUE(filas->Read());
  EXPECT_EQ(filas->Field("ID_Padre").toInt(), 10);
  filas->SetField("Clave", "0101");
  EXPECT_EQ(filas->Field("Clave").toString(), "0101") << "the window writes its keys into the rows";
}

TEST_F(CotaliaTest, UnFicheroQueNoSePuedeUsarEntregaOtroCodigoConElFicheroYLaLinea) {
  const struct {
    QStringList filas;
    qint32 codigo;
    const char* motivo;  // part of the description
  } casos[] = {
      {{"1;0;Alimentación;;10000"}, ClasificacionCsv::LineaIlegible, "línea 2"},
      {{"1;0;Alimentación;;10000;0", "x;1;Conservas;;10100;1"}, ClasificacionCsv::LineaIlegible, "línea 3"},
      {{"1;0;;;10000;0"}, ClasificacionCsv::LineaIlegible, "línea 2"},
      {{"1;0;Alimentación;;10000;0", "1;0;Bebidas;;20000;0"}, ClasificacionCsv::LineaIlegible, "repetido"},
      {{"1;0;Alimentación;;10000;0", "2;9;Conservas;;10100;1"},
       ClasificacionCsv::PadreDesconocido,
       "línea 3"},
      {{"1;0;Alimentación;;10000;3"}, ClasificacionCsv::NivelFueraDeRango, "línea 2"},
      {{"1;0;Alimentación;;10000;-1"}, ClasificacionCsv::NivelFueraDeRango, "línea 2"},
      {{"1;0;Alimentación;;10000;0", "2;1;Conservas;;10100;2"},
       ClasificacionCsv::NivelFueraDeRango,
       "línea 3"},
      {{"2;1;Conservas;;10100;1", "1;0;Alimentación;;10000;1"},
       ClasificacionCsv::NivelFueraDeRango,
       "línea 3"},
  };
  for (const auto& c : casos) {
    const QString ruta = Servicio(c.filas);
    QString descripcion;
    EXPECT_EQ(Leer(nullptr, &descripcion), c.codigo) << c.filas.join('|').toStdString();
    EXPECT_TRUE(descripcion.contains(ruta)) << descripcion.toStdString();
    EXPECT_TRUE(descripcion.contains(QString::fromUtf8(c.motivo))) << descripcion.toStdString();
  }
  Servicio({"1;0;Alimentación;;10000;0"}, "ID;Padre;Nombre");
  EXPECT_EQ(Leer(), ClasificacionCsv::LineaIlegible) << "a file with another header";
  host->app()->data().setConfiguration(zolmar::cCotalia::kConfigKey, dir_.filePath("no-existe.csv"));
  QString descripcion;
  EXPECT_EQ(Leer(nullptr, &descripcion), ClasificacionCsv::SinFichero);
  EXPECT_TRUE(descripcion.contains("no-existe.csv"));
  host->app()->data().setConfiguration(zolmar::cCotalia::kConfigKey, "");
  EXPECT_EQ(Leer(), ClasificacionCsv::SinConfigurar);
}

TEST_F(CotaliaTest, UnPadreQueLlegaDespuesDeSusHijosSeAcepta) {
  Servicio({"2;1;Conservas;;10100;1", "1;0;Alimentación;;10000;0"});
  EXPECT_EQ(Leer(), 100);
}

TEST_F(CotaliaTest, LaClasificacionDeDemostracionTieneSectoresFamiliasYSubfamilias) {
  const QStringList lineas = zolmar::CotaliaDemo::Lineas();
  Servicio(lineas.mid(1));
  arboles::RecordsetPtr filas;
  ASSERT_EQ(Leer(&filas), 100);
  EXPECT_GE(filas->RecordCount(), 140);
  EXPECT_LE(filas->RecordCount(), 170);
  qint32 porNivel[3] = {0, 0, 0};
  while (filas->Read()) ++porNivel[filas->Field("Nivel").toInt()];
  EXPECT_GE(porNivel[0], 3);
  EXPECT_GT(porNivel[1], porNivel[0]);
  EXPECT_GT(porNivel[2], porNivel[1]);
  for (const char* sector : {"Alimentación", "Bebidas", "Droguería"})
    EXPECT_GT(
        filas->Find(QStringLiteral("Nivel=0 AND Nombre=") + filas->QuoteCriterion(QString::fromUtf8(sector))),
        0);
}

}  // namespace
