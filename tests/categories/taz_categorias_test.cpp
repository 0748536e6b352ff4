// The two category tables as the host reaches them: descriptors, deletion
// in their named transactions, and the report openers.

#include "categorias_fixture.h"
#include "categories/taz_auto_categorias.h"
#include "categories/ventanas_categorias.h"
#include "host/i_daz.h"
#include "host/i_ficha_db.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/db/fault_injector.h"
#include "zolmar/ui/number_daz.h"
#include "zolmar/ui/text_daz.h"

using arboles::cTAZ_AutoCategorias;
using arboles::VentanasCategorias;

namespace {

class TazCategorias : public CategoriasFixture {
 protected:
  void TearDown() override {
    VentanasCategorias::instance().registerInformes({});
    VentanasCategorias::instance().registerFiltro({});
    CategoriasFixture::TearDown();
  }
};

struct Columna {
  const char* nombre;
  qint32 ancho;
  const char* mascara;
  const char* tip;
  qint32 tipoNumerico;  // 0: a text
  bool indexado;
};

void ComprobarDescriptores(arboles::I_TAZ& taz, const QString& tabla, const QVector<Columna>& columnas) {
  const auto todos = taz.I_TAZ_EnumerateDAZs();
  ASSERT_EQ(todos.size(), columnas.size() + 1);
  EXPECT_EQ(todos[0]->I_DAZ_Name(), "ZolmarID");
  EXPECT_EQ(taz.I_TAZ_Str2DAZ(tabla.toUpper() + ".ZOLMARID"), todos[0]);
  for (qsizetype i = 0; i < columnas.size(); ++i) {
    const Columna& c = columnas[i];
    const auto& daz = todos[i + 1];
    EXPECT_EQ(daz->I_DAZ_Name(), QString::fromUtf8(c.nombre));
    EXPECT_EQ(daz->I_DAZ_Width(), c.ancho) << c.nombre;
    EXPECT_EQ(daz->I_DAZ_Mask(), QString::fromUtf8(c.mascara)) << c.nombre;
    EXPECT_EQ(daz->I_DAZ_Indexed(), c.indexado) << c.nombre;
    if (c.tipoNumerico) {
      auto* numero = dynamic_cast<zolmar::NumberDAZ*>(daz.get());
      ASSERT_NE(numero, nullptr) << c.nombre;
      EXPECT_EQ(numero->NumericKind(), c.tipoNumerico) << c.nombre;
      EXPECT_EQ(numero->Tip(), QString::fromUtf8(c.tip)) << c.nombre;
    } else {
      auto* texto = dynamic_cast<zolmar::TextDAZ*>(daz.get());
      ASSERT_NE(texto, nullptr) << c.nombre;
      EXPECT_EQ(texto->Tip(), QString::fromUtf8(c.tip)) << c.nombre;
    }
    const QString cualificado = tabla.toUpper() + "." + QString::fromUtf8(c.nombre).toUpper();
    EXPECT_EQ(taz.I_TAZ_Str2DAZ(cualificado), daz) << c.nombre;
    EXPECT_EQ(taz.I_TAZ_Str2DAZ(cualificado.toLower()), nullptr) << c.nombre;
  }
  EXPECT_EQ(taz.I_TAZ_Str2DAZ(tabla.toUpper() + ".NOMBRE"), nullptr);
  EXPECT_EQ(taz.I_TAZ_Str2DAZ(QStringLiteral("ARBOLES.TIPO")), nullptr);
}

TEST_F(TazCategorias, DescriptoresEnOrdenDeColumnas) {
  ComprobarDescriptores(*categorias, "Categorias",
                        {{"Tipo", 1, "(1)", "Tipo de categoría", 1, true},
                         {"ID_Quien", 7, "(7)", "Id. del cliente", 3, false},
                         {"id_categoria", 7, "(7)", "Id. categoría de artículo", 3, false}});
  cTAZ_AutoCategorias autoCategorias;
  auto app = host->appGlobal();
  ASSERT_TRUE(autoCategorias.I_TAZ_Configure(app->GetGlobales(), app));
  ComprobarDescriptores(autoCategorias, "AutoCategorias",
                        {{"Tipo", 1, "(1)", "Tipo de clave relacionada con la categoría", 1, false},
                         {"Clave", 10, "x", "Clave a relacionar", 0, false},
                         {"ID_Categoria", 7, "(7)", "Identificador de la categoría relacionada", 3, false}});
  EXPECT_EQ(autoCategorias.I_TAZ_Name(), "AutoCategorias");
  EXPECT_EQ(autoCategorias.CanBeDeleted(), QString());
}

TEST_F(TazCategorias, ConfigurarConOtraTablaOSoloParaCrear) {
  auto app = host->appGlobal();
  arboles::cTAZ_Categorias otra;
  EXPECT_FALSE(otra.I_TAZ_Configure(app->GetGlobales(), app, QString(), true));
  EXPECT_EQ(otra.I_TAZ_FichaDB(), nullptr);
  EXPECT_EQ(otra.I_TAZ_EnumerateDAZs().size(), 4);
  EXPECT_FALSE(otra.I_TAZ_Configure(app->GetGlobales(), app, QStringLiteral("NoExiste")));
  EXPECT_EQ(otra.I_TAZ_Name(), "NoExiste");
  // The descriptors keep their own table's name whatever table is open.
  EXPECT_NE(otra.I_TAZ_Str2DAZ("CATEGORIAS.TIPO"), nullptr);
  otra.MostrarFicha(1, kCliente, true);  // inert without a record set: nothing to wait for
}

TEST_F(TazCategorias, BorrarFilaConSuComentarioOSinEl) {
  Asignar({"Tintos", "Blancos"});
  const qint32 comentario =
      cn->ExecuteSQL("INSERT INTO comentarios (comentario) VALUES ('Cliente de vinos')", 9, 0).toInt();
  cn->ExecuteSQL(QStringLiteral("UPDATE Categorias SET id_comentario=%1").arg(comentario));
  cn->ExecuteSQL("INSERT INTO AutoCategorias (Tipo, Clave, ID_Categoria) VALUES (1, 'EAN', 3)");
  categorias->I_TAZ_FichaDB()->Reload();
  ASSERT_TRUE(categorias->I_TAZ_FichaDB()->MoveFirst());
  EXPECT_TRUE(categorias->Delete());
  EXPECT_EQ(Asignadas(), QStringList{"Blancos"});
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM comentarios").toInt(), 0);

  cTAZ_AutoCategorias autoCategorias;
  auto app = host->appGlobal();
  ASSERT_TRUE(autoCategorias.I_TAZ_Configure(app->GetGlobales(), app));
  ASSERT_TRUE(autoCategorias.I_TAZ_FichaDB()->MoveFirst());
  const QStringList enviadas = Grabar();
  EXPECT_TRUE(autoCategorias.Delete());
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM AutoCategorias").toInt(), 0);
  for (const QString& sql : enviadas)
    EXPECT_FALSE(sql.contains("comentarios", Qt::CaseInsensitive)) << sql.toStdString();
}

TEST_F(TazCategorias, BorradoFallidoDejaLaTablaComoEstaba) {
  Asignar({"Tintos"});
  categorias->I_TAZ_FichaDB()->Reload();
  ASSERT_TRUE(categorias->I_TAZ_FichaDB()->MoveFirst());
  const QString antes = zolmar::DatabaseDump::of(*cn);
  {
    zolmar::FaultInjector fallo(cn, 1);
    EXPECT_FALSE(categorias->Delete());
    EXPECT_TRUE(fallo.fired());
  }
  EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
}

TEST_F(TazCategorias, InformesDevuelvenCeroYFiltroVacioSinVentana) {
  VentanasCategorias::instance().registerInformes({});
  VentanasCategorias::instance().registerFiltro({});
  EXPECT_EQ(categorias->MostrarInformes(1, true), 0);
  EXPECT_EQ(categorias->GetFilterForSubQuery(1), QString());
  qint32 abiertos = 0;
  VentanasCategorias::instance().registerInformes([&](arboles::cTAZ_Categorias&, qint32 p, bool w) {
    EXPECT_EQ(p, 2);
    EXPECT_TRUE(w);
    ++abiertos;
  });
  VentanasCategorias::instance().registerFiltro(
      [](arboles::cTAZ_Categorias&, qint32 p) { return QStringLiteral("SELECT %1").arg(p); });
  EXPECT_EQ(categorias->MostrarInformes(2, true), 0);
  EXPECT_EQ(abiertos, 1);
  EXPECT_EQ(categorias->GetFilterForSubQuery(2), "SELECT 2");
}

}  // namespace
