#include <QWidget>

#include "arbol_fixture.h"
#include "host/i_daz.h"
#include "host/i_ficha_db.h"
#include "host/i_list_object.h"
#include "tree/ventanas_arboles.h"

using arboles::VentanasArboles;

class TazArboles : public ArbolFixture {
 protected:
  void TearDown() override {
    auto& v = VentanasArboles::instance();
    v.registerEditor({});
    v.registerInformes({});
    v.registerBusqueda({});
    v.registerMoverCategorias({});
    v.registerCrearCategoriasRest({});
  }
  void Denegar(const char* ventana) {
    Ejecutar(QStringLiteral("INSERT INTO ZolmarPermisos (Usuario, Ventana, Permitido) VALUES ('*', '%1', 0)")
                 .arg(ventana));
  }
};

TEST_F(TazArboles, ConfigurarParaCrearSoloPreparaLosDescriptores) {
  arboles::cTAZ_Arboles otro;
  EXPECT_FALSE(otro.I_TAZ_Configure(host->appGlobal()->GetGlobales(), host->appGlobal(), QString(), true));
  EXPECT_EQ(otro.I_TAZ_EnumerateDAZs().size(), 19);
  EXPECT_EQ(otro.oMOptMenus, nullptr);
  EXPECT_EQ(otro.I_TAZ_FichaDB(), nullptr);
  EXPECT_EQ(otro.I_TAZ_SeekID(1), 0);
  EXPECT_FALSE(otro.MostrarFicha(3));
}

TEST_F(TazArboles, DescriptoresDesdeLaCreacionYLosMismosTrasReconfigurar) {
  arboles::cTAZ_Arboles otro;
  const auto antes = otro.I_TAZ_EnumerateDAZs();
  ASSERT_EQ(antes.size(), 19);
  EXPECT_EQ(otro.I_TAZ_Str2DAZ("ARBOLES.CLAVE"), antes[3]);
  auto app = host->appGlobal();
  ASSERT_TRUE(otro.I_TAZ_Configure(app->GetGlobales(), app));
  ASSERT_TRUE(otro.I_TAZ_Configure(app->GetGlobales(), app));
  EXPECT_EQ(otro.I_TAZ_EnumerateDAZs(), antes);
  EXPECT_EQ(antes[3]->I_DAZ_Width(), 16);
  // Without the application's globals there is no menu list to build: an error, not a crash.
  arboles::cTAZ_Arboles sinApp;
  EXPECT_THROW(sinApp.I_TAZ_Configure(app->GetGlobales(), nullptr), std::invalid_argument);
}

TEST_F(TazArboles, MenusConTitulosYRutas) {
  ASSERT_NE(taz->oMOptMenus, nullptr);
  const auto& m = *taz->oMOptMenus;
  ASSERT_EQ(m.RowCount(), 31);
  const struct {
    qint32 fila;
    const char* titulo;
    qint32 padre;
    const char* ruta;
  } filas[] = {
      {1, "Ficheros", 0, "Ficheros: "},
      {2, "Empresa", 1, "Ficheros:Empresa: "},
      {7, "Artículos", 6, "Informes:Artículos: "},
      {24, "AEAT (Aplicación externa)", 0, "AEAT (Aplicación externa): "},
      {27, "Procesos especiales", 26, "Auxiliar:Procesos especiales: "},
      {31, "Descargar manuales", 29, "Ayuda:Descargar manuales: "},
  };
  for (const auto& f : filas) {
    EXPECT_EQ(m.Cell(1, f.fila).toString(), QString::fromUtf8(f.titulo)) << f.fila;
    EXPECT_EQ(m.Cell(2, f.fila).toInt(), f.padre) << f.fila;
    EXPECT_EQ(m.Cell(3, f.fila).toString(), QString::fromUtf8(f.ruta)) << f.fila;
  }
}

TEST_F(TazArboles, DescriptoresPorNombreCualificado) {
  const struct {
    const char* campo;
    const char* nombre;  // empty: no descriptor
    qint32 ancho;
  } casos[] = {
      {"ARBOLES.CLAVE", "Clave", 16},
      {"ARBOLES.RUTAPADRE", "RutaPadre", 150},
      {"ARBOLES.NOMAUX6", "NomAux6", 20},
      {"ARBOLES.ID_COMENTARIO", "id_comentario", 7},
      {"ARBOLES.ZOLMARID", "ZolmarID", -1},
      {"arboles.clave", "", 0},
      {"CLAVE", "", 0},
      {"ARBOLES.CLAVE ", "", 0},
  };
  for (const auto& c : casos) {
    const auto daz = taz->I_TAZ_Str2DAZ(QString::fromUtf8(c.campo));
    if (!*c.nombre) {
      EXPECT_EQ(daz, nullptr) << c.campo;
      continue;
    }
    ASSERT_NE(daz, nullptr) << c.campo;
    EXPECT_EQ(daz->I_DAZ_Name().compare(QString::fromUtf8(c.nombre), Qt::CaseInsensitive), 0) << c.campo;
    if (c.ancho > 0) {
      EXPECT_EQ(daz->I_DAZ_Width(), c.ancho) << c.campo;
    }
  }
  const auto todos = taz->I_TAZ_EnumerateDAZs();
  ASSERT_EQ(todos.size(), 19);
  EXPECT_EQ(todos[3], taz->I_TAZ_Str2DAZ("ARBOLES.CLAVE"));
  EXPECT_EQ(todos[18], taz->I_TAZ_Str2DAZ("ARBOLES.ID_COMENTARIO"));
}

TEST_F(TazArboles, VentanasSinRegistrarNoAbrenNada) {
  auto& ventanas = VentanasArboles::instance();
  ventanas.registerEditor({});
  ventanas.registerInformes({});
  ventanas.registerBusqueda({});
  ventanas.registerMoverCategorias({});
  ventanas.registerCrearCategoriasRest({});
  EXPECT_FALSE(taz->MostrarFicha(3));
  EXPECT_EQ(taz->MostrarInformes(3, arboles::TAZ_Arboles_ProcesosListados), 0);
  EXPECT_EQ(taz->Buscar(nullptr, 3), 0);
  EXPECT_FALSE(taz->MostrarMoverCategorias(3));
  EXPECT_FALSE(taz->MostrarCrearCategoriasRest());
}

TEST_F(TazArboles, FichaPideAccesoPorTipoYSeMueve) {
  const qint32 primero = Nodo(3, "0100000000000000", "Bebidas", 0);
  const qint32 ultimo = Nodo(3, "0200000000000000", "Alimentación", 0);
  QList<std::tuple<qint32, bool, qint32>> abiertas;
  VentanasArboles::instance().registerEditor(
      [&](arboles::cTAZ_Arboles& t, qint32 tipo, bool mover) -> QWidget* {
        abiertas.append(std::make_tuple(tipo, mover, t.I_TAZ_FichaDB()->CurrentID()));
        return nullptr;
      });
  taz->MostrarFicha(3, 2);
  taz->MostrarFicha(3, 1);
  taz->MostrarFicha(1);
  taz->MostrarFicha(4);  // no such tree: nothing opens
  Denegar("FRMARBOLESARTICULOS");
  taz->MostrarFicha(3);
  ASSERT_EQ(abiertas.size(), 3);
  EXPECT_EQ(abiertas[0], std::make_tuple(3, true, ultimo));
  EXPECT_EQ(abiertas[1], std::make_tuple(3, true, primero));
  EXPECT_EQ(std::get<0>(abiertas[2]), 1);
  EXPECT_FALSE(std::get<1>(abiertas[2]));
}

TEST_F(TazArboles, InformesYBusquedaSitúanElRegistroElegido) {
  const qint32 id = Nodo(1, "0100000000000000", "Mayoristas", 0);
  const qint32 otro = Nodo(1, "0200000000000000", "Minoristas", 0);
  QList<std::tuple<qint32, bool>> informes;
  VentanasArboles::instance().registerInformes(
      [&](arboles::cTAZ_Arboles&, qint32, qint32 proceso, bool& esperar, bool) {
        informes.append(std::make_tuple(proceso, esperar));
        return id;
      });
  Denegar("FRMRPTARBOLESCLIENTES");
  EXPECT_EQ(taz->MostrarInformes(1, arboles::TAZ_Arboles_ProcesosListados), 0);  // refused
  QWidget llamador;
  EXPECT_EQ(taz->BuscarFicha(&llamador, 1, false), id);  // the search process asks no access
  EXPECT_EQ(taz->I_TAZ_Field("ZolmarID").toInt(), id);
  EXPECT_EQ(taz->BuscarFicha(nullptr, 1, false), id);
  ASSERT_EQ(informes.size(), 2);
  EXPECT_EQ(informes[0], std::make_tuple(1, true));
  EXPECT_EQ(informes[1], std::make_tuple(1, false));

  qint32 elegido = otro;
  VentanasArboles::instance().registerBusqueda(
      [&](arboles::cTAZ_Arboles&, const arboles::ParametrosBuscar& p) {
        if (p.cRutaPadre) *p.cRutaPadre = "Clientes:";
        return p.nID_Actual == id ? elegido : 0;
      });
  QString ruta;
  EXPECT_EQ(taz->Buscar(nullptr, 1, false, id, false, false, &ruta), otro);
  EXPECT_EQ(taz->I_TAZ_Field("ZolmarID").toInt(), otro);
  EXPECT_EQ(ruta, "Clientes:");
  EXPECT_EQ(taz->Buscar(nullptr, 1, false, 0), 0);  // cancelled: the record stays
  EXPECT_EQ(taz->I_TAZ_Field("ZolmarID").toInt(), otro);
}

// Widths, masks and indexed flags of the seventeen configured columns, in the
// order the host enumerates them.
TEST_F(TazArboles, DescriptoresConfiguradosEnOrden) {
  const struct {
    const char* nombre;
    qint32 ancho;
    const char* mascara;
    bool indexado;
  } columnas[] = {
      {"Tipo", 1, "(1)", true},           {"Clave", 16, "x", true},
      {"Nombre", 50, "x", false},         {"RutaPadre", 150, "x", false},
      {"CriterioHijos", 75, "x", false},  {"id_padre", 7, "(7)", false},
      {"NomAux1", 20, "x", false},        {"NomAux2", 20, "x", false},
      {"NomAux3", 20, "x", false},        {"NomAux4", 20, "x", false},
      {"NomAux5", 20, "x", false},        {"NomAux6", 20, "x", false},
      {"UsoAux", 6, "x", false},          {"Opciones", 1, "(1)", false},
      {"CodigoExterno", 7, "(7)", true},  {"NivelExterno", 4, "(4)", false},
      {"id_comentario", 7, "(7)", false},
  };
  const auto todos = taz->I_TAZ_EnumerateDAZs();
  ASSERT_EQ(todos.size(), 19);
  for (qint32 i = 0; i < 17; ++i) {
    const auto& c = columnas[i];
    const auto& daz = todos[i + 2];
    EXPECT_EQ(daz->I_DAZ_Name(), QString::fromUtf8(c.nombre)) << i;
    EXPECT_EQ(daz->I_DAZ_Width(), c.ancho) << c.nombre;
    EXPECT_EQ(daz->I_DAZ_Mask(), QString::fromUtf8(c.mascara)) << c.nombre;
    EXPECT_EQ(daz->I_DAZ_Indexed(), c.indexado) << c.nombre;
  }
}
