#include "tree/verificador_arbol.h"

#include "arbol_fixture.h"
#include "tree/clave_arbol.h"

using arboles::ClaveArbol;

using Verificador = ArbolFixture;

namespace {

// One line per problem, as arboles check prints them.
std::string Lineas(const QVector<arboles::VerificadorArbol::Problema>& problemas) {
  QStringList lineas;
  for (const auto& p : problemas) lineas << (p.aviso ? QStringLiteral("Aviso: ") : QString()) + p.texto;
  return lineas.join('\n').toStdString();
}

}  // namespace

// Paths the module rebuilds are current, however long and accented; a path
// changed afterwards is reported on its node alone, even where siblings and
// cousins share their paths.
TEST_F(Verificador, LasRutasReconstruidasEstanAlDiaYCadaCambioSeVe) {
  SKIP_ON_SERVER("a server refuses a name wider than its column");
  const QString largo = QStringLiteral("Cañas y barro de la Albufera, ") + QString(40, QChar(0x00E9));
  QList<qint32> nodos;  // two roots, three children each, two grandchildren each
  for (qint32 r = 1; r <= 2; ++r) {
    const QString kr = ClaveArbol::NumeroASegmento(r);
    nodos << Nodo(3, ClaveArbol::Rellenar(kr), largo + QString::number(r), 0);
    const qint32 raiz = nodos.last();
    for (qint32 h = 1; h <= 3; ++h) {
      const QString kh = kr + ClaveArbol::NumeroASegmento(h);
      nodos << Nodo(3, ClaveArbol::Rellenar(kh), largo + QString::number(h), raiz);
      const qint32 hijo = nodos.last();
      for (qint32 n = 1; n <= 2; ++n)
        nodos << Nodo(3, ClaveArbol::ClaveHijo(kh, n), QStringLiteral("Ñu del delta %1").arg(n), hijo);
    }
  }
  const qint32 nieto = nodos[2];
  const qint32 bisnieto = Nodo(3, "0101010100000000", "Fin", nieto);  // its path is cut at 150
  taz->UpdateRutaPadre(3, false);
  ASSERT_EQ(Lineas(arboles::VerificadorArbol(taz->oGlobales, 3).Verificar()), "");

  const struct {
    const char* caso;
    qint32 id;
    QString ruta;
  } casos[] = {
      {"la de un primo de la misma rama", nodos[5], Ruta(nieto)},
      {"la de un primo de la otra raíz", nodos[12], Ruta(nieto)},
      {"con un carácter de más", nodos[3], Ruta(nodos[3]) + "x"},
      {"cortada un carácter antes", bisnieto, Ruta(bisnieto).chopped(1)},
      {"sin cortar", bisnieto, Ruta(nieto) + "Ñu del delta 1:"},
      {"vacía", nodos[1], QString()},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    const QString buena = Ruta(c.id);
    ASSERT_NE(buena.toStdString(), c.ruta.toStdString());
    Ejecutar(QStringLiteral("UPDATE Arboles SET RutaPadre=%1 WHERE ZolmarID=%2")
                 .arg(cn->SQLLiteral(c.ruta))
                 .arg(c.id));
    const QString nombre =
        Valor(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(c.id)).toString();
    EXPECT_EQ(Lineas(arboles::VerificadorArbol(taz->oGlobales, 3).Verificar()),
              QStringLiteral("Aviso: Nodo %1 (%2): RutaPadre desactualizada: '%3' en lugar de '%4'")
                  .arg(c.id)
                  .arg(nombre, c.ruta, buena)
                  .toStdString());
    Ejecutar(QStringLiteral("UPDATE Arboles SET RutaPadre=%1 WHERE ZolmarID=%2")
                 .arg(cn->SQLLiteral(buena))
                 .arg(c.id));
  }
}

// The path is cut as the database cuts it: an emoji is one character, so
// a path rebuilt by the module is current however the cut falls on it.
TEST_F(Verificador, ElCorteCuentaUnEmojiComoUnCaracter) {
  SKIP_ON_SERVER("a server refuses a name wider than its column");
  const QString emoji = QString::fromUtf8("😀");
  const qint32 raiz = Nodo(3, "0100000000000000", QString(60, 'r') + emoji, 0);
  const qint32 hijo = Nodo(3, "0101000000000000", QString(60, 'h') + emoji, raiz);
  const qint32 nieto = Nodo(3, "0101010000000000", QString(24, 'n') + emoji + emoji, hijo);
  const qint32 bisnieto = Nodo(3, "0101010100000000", "Fin", nieto);
  taz->UpdateRutaPadre(3, false);
  EXPECT_TRUE(Ruta(bisnieto).endsWith(emoji + emoji)) << Ruta(bisnieto).toStdString();
  EXPECT_EQ(Lineas(arboles::VerificadorArbol(taz->oGlobales, 3).Verificar()), "");
}

// Keys and names reach the messages as they are stored, whatever the compact
// form made of them; scattered ids are found as dense ones are.
TEST_F(Verificador, ClavesYNombresRarosSeInformanComoEstan) {
  const struct {
    const char* caso;
    const char* clavePadre;
    const char* claveHijo;
    qint32 idPadre;      // written over the parent's id when not 0
    const char* lineas;  // %1 the parent's id, %2 the child's
  } casos[] = {
      {"clave con eñe", "0100000000000000", "ñ101000000000000", 0,
       "Nodo %2 (Hijo): la clave 'ñ101000000000000' está mal formada"},
      {"padre con clave corta que sí es prefijo", "01", "0101000000000000", 0,
       "Nodo %1 (Raíz): la clave '01' está mal formada"},
      {"padre con clave rota que no es prefijo", "01x0000000000000", "0101000000000000", 0,
       "Nodo %2 (Hijo): la clave 0101000000000000 no empieza por la de su padre %1\n"
       "Nodo %1 (Raíz): la clave '01x0000000000000' está mal formada"},
      {"ids dispersos", "0100000000000000", "0101000000000000", 7000000, ""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    SetUp();
    qint32 padre = Nodo(1, c.clavePadre, "Raíz", 0);
    if (c.idPadre != 0) {
      Ejecutar(QStringLiteral("UPDATE Arboles SET ZolmarID=%1 WHERE ZolmarID=%2").arg(c.idPadre).arg(padre));
      padre = c.idPadre;
    }
    const qint32 hijo = Nodo(1, QString::fromUtf8(c.claveHijo), "Hijo", padre);
    taz->UpdateRutaPadre(1, false);
    EXPECT_EQ(Lineas(arboles::VerificadorArbol(taz->oGlobales, 1).Verificar()),
              QString::fromUtf8(c.lineas)
                  .replace("%1", QString::number(padre))
                  .replace("%2", QString::number(hijo))
                  .toStdString());
  }
}
