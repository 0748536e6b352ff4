// The exact statements the editor sends for its commands, the quiet signal
// of a move that has nowhere to go, and a tree whose rows cannot be read.

#include <sqlite3.h>

#include <functional>

#include "editor_fixture.h"
#include "zolmar/services/app_global.h"

using arboles::FrmArboles;

class SentenciasEditor : public EditorTest {};

TEST_F(SentenciasEditor, TextosExactosDeLasConsultasDelEditor) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas");
  const qint32 vinos = Nodo(3, "0101000000000000", "Vinos", bebidas);
  const qint32 aguas = Nodo(3, "0102000000000000", "Aguas", bebidas);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  const QString id = QString::number(aguas);
  const struct {
    const char* caso;
    std::function<void()> accion;
    QStringList esperadas;
  } casos[] = {
      {"fill",
       [f] { f->RecargarArbol(); },
       {"SELECT zolmarID, nombre,id_padre, CriterioHijos FROM Arboles WHERE tipo = 3 ORDER BY clave"}},
      {"child level key",
       [&] {
         f->TreeArbol->ClickNode(K(bebidas));
         f->btnAccion[0]->Click();
       },
       {"SELECT MAX(SUBSTRING(clave,3,2))FROM arboles WHERE tipo=3 AND left(clave,2)='01'",
        QStringLiteral("SELECT NomAux1, NomAux2, NomAux3, NomAux4, NomAux5, NomAux6, UsoAux FROM arboles "
                       "WHERE zolmarID=%1")
            .arg(bebidas)}},
      {"saved child path",
       [f] {
         f->getNombre->setText("Cervezas");
         f->btnGuardar->Click();
       },
       {QStringLiteral("SELECT RutaPadre FROM arboles WHERE ZolmarID=%1").arg(bebidas)}},
      {"move up",
       [&] {
         f->TreeArbol->ClickNode(K(aguas));
         f->btnOrden[0]->Click();
       },
       {"SELECT Clave FROM Arboles WHERE Tipo=3 AND Clave LIKE '01__000000000000' AND Clave NOT LIKE "
        "'0100000000000000' ORDER BY Clave",
        "SELECT ZolmarID FROM Arboles  WHERE Tipo=3 AND Clave LIKE '0102%'",
        "SELECT ZolmarID FROM Arboles  WHERE Tipo=3 AND Clave LIKE '0101%'",
        QStringLiteral("UPDATE Arboles SET Clave='0101' + RIGHT(Clave,12) WHERE ZolmarID IN(%1) ; "
                       "UPDATE Arboles SET Clave='0102' + RIGHT(Clave,12) WHERE ZolmarID IN(%2)")
            .arg(aguas)
            .arg(vinos)}},
      {"references",
       [f] { f->btnAccion[4]->Click(); },
       {"SELECT TOP 1 ZolmarID FROM Arboles WHERE ID_Padre=" + id,
        "SELECT TOP 500 ZolmarID, Barras, Nombre FROM Articulos WHERE ID_categoria1=" + id}},
  };
  for (const auto& c : casos) {
    const QStringList& enviadas = Grabar();
    c.accion();
    for (const QString& s : c.esperadas)
      EXPECT_TRUE(enviadas.contains(s)) << c.caso << ": " << s.toStdString();
  }
  EXPECT_EQ(UltimoMensaje(), "No hay referencias");
}

TEST_F(SentenciasEditor, ReferenciasDeClientesYProveedores) {
  for (qint32 tipo : {1, 2}) {
    const qint32 grupo = Nodo(tipo, "0100000000000000", "Grupo");
    FrmArboles* f = Editor(tipo);
    ASSERT_NE(f, nullptr);
    const QString alias = tipo == 1 ? "C" : "P";
    const QString tabla = tipo == 1 ? "Clientes" : "Proveedores";
    const QStringList& enviadas = Grabar();
    f->TreeArbol->ClickNode(K(grupo));
    f->btnAccion[4]->Click();
    EXPECT_TRUE(
        enviadas.contains(QStringLiteral("SELECT %1.ZolmarID, N.Nombre + ' ' + N.Apellidos FROM %2 %1 "
                                         "LEFT JOIN Nombres N ON %1.ID_Nombre = N.ZolmarID WHERE "
                                         "%1.ID_Grupo=%3")
                              .arg(alias, tabla)
                              .arg(grupo)))
        << tipo;
    f->Unload();
  }
}

// The first child moved up and the last moved down change nothing: the host
// is only given its signal, no key is written.
TEST_F(SentenciasEditor, MoverSinVecinoSoloDaLaSenal) {
  const qint32 r = Nodo(3, "0100000000000000", "R");
  const qint32 a = Nodo(3, "0101000000000000", "A", r);
  const qint32 b = Nodo(3, "0102000000000000", "B", r);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  auto* app = dynamic_cast<zolmar::AppGlobal*>(host->appGlobal().get());
  ASSERT_NE(app, nullptr);
  const struct {
    qint32 nodo;
    qint32 boton;
  } casos[] = {{a, 0}, {b, 1}, {r, 0}, {r, 1}};
  for (const auto& c : casos) {
    const qint32 antes = app->SignalCount();
    const QStringList& enviadas = Grabar();
    f->TreeArbol->ClickNode(K(c.nodo));
    f->btnOrden[c.boton]->Click();
    EXPECT_EQ(app->SignalCount(), antes + 1) << c.nodo;
    EXPECT_TRUE(enviadas.filter("UPDATE").isEmpty()) << c.nodo;
  }
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(SentenciasEditor, SinFilasLegiblesElArbolQuedaVacioYOculto) {
  SKIP_ON_SERVER("the table is hidden through SQLite");
  Nodo(3, "0100000000000000", "Bebidas");
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  EXPECT_FALSE(f->TreeArbol->isHidden());
  ASSERT_EQ(sqlite3_exec(host->connection()->handle(), "ALTER TABLE Arboles RENAME TO ArbolesAparte", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  f->RecargarArbol();
  EXPECT_EQ(f->TreeArbol->topLevelItemCount(), 0);
  EXPECT_TRUE(f->TreeArbol->isHidden());
  EXPECT_TRUE(Mensajes().isEmpty());
}
