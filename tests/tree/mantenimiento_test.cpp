#include <QTemporaryDir>
#include <functional>
#include <stdexcept>

#include "arbol_fixture.h"
#include "tree/clave_arbol.h"
#include "zolmar/db/fault_injector.h"

using Mantenimiento = ArbolFixture;

TEST_F(Mantenimiento, OrdenaPorNombreEnOrdenEspanolYExtiendeLosPrefijos) {
  const qint32 raiz = Nodo(3, "0100000000000000", "Bebidas", 0);
  const QStringList nombres{"Zorro", "oso", "ñandú", "Nube", "avión", "Árbol"};
  QList<qint32> ids;
  for (qint32 i = 0; i < nombres.size(); ++i)
    ids << Nodo(3, QStringLiteral("01%1").arg(i + 1, 2, 10, QChar('0')), nombres[i], raiz);
  const qint32 nieto = Nodo(3, "0101010000000000", "Tinto", ids[0]);
  const qint32 otraRaiz = Nodo(3, "0200000000000000", "Alimentación", 0);

  taz->OrdenarClavesNombre(3);

  // Árbol, avión, Nube, ñandú, oso, Zorro
  const QList<qint32> esperado{ids[5], ids[4], ids[3], ids[2], ids[1], ids[0]};
  for (qint32 i = 0; i < esperado.size(); ++i)
    EXPECT_EQ(Clave(esperado[i]), arboles::ClaveArbol::ClaveHijo("02", i + 1)) << i;
  EXPECT_EQ(Clave(otraRaiz), "0100000000000000");
  EXPECT_EQ(Clave(raiz), "0200000000000000");
  EXPECT_EQ(Clave(nieto), "0206010000000000");
}

TEST_F(Mantenimiento, PorClaveCierraHuecosYLosHuerfanosConservanSuClave) {
  const qint32 raiz = Nodo(1, "0100000000000000", "Mayoristas", 0);
  const qint32 c = Nodo(1, "0109000000000000", "A", raiz);
  const qint32 a = Nodo(1, "0102000000000000", "C", raiz);
  const qint32 b = Nodo(1, "0105000000000000", "B", raiz);
  const qint32 huerfano = Nodo(1, "07", "Suelto", 9999);
  const qint32 otroTipo = Nodo(2, "0105000000000000", "Proveedor", 0);
  auto& enviadas = Grabar();

  taz->OrdenarClavesNombre(1, true, false);

  EXPECT_EQ(Clave(a), "0101000000000000");
  EXPECT_EQ(Clave(b), "0102000000000000");
  EXPECT_EQ(Clave(c), "0103000000000000");
  EXPECT_EQ(Clave(huerfano), "0700000000000000");
  EXPECT_EQ(Clave(otroTipo), "0105000000000000");
  EXPECT_TRUE(enviadas.contains(QStringLiteral(
      "SELECT zolmarID, clave, nombre, id_padre FROM Arboles WHERE tipo = 1 ORDER BY id_padre, clave")));
  EXPECT_TRUE(enviadas.contains(
      QStringLiteral("UPDATE arboles SET clave='0101000000000000' WHERE zolmarID= %1").arg(a)));
}

TEST_F(Mantenimiento, ArbolVacioNoEscribeNada) {
  auto& enviadas = Grabar();
  taz->OrdenarClavesNombre(2);
  taz->OrdenarClavesNombre(2, false, false);
  for (const QString& s : enviadas)
    EXPECT_FALSE(s.startsWith("UPDATE", Qt::CaseInsensitive)) << s.toStdString();
}

TEST_F(Mantenimiento, RutasCortadasA150YVaciasArriba) {
  const QString largo(50, QChar(0x00E1));  // 50 accented characters
  const qint32 n1 = Nodo(3, "0100000000000000", largo, 0);
  const qint32 n2 = Nodo(3, "0101000000000000", "O'Brien 100% [x]", n1);
  const qint32 n3 = Nodo(3, "0101010000000000", largo, n2);
  const qint32 n4 = Nodo(3, "0101010100000000", largo, n3);
  const qint32 n5 = Nodo(3, "0101010101000000", "Hoja", n4);
  Ejecutar(QStringLiteral("UPDATE Arboles SET RutaPadre='viejo' WHERE ZolmarID=%1").arg(n1));

  taz->UpdateRutaPadre(3);

  EXPECT_EQ(Ruta(n1), "");
  EXPECT_EQ(Ruta(n2), largo + ":");
  EXPECT_EQ(Ruta(n3), largo + ":O'Brien 100% [x]:");
  EXPECT_EQ(Ruta(n4), largo + ":O'Brien 100% [x]:" + largo + ":");
  const QString completa = largo + ":O'Brien 100% [x]:" + largo + ":" + largo + ":";
  EXPECT_GT(completa.size(), 150);
  EXPECT_EQ(Ruta(n5), completa.left(150));
}

// A branch hung under a newer node: parents are written before their
// children whatever their ids.
TEST_F(Mantenimiento, RutasCompletasBajoUnPadreMasNuevo) {
  const qint32 rama = Nodo(3, "0100000000000000", "Vinos", 0);
  const qint32 hoja = Nodo(3, "0101000000000000", "Tintos", rama);
  const qint32 nuevo = Nodo(3, "0200000000000000", "Bebidas", 0);
  Ejecutar(QStringLiteral("UPDATE Arboles SET ID_Padre=%1, Clave='0201000000000000' WHERE ZolmarID=%2")
               .arg(nuevo)
               .arg(rama));
  Ejecutar(QStringLiteral("UPDATE Arboles SET Clave='0201010000000000' WHERE ZolmarID=%1").arg(hoja));

  taz->UpdateRutaPadre(3);

  EXPECT_EQ(Ruta(rama), "Bebidas:");
  EXPECT_EQ(Ruta(hoja), "Bebidas:Vinos:");
}

TEST_F(Mantenimiento, NombrePorIdYNivel) {
  const qint32 id = Nodo(1, "0100000000000000", "L'Hospitalet [50%]", 0);
  EXPECT_EQ(taz->NameByID(id), "L'Hospitalet [50%]");
  EXPECT_EQ(taz->NameByID(id + 100), "");
  auto& enviadas = Grabar();
  EXPECT_EQ(taz->NameByID(0), "");
  EXPECT_EQ(taz->NameByID(-3), "");
  EXPECT_TRUE(enviadas.isEmpty());
  EXPECT_EQ(taz->ObtenerNivel("0102030405060708"), 8);
}

// A second session on the same file holds the table: nothing is rewritten,
// and a lock taken by the operation is given back afterwards.
TEST_F(Mantenimiento, RespetaElBloqueoDeOtroUsuarioYLoDevuelve) {
  QTemporaryDir dir;
  Abrir(dir.filePath("empresa.db"));
  const qint32 raiz = Nodo(3, "0105000000000000", "Bebidas", 0);
  auto otro = zolmar::Host::open(dir.filePath("empresa.db"));
  ASSERT_FALSE(otro->appGlobal()->LockTable(3, true, "Arboles", 0, "Tipo=3", 3));

  taz->OrdenarClavesNombre(3);
  taz->UpdateRutaPadre(3);
  EXPECT_EQ(Clave(raiz), "0105000000000000");
  taz->OrdenarClavesNombre(3, false);  // the caller already holds the lock
  EXPECT_EQ(Clave(raiz), "0100000000000000");

  otro->appGlobal()->LockTable(3, false, "Arboles", 0, "Tipo=3", 3);
  taz->OrdenarClavesNombre(3);
  EXPECT_FALSE(otro->appGlobal()->LockTable(3, true, "Arboles", 0, "", 3)) << "lock not released";
}

// A statement failing half-way is raised, never passed over: a key left
// behind could equal a sibling's new one, a path could read ":".
TEST_F(Mantenimiento, UnaSentenciaFallidaSeComunicaAlLlamador) {
  const qint32 a = Nodo(3, "0200000000000000", "A", 0);
  Nodo(3, "0201000000000000", "A1", a);
  Nodo(3, "0500000000000000", "B", 0);
  const struct {
    const char* nombre;
    std::function<void()> operacion;
  } casos[] = {{"renumerar", [this] { taz->OrdenarClavesNombre(3, true, false); }},
               {"rutas", [this] { taz->UpdateRutaPadre(3); }}};
  for (const auto& c : casos) {
    qint32 total = 0;
    {
      zolmar::FaultInjector contador(cn, 0);
      c.operacion();
      total = contador.statements();
    }
    for (qint32 k = 1; k <= total; ++k) {
      zolmar::FaultInjector fallo(cn, k);
      EXPECT_THROW(c.operacion(), std::runtime_error) << c.nombre << " " << k;
      EXPECT_EQ(Cuenta("ZolmarBloqueos"), 0) << c.nombre << " " << k;
    }
  }
}
