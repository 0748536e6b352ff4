#include <sqlite3.h>

#include "arbol_fixture.h"
#include "host/i_ficha_db.h"
#include "zolmar/db/fault_injector.h"

namespace {

struct CasoUso {
  const char* nombre;
  qint32 tipo;
  const char* preparar;  // %1 is the node id; statements joined with " ; "
  const char* mensaje;   // %1 is the id found
  qint32 encontrado;
};

}  // namespace

using Borrado = ArbolFixture;

TEST_F(Borrado, CanBeDeletedPorTipoEnSuOrdenYSinContarBorrados) {
  const CasoUso casos[] = {
      {"libre", 1, "", "", 0},
      {"hijo borrado", 1,
       "INSERT INTO Arboles (Tipo, id_padre, Activo, Clave) VALUES (1, %1, 2, '0101000000000000')", "", 0},
      {"hijo vivo", 3,
       "INSERT INTO Arboles (ZolmarID, Tipo, id_padre, Clave) VALUES (500, 3, %1, '0101000000000000')",
       "Esta ficha está siendo usada en la tabla de \"Árboles\" por la ficha Nº %1", 500},
      {"cliente", 1, "INSERT INTO Clientes (ZolmarID, ID_Grupo) VALUES (41, %1)",
       "Esta ficha está siendo usada en la tabla de \"Clientes\" por la ficha Nº %1", 41},
      {"cliente borrado", 1, "INSERT INTO Clientes (ZolmarID, ID_Grupo, Activo) VALUES (41, %1, 2)", "", 0},
      {"proveedor", 2, "INSERT INTO Proveedores (ZolmarID, ID_Grupo) VALUES (42, %1)",
       "Esta ficha está siendo usada en la tabla de \"Proveedores\" por la ficha Nº %1", 42},
      {"cliente en árbol de proveedores", 2, "INSERT INTO Clientes (ZolmarID, ID_Grupo) VALUES (41, %1)", "",
       0},
      {"tarifa antes que artículo", 3,
       "INSERT INTO Tarifas (ID_GrupoClientes, ID_TarifaHotel, ID_Categoria) VALUES (0, 77, %1) ; "
       "INSERT INTO Articulos (ZolmarID, ID_Categoria1) VALUES (43, %1)",
       "Esta ficha está siendo usada en la tabla de \"Tarifas\" por la ficha Nº %1", 77},
      {"tarifa de grupo", 3,
       "INSERT INTO Tarifas (ID_GrupoClientes, ID_TarifaHotel, ID_Categoria) VALUES (8, 77, %1)",
       "Esta ficha está siendo usada en la tabla de \"Tarifas\" por la ficha Nº %1", 8},
      {"comisiones", 3, "INSERT INTO GruposComisionesX (Id_grupo, ID_Categoria, Activo) VALUES (12, %1, 2)",
       "Esta ficha está siendo usada en el contenido la ficha Nº %1 de \"Grupos de comisiones\"", 12},
      {"artículo", 3, "INSERT INTO Articulos (ZolmarID, ID_Categoria1) VALUES (43, %1)",
       "Esta ficha está siendo usada en la tabla de \"Artículos\" por la ficha Nº %1", 43},
      {"artículo borrado", 3, "INSERT INTO Articulos (ZolmarID, ID_Categoria1, Activo) VALUES (43, %1, 2)",
       "", 0},
      {"compuesto", 3, "INSERT INTO ArtCompuestos (ID_Compuesto, ID_Categoria) VALUES (33, %1)",
       "Esta ficha está siendo usada por algún componente del artículo compuesto con la ficha Nº %1", 33},
      {"importación", 3, "INSERT INTO Data_ImpX (ZolmarID, ID_Categoria1) VALUES (64, %1)",
       "Esta ficha está siendo usada en el contenido de la tabla de \"Importaciones\", con el ID. de "
       "contenido %1",
       64},
      {"otro tipo solo mira hijos", 5, "INSERT INTO Articulos (ZolmarID, ID_Categoria1) VALUES (43, %1)", "",
       0},
  };
  for (const CasoUso& c : casos) {
    SetUp();
    const qint32 id = Nodo(c.tipo, "0100000000000000", "O'Brien 100% [x]", 0);
    if (*c.preparar) Ejecutar(QString::fromUtf8(c.preparar).arg(id));
    ASSERT_EQ(taz->I_TAZ_SeekID(id), id);
    const QString esperado = *c.mensaje ? QString::fromUtf8(c.mensaje).arg(c.encontrado) : QString();
    EXPECT_EQ(taz->CanBeDeleted(), esperado) << c.nombre;
  }
}

TEST_F(Borrado, DeleteQuitaNodoAsignacionesYComentario) {
  Ejecutar("INSERT INTO comentarios (ZolmarID, comentario) VALUES (70, 'nota')");
  const qint32 id = Nodo(1, "0100000000000000", QString(50, QChar(0x00E9)), 0, 0, 70);
  Ejecutar(QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 5, %1) ; "
                          "INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (2, 6, %1)")
               .arg(id));
  ASSERT_EQ(taz->I_TAZ_SeekID(id), id);
  EXPECT_TRUE(taz->Delete());
  EXPECT_EQ(Cuenta(QStringLiteral("Arboles WHERE ZolmarID=%1").arg(id)), 0);
  EXPECT_EQ(Cuenta(QStringLiteral("Categorias WHERE id_categoria=%1").arg(id)), 0);
  EXPECT_EQ(Cuenta("comentarios WHERE ZolmarID=70"), 0);
}

// Failures are raised inside the database, as another program's rule would.
TEST_F(Borrado, DeleteDeshaceTodoSiFallaElComentarioOElRegistro) {
  SKIP_ON_SERVER("the failure comes from an SQLite trigger");
  const char* reglas[] = {
      "CREATE TRIGGER falla BEFORE DELETE ON comentarios BEGIN SELECT RAISE(ABORT, 'comentario'); END",
      "CREATE TRIGGER falla BEFORE DELETE ON Arboles BEGIN SELECT RAISE(ABORT, 'registro'); END",
  };
  for (const char* regla : reglas) {
    SetUp();
    Ejecutar("INSERT INTO comentarios (ZolmarID, comentario) VALUES (70, 'nota')");
    const qint32 id = Nodo(3, "0100000000000000", "Vinos", 0, 0, 70);
    Ejecutar(
        QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 5, %1)").arg(id));
    ASSERT_EQ(sqlite3_exec(cn->handle(), regla, nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_EQ(taz->I_TAZ_SeekID(id), id);

    EXPECT_FALSE(taz->Delete()) << regla;
    EXPECT_EQ(Cuenta(QStringLiteral("Arboles WHERE ZolmarID=%1").arg(id)), 1) << regla;
    EXPECT_EQ(Cuenta(QStringLiteral("Categorias WHERE id_categoria=%1").arg(id)), 1) << regla;
    EXPECT_EQ(Cuenta("comentarios WHERE ZolmarID=70"), 1) << regla;
    EXPECT_EQ(cn->transactionDepth(), 0) << regla;
  }
}

// Each tree type asks its own tables, in this order, and a free node sends
// every check of its type.
TEST_F(Borrado, CanBeDeletedConsultaSusTablasEnOrden) {
  const QString vivo = QStringLiteral(" AND (activo & 2)=0");
  for (qint32 tipo : {1, 2, 3, 4}) {
    SetUp();
    const qint32 id = Nodo(tipo, "0100000000000000", "Libre", 0);
    ASSERT_EQ(taz->I_TAZ_SeekID(id), id);
    const QString n = QString::number(id);
    QStringList esperadas{"SELECT TOP 1 zolmarID FROM Arboles WHERE ID_Padre=" + n + vivo};
    if (tipo == 1) esperadas << "SELECT TOP 1 zolmarID FROM Clientes WHERE ID_Grupo=" + n + vivo;
    if (tipo == 2) esperadas << "SELECT TOP 1 zolmarID FROM Proveedores WHERE ID_Grupo=" + n + vivo;
    if (tipo == 3)
      esperadas
          << "SELECT TOP 1 (CASE WHEN ID_GrupoClientes=0 THEN ID_TarifaHotel ELSE ID_GrupoClientes END) "
             "FROM tarifas WHERE ID_Categoria=" +
                 n
          << "SELECT TOP 1 Id_grupo FROM GruposComisionesX WHERE ID_Categoria=" + n
          << "SELECT TOP 1 zolmarID FROM Articulos WHERE (ID_Categoria1=" + n + ")" + vivo
          << "SELECT TOP 1 ID_Compuesto FROM ArtCompuestos WHERE ID_Categoria=" + n
          << "SELECT TOP 1 zolmarID FROM Data_ImpX WHERE ID_Categoria1=" + n;
    const QStringList& enviadas = Grabar();
    EXPECT_EQ(taz->CanBeDeleted(), QString()) << tipo;
    EXPECT_EQ(enviadas, esperadas) << tipo;
  }
}

TEST_F(Borrado, DeleteBorraLasAsignacionesDeCualquierTipo) {
  const qint32 id = Nodo(2, "0100000000000000", "Grupo", 0);
  ASSERT_EQ(taz->I_TAZ_SeekID(id), id);
  const QStringList& enviadas = Grabar();
  EXPECT_TRUE(taz->Delete());
  EXPECT_TRUE(enviadas.contains(QStringLiteral("DELETE FROM Categorias WHERE ID_Categoria=%1").arg(id)));
}

// A usage check that cannot run must not read as "not in use".
TEST_F(Borrado, UnaComprobacionQueFallaImpideElBorrado) {
  const qint32 id = Nodo(3, "0100000000000000", "Vinos", 0);
  ASSERT_EQ(taz->I_TAZ_SeekID(id), id);
  qint32 total = 0;
  {
    zolmar::FaultInjector contador(cn, 0);
    ASSERT_EQ(taz->CanBeDeleted(), QString());
    total = contador.statements();
  }
  ASSERT_GT(total, 3);
  for (qint32 k = 1; k <= total; ++k) {
    zolmar::FaultInjector fallo(cn, k);
    EXPECT_TRUE(taz->CanBeDeleted().startsWith(QString::fromUtf8("No se ha podido comprobar"))) << k;
  }
}
