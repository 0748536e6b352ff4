// The organisation window driven as a person would: clicks in both trees,
// the action buttons, the answers to its questions.

#include <QApplication>

#include "common/textos_marcados.h"
#include "editor/frm_arboles.h"
#include "mover_categorias_fixture.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/db/fault_injector.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/list_window.h"
#include "zolmar/ui/st_bar.h"

using arboles::FrmMoverCategorias;

namespace {

class MoverCategoriasTest : public MoverCategoriasFixture {
 protected:
  void SetUp() override {
    MoverCategoriasFixture::SetUp();
    Empresa();
    Referencias();
  }
  // Tintos 2 articles, Blancos and Vinagres 1 each.
  void Referencias() {
    for (const char* n : {"Tintos", "Tintos", "Blancos", "Vinagres"})
      Fila("Articulos", "ID_Categoria1", Id(n));
  }
  QString Texto(FrmMoverCategorias& f, qint32 arbol, const QString& nombre) {
    return f.TreeArbol[arbol]->Node(Kn(nombre)).Text();
  }
};

TEST_F(MoverCategoriasTest, LoadsBothTreesWithCountsAndMarksTheFirstNode) {
  Organizar([&](FrmMoverCategorias& f) {
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Organización de categorías"));
    const QColor rojo(255, 0, 0);
    for (qint32 i = 0; i < 2; ++i) {
      EXPECT_EQ(Texto(f, i, "/"), "/");
      EXPECT_EQ(Texto(f, i, "Tintos"), "Tintos (2 Referencias)");
      EXPECT_EQ(Texto(f, i, "Vinos"), "Vinos");
      for (const char* hoja : {"Cava y vinos espumosos", "Refrescos", "D'Oro [especial]"})
        EXPECT_EQ(f.TreeArbol[i]->Node(K(hoja)).ForeColor(), rojo) << hoja;
      // A node with the "BORRADO" mark reads so, in grey, whatever its references.
      EXPECT_EQ(f.TreeArbol[i]->Node(K("Retirados")).ForeColor(), zolmar::TreeView::DeletedTextColor());
      EXPECT_EQ(f.TreeArbol[i]->Node(K("Retirados")).DisplayText(), "Retirados [BORRADO]");
      for (const char* n : {"Tintos", "Vinos", "Alimentación"})
        EXPECT_NE(f.TreeArbol[i]->Node(K(QString::fromUtf8(n))).ForeColor(), rojo) << n;
      EXPECT_TRUE(Resaltado(f.TreeArbol[i]->Node(K("Bebidas"))));
    }
    EXPECT_EQ(f.Origen(), Id("Bebidas"));
    EXPECT_EQ(f.Destino(), Id("Bebidas"));
    // Each tree keeps its own selection; an unmarked red leaf is red again.
    f.TreeArbol[0]->ClickNode(K("Refrescos"));
    f.TreeArbol[0]->ClickNode(K("Tintos"));
    EXPECT_EQ(f.TreeArbol[0]->Node(K("Refrescos")).ForeColor(), rojo);
    EXPECT_FALSE(Resaltado(f.TreeArbol[0]->Node(K("Bebidas"))));
    EXPECT_TRUE(Resaltado(f.TreeArbol[0]->Node(K("Tintos"))));
    EXPECT_TRUE(Resaltado(f.TreeArbol[1]->Node(K("Bebidas"))));
    EXPECT_EQ(f.Origen(), Id("Tintos"));
    EXPECT_EQ(f.Destino(), Id("Bebidas"));
  });
}

// The status bar is connected: it reads the tip of the control with the focus.
TEST_F(MoverCategoriasTest, TheStatusBarShowsTheTipOfTheFocusedControl) {
  Organizar([&](FrmMoverCategorias& f) {
    f.show();
    QApplication::setActiveWindow(&f);
    f.btnCancelar->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(f.stbEstado->PanelText(0), "Salir");
  });
}

TEST_F(MoverCategoriasTest, RefusalsAndDeclinedQuestionsChangeNothing) {
  const QString kNoValida = FrmMoverCategorias::MensajeNoValida;
  Fila("Articulos", "ID_Categoria1", 0);
  struct Caso {
    const char* origen;
    const char* destino;
    qint32 accion;
    QString mensaje;  // empty: a question the person declines
  };
  const QString asignada = QStringLiteral(
      "<B>No se puede realizar la operación:</B><BR>La categoría de destino esta asignada a %1 referencias.");
  const Caso casos[] = {
      {"Tintos", "Tintos", 0, kNoValida},
      {"Tintos", "Tintos", 1, kNoValida},
      {"/", "Vinos", 1, kNoValida},
      {"Vinos", "Tintos", 1, kNoValida},
      {"Vinos", "Vinos", 0, kNoValida},
      {"Tintos", "Vinos", 0, kNoValida},
      {"Tintos", "Vinos", 1, kNoValida},
      {"Refrescos", "Vinos", 0,
       QString::fromUtf8(
           "No se puede unir una categoría que no tenga ramas hijas con una que si las tenga.")},
      {"Vinos", "Refrescos", 0, QString::fromUtf8("No se pueden unir categorías que tengan ramas hijas.")},
      {"Refrescos", "Tintos", 1, asignada.arg(2)},
      {"Refrescos", "/", 1, asignada.arg(1)},
      {"Blancos", "Tintos", 0, QString()},
      {"Refrescos", "Vinagres", 0, QString()},
      {"Vinagres", "Refrescos", 1, QString()},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.origen) + " -> " + c.destino + " accion " + std::to_string(c.accion));
    ui().clear();
    const QString antes = zolmar::DatabaseDump::of(*cn);
    if (c.mensaje.isEmpty()) ui().queueAnswer(false);
    Organizar([&](FrmMoverCategorias& f) {
      Elegir(f, c.origen, c.destino);
      f.btnAccion[c.accion]->Click();
      EXPECT_FALSE(f.AccionRealizada());
      EXPECT_EQ(f.Origen(), Id(c.origen));
      EXPECT_EQ(f.Destino(), Id(c.destino));
      EXPECT_TRUE(Resaltado(f.TreeArbol[0]->Node(Kn(c.origen))));
      EXPECT_TRUE(Resaltado(f.TreeArbol[1]->Node(Kn(c.destino))));
    });
    EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
    EXPECT_EQ(Preguntas(), c.mensaje.isEmpty() ? 1 : 0);
    if (c.mensaje.isEmpty()) continue;
    ASSERT_EQ(ui().messages().size(), 1);
    const auto& m = ui().messages().first();
    EXPECT_EQ(m.text, c.mensaje);
    EXPECT_EQ(m.title, QString::fromUtf8("Información"));
    EXPECT_EQ(m.icon, arboles::IconInformation);
    EXPECT_EQ(m.buttons, 0);
  }
}

TEST_F(MoverCategoriasTest, TheRootAsDestinationIsCalledPrincipal) {
  ui().queueAnswer(false);
  Organizar([&](FrmMoverCategorias& f) {
    Elegir(f, "Vinos", "/");
    f.btnAccion[1]->Click();
  });
  ASSERT_EQ(Preguntas(), 1);
  EXPECT_TRUE(ui().messages().first().text.endsWith(QString::fromUtf8(
      "¿ Desea añadir la categoría <B>Vinos</B><BR>como hija de la categoría <B>Principal</B> ?")));
}

TEST_F(MoverCategoriasTest, MergeOfTwoLeavesRepointsOnlyTheTablesOfItsTreeType) {
  struct Destino {
    QString tabla, columna;
  };
  const QList<Destino> todas = {
      {"Articulos", "ID_Categoria1"},    {"Tarifas", "ID_Categoria"}, {"GruposComisionesX", "ID_Categoria"},
      {"ArtCompuestos", "ID_Categoria"}, {"Clientes", "ID_Grupo"},    {"Proveedores", "ID_Grupo"}};
  struct Caso {
    qint32 tipo;
    QStringList reapuntadas;
    const char* cuenta;  // what the question says will move
  };
  const Caso casos[] = {{3,
                         {"Articulos", "Tarifas", "GruposComisionesX", "ArtCompuestos"},
                         "Se traspasarán <B>4</B> fichas: 1 de Artículos, 1 de Tarifas, 1 de Grupos de "
                         "comisiones, 1 de Artículos compuestos."},
                        {1, {"Clientes"}, "Se traspasará <B>1</B> ficha: 1 de Clientes."},
                        {2, {"Proveedores"}, "Se traspasará <B>1</B> ficha: 1 de Proveedores."}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tipo);
    Empresa(c.tipo);
    const qint32 origen = Id("Tintos"), destino = Id("Blancos");
    for (const Destino& d : todas) Fila(d.tabla, d.columna, origen);
    ui().queueAnswer(true);
    ui().queueAnswer(false);
    QStringList& enviadas = Grabar();
    Organizar(
        [&](FrmMoverCategorias& f) {
          Elegir(f, "Tintos", "Blancos");
          f.btnAccion[0]->Click();
          EXPECT_TRUE(f.AccionRealizada());
          EXPECT_EQ(f.Origen(), origen);
          EXPECT_TRUE(Resaltado(f.TreeArbol[0]->Node(K("Tintos"))));
          EXPECT_TRUE(Resaltado(f.TreeArbol[1]->Node(K("Blancos"))));
          EXPECT_EQ(f.TreeArbol[1]->Node(K("Tintos")).ForeColor(), QColor(255, 0, 0));
        },
        c.tipo);
    for (const Destino& d : todas) {
      const bool movida = c.reapuntadas.contains(d.tabla);
      EXPECT_EQ(Cuantas(d.tabla, d.columna, destino), movida ? 1 : 0) << d.tabla.toStdString();
      if (d.tabla == "Articulos" || d.tabla == "Clientes" || d.tabla == "Proveedores") {
        EXPECT_EQ(Valor("SELECT COUNT(*) FROM " + d.tabla + " WHERE FechaModificacion IS NOT NULL").toInt(),
                  movida ? 1 : 0)
            << d.tabla.toStdString();
      }
    }
    EXPECT_EQ(Cuantas("Arboles", "ZolmarID", origen), 1);
    const auto& m = ui().messages();
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[0].text, QString::fromUtf8(
                             "Este proceso traspasa las referencias clasificadas en la categoría actual a la "
                             "categoría destino,<BR>dejando vacia la categoría de origen (y si se quiere "
                             "pudiéndose borrar).<BR><BR>") +
                             QString::fromUtf8(c.cuenta) +
                             QString::fromUtf8("<BR><BR>¿ Desea unir la categoría <B>Tintos</B> con la "
                                               "categoría <B>Blancos</B> ?"));
    EXPECT_EQ(m[1].text, QString::fromUtf8("¿ Desea borrar la categoría de origen ?"));
    EXPECT_EQ(m[1].title, QString::fromUtf8("Confirmación"));
    // The re-pointing is one batch of the tree type's statements.
    const QString batch = enviadas.filter(QStringLiteral("SET ID_")).value(0);
    EXPECT_EQ(batch.count(QStringLiteral(" ; ")), c.reapuntadas.size() - 1) << batch.toStdString();
    EXPECT_TRUE(
        batch.endsWith(QStringLiteral(" WHERE %1=%2")
                           .arg(c.tipo == 3 ? QStringLiteral("ID_Categoria") : QStringLiteral("ID_Grupo"))
                           .arg(origen)))
        << batch.toStdString();
    EXPECT_EQ(Cuantas("ZolmarBloqueos", "1", 1), 0);
    Sano(c.tipo);
  }
}

TEST_F(MoverCategoriasTest, MergeWithDeletionSelectsAndExpandsTheFormerParent) {
  struct Caso {
    const char* nombre;
    const char* origen;
    const char* destino;
    bool soloHijo;
    bool enUso;  // CanBeDeleted keeps the node
    const char* padre;
  };
  const Caso casos[] = {
      {"only child into its parent", "Zumos", "Refrescos", true, false, "Refrescos"},
      {"only child still in use", "Zumos", "Refrescos", true, true, "Refrescos"},
      {"leaf into its sibling", "Tintos", "Blancos", false, false, "Vinos"},
      {"leaf still in use", "Tintos", "Blancos", false, true, "Vinos"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Empresa();
    Nodo(3, "Zumos", "0103010000000000", "Refrescos");
    Referencias();
    Fila("Articulos", "ID_Categoria1", Id("Zumos"));
    if (c.enUso) Fila("Data_ImpX", "ID_Categoria1", Id(c.origen));
    Asignaciones({{1, 5, c.origen}});
    const qint32 origen = Id(c.origen);
    ui().queueAnswer(true);
    if (!c.soloHijo) ui().queueAnswer(true);
    Organizar([&](FrmMoverCategorias& f) {
      Elegir(f, c.origen, c.destino);
      f.btnAccion[0]->Click();
      EXPECT_TRUE(f.AccionRealizada());
      EXPECT_EQ(f.Origen(), Id(c.padre));
      const auto padre = f.TreeArbol[0]->Node(K(c.padre));
      EXPECT_TRUE(Resaltado(padre));
      if (padre.Children() > 0) {
        EXPECT_TRUE(padre.Expanded());
      }
      EXPECT_EQ(f.TreeArbol[0]->Node(K(c.origen)).isNull(), !c.enUso);
    });
    EXPECT_EQ(Preguntas(), c.soloHijo ? 1 : 2);
    EXPECT_EQ(ui().messages().first().text.contains(QString::fromUtf8("pudiéndose borrar")), !c.soloHijo);
    EXPECT_EQ(Cuantas("Arboles", "ZolmarID", origen), c.enUso ? 1 : 0);
    EXPECT_EQ(Cuantas("Articulos", "ID_Categoria1", origen), 0);
    EXPECT_EQ(Cuantas("Articulos", "ID_Categoria1", Id(c.destino)), c.soloHijo ? 1 : 3);
    EXPECT_EQ(Asignadas(), QStringList{QStringLiteral("1 5 %1").arg(Id(c.destino))});
    Sano();
  }
}

TEST_F(MoverCategoriasTest, MoveUnderADestinationWith254ChildrenButNot255) {
  for (const qint32 hijos : {254, 255}) {
    SCOPED_TRACE(hijos);
    Empresa();
    const QString cava = QStringLiteral("Cava y vinos espumosos");
    for (qint32 h = 1; h <= hijos; ++h)
      InsertarNodo(3, "0101" + QString::number(h, 16).toUpper().rightJustified(2, '0') + QString(10, '0'),
                   QStringLiteral("Hijo %1").arg(h), Id(cava), 0, {{"RutaPadre", "''"}});
    const bool permitido = hijos < 255;
    if (permitido) ui().queueAnswer(true);
    Organizar([&](FrmMoverCategorias& f) {
      Elegir(f, "Refrescos", cava);
      f.btnAccion[1]->Click();
      EXPECT_EQ(f.AccionRealizada(), permitido);
      EXPECT_EQ(f.Origen(), Id("Refrescos"));
      EXPECT_EQ(f.Destino(), Id(cava));
    });
    EXPECT_EQ(Cuantas("Arboles", "ID_Padre", Id(cava)), permitido ? hijos + 1 : hijos);
    const auto& m = ui().messages().first();
    if (permitido) {
      EXPECT_EQ(m.text,
                QString::fromUtf8("Este proceso añadirá como un nivel más de la categoría de destino<BR>la "
                                  "rama que hayamos elegido del árbol de origen.<BR><BR>¿ Desea añadir la "
                                  "categoría <B>Refrescos</B><BR>como hija de la categoría <B>Cava y vinos "
                                  "espumosos</B> ?"));
      // Present order is kept: the old key 0103 sorts after the 0101xx children.
      EXPECT_EQ(Clave(Id("Refrescos")), "0101FF0000000000");
      Sano();
    } else {
      EXPECT_EQ(m.text, "No puede crear mas de 255 elementos para un mismo nivel de una rama");
      EXPECT_EQ(m.buttons, 1);
    }
  }
}

TEST_F(MoverCategoriasTest, MovingABranchCarriesItsDescendantsAndRebuildsPaths) {
  ui().queueAnswer(true);
  Organizar([&](FrmMoverCategorias& f) {
    Elegir(f, "Vinos", QString::fromUtf8("Alimentación"));
    f.btnAccion[1]->Click();
    EXPECT_TRUE(f.AccionRealizada());
    EXPECT_EQ(f.TreeArbol[0]->Node(K("Tintos")).FullPath(),
              QString::fromUtf8("/\\Alimentación\\Vinos\\Tintos (2 Referencias)"));
  });
  // Its old key 0102 sorts before Vinagres (0201): the branch comes first.
  EXPECT_EQ(Clave(Id("Vinos")), "0201000000000000");
  EXPECT_EQ(Clave(Id("Blancos")), "0201020000000000");
  EXPECT_EQ(Clave(Id("Vinagres")), "0202000000000000");
  EXPECT_EQ(
      Valor(QStringLiteral("SELECT RutaPadre FROM Arboles WHERE ZolmarID=%1").arg(Id("Tintos"))).toString(),
      QString::fromUtf8("Alimentación:Vinos:"));
  Sano();
}

// Statement 1 counts what will move (before the question), 2 to 5 are the
// batch, 6 and 7 the category assignments.
TEST_F(MoverCategoriasTest, AStatementFailingInTheMergeBatchLeavesEveryTableAsItWas) {
  for (qint32 k = 1; k <= 7; ++k) {
    SCOPED_TRACE(k);
    Empresa();
    Referencias();
    for (const char* t : {"Tarifas", "GruposComisionesX", "ArtCompuestos"})
      Fila(t, "ID_Categoria", Id("Tintos"));
    Asignaciones({{1, 5, "Tintos"}, {1, 5, "Blancos"}, {2, 5, "Tintos"}});
    const QString antes = zolmar::DatabaseDump::of(*cn);
    ui().queueAnswer(true);
    bool fallo = false;
    Organizar([&](FrmMoverCategorias& f) {
      Elegir(f, "Tintos", "Blancos");
      zolmar::FaultInjector averia(cn, k);
      f.btnAccion[0]->Click();
      fallo = averia.fired();
      EXPECT_FALSE(f.AccionRealizada());
      EXPECT_EQ(f.Origen(), Id("Tintos"));
      EXPECT_EQ(Texto(f, 0, "Tintos"), "Tintos (2 Referencias)");
    });
    EXPECT_TRUE(fallo);
    EXPECT_EQ(cn->transactionDepth(), 0);
    EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
    EXPECT_EQ(Preguntas(), k == 1 ? 0 : 1);
    const auto& m = ui().messages().last();
    EXPECT_EQ(m.icon, arboles::IconError);
    EXPECT_TRUE(m.text.contains(FrmMoverCategorias::NombreVentana)) << m.text.toStdString();
    EXPECT_FALSE(ui().waitWindowOpen());
  }
}

// The customers' and suppliers' category assignments of the origin move with
// it, in the same transaction, and none becomes a second row of the same
// category for the same customer or supplier.
TEST_F(MoverCategoriasTest, MergeCarriesTheCategoryAssignmentsWithoutRepeatingThem) {
  struct Caso {
    const char* destino;
    bool borrar;
    QStringList quedan;  // "tipo quien category" in row order
  };
  const Caso casos[] = {
      {"Blancos", true, {"1 5 Blancos", "2 5 Blancos", "1 8 Blancos"}},
      {"Blancos", false, {"1 5 Blancos", "2 5 Blancos", "1 8 Blancos"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.destino) + (c.borrar ? " borrando" : ""));
    Empresa();
    Referencias();
    // Customer 5 has both, supplier 5 and customer 8 only the origin.
    Asignaciones({{1, 5, "Blancos"}, {1, 5, "Tintos"}, {2, 5, "Tintos"}, {1, 8, "Tintos"}});
    const QString origen = QString::number(Id("Tintos")), destino = QString::number(Id(c.destino));
    ui().queueAnswer(true);
    ui().queueAnswer(c.borrar);
    QStringList& enviadas = Grabar();
    Organizar([&](FrmMoverCategorias& f) {
      Elegir(f, "Tintos", c.destino);
      f.btnAccion[0]->Click();
      EXPECT_TRUE(f.AccionRealizada());
      ASSERT_EQ(f.Traspasadas().size(), 5);
      EXPECT_EQ(f.Traspasadas()[4].tabla, "Categorias");
      EXPECT_EQ(f.Traspasadas()[4].filas, 3);
    });
    QStringList quedan;
    for (const QString& a : Asignadas()) {
      const QStringList partes = a.split(' ');
      quedan << partes[0] + ' ' + partes[1] + ' ' + id.key(partes[2].toInt());
    }
    EXPECT_EQ(quedan, c.quedan);
    EXPECT_EQ(Cuantas("Arboles", "ZolmarID", Id("Tintos")), c.borrar ? 0 : 1);
    EXPECT_TRUE(ui().messages().first().text.contains(
        QString::fromUtf8("Se traspasarán <B>5</B> fichas: 2 de Artículos, 3 de Categorías de clientes y "
                          "proveedores.")));
    // The batch of the articles' tables is kept as it was; the assignments follow it.
    const QString asignaciones = "DELETE FROM Categorias WHERE ID_Categoria=" + origen +
                                 " AND EXISTS (SELECT 1 FROM Categorias D WHERE D.Tipo=Categorias.Tipo AND "
                                 "D.ID_Quien=Categorias.ID_Quien AND D.ID_Categoria=" +
                                 destino + ") ; UPDATE Categorias SET ID_Categoria=" + destino +
                                 " WHERE ID_Categoria=" + origen;
    const qsizetype lote = enviadas.indexOf(enviadas.filter("UPDATE Articulos").value(0));
    ASSERT_GE(lote, 0);
    EXPECT_TRUE(enviadas[lote].endsWith("UPDATE ArtCompuestos SET ID_Categoria=" + destino +
                                        " WHERE ID_Categoria=" + origen));
    EXPECT_EQ(enviadas.value(lote + 1), asignaciones);
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM Categorias C LEFT JOIN Arboles A ON A.ZolmarID=C.id_categoria "
                    "WHERE A.ZolmarID IS NULL")
                  .toInt(),
              0);
    Sano();
  }
}

// A customer group is no category, so its merge re-points no assignment; one
// that points at it all the same keeps the origin from being deleted.
TEST_F(MoverCategoriasTest, AnOriginAnAssignmentStillPointsAtIsKept) {
  Empresa(1);
  Asignaciones({{1, 5, "Tintos"}});
  ui().queueAnswer(true);
  ui().queueAnswer(true);
  Organizar(
      [&](FrmMoverCategorias& f) {
        Elegir(f, "Tintos", "Blancos");
        f.btnAccion[0]->Click();
        EXPECT_TRUE(f.AccionRealizada());
      },
      1);
  EXPECT_EQ(Cuantas("Arboles", "ZolmarID", Id("Tintos")), 1);
  EXPECT_EQ(Asignadas(), QStringList{QStringLiteral("1 5 %1").arg(Id("Tintos"))});
}

TEST_F(MoverCategoriasTest, ReferencesListTheSelectionWithoutAMessageWhenEmpty) {
  struct Caso {
    qint32 boton;
    const char* nombre;
    qint32 filas;
  };
  for (const Caso& c : {Caso{0, "Tintos", 2}, Caso{1, "Bebidas", 0}}) {
    ui().clear();
    Organizar([&](FrmMoverCategorias& f) {
      f.TreeArbol[c.boton]->ClickNode(K(c.nombre));
      f.btnReferencias[c.boton]->Click();
      ASSERT_NE(f.VentanaReferencias(), nullptr);
      EXPECT_EQ(f.VentanaReferencias()->Title(),
                QString::fromUtf8("Referencias de la categoría seleccionada"));
      EXPECT_EQ(f.VentanaReferencias()->RowCount(), c.filas);
    });
    EXPECT_TRUE(ui().messages().isEmpty());
  }
}

TEST_F(MoverCategoriasTest, TheEditorsOrganiseButtonOpensTheWindowAndWaits) {
  arboles::FrmArboles::Registrar();
  ASSERT_TRUE(taz->MostrarFicha(3));
  arboles::FrmArboles* editor = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* e = qobject_cast<arboles::FrmArboles*>(w); e && !e->IsClosed()) editor = e;
  ASSERT_NE(editor, nullptr);
  bool abierta = false;
  ui().queueAnswer(true);
  ui().whenWaitingFor("FrmMoverCategorias", [&](QWidget* w) {
    abierta = true;
    auto& f = *static_cast<FrmMoverCategorias*>(w);
    Elegir(f, "Refrescos", QString::fromUtf8("Alimentación"));
    f.btnAccion[1]->Click();
    f.btnCancelar->Click();
  });
  editor->btnAccion[2]->Click();
  EXPECT_TRUE(abierta);
  EXPECT_EQ(
      Valor(QStringLiteral("SELECT ID_Padre FROM Arboles WHERE ZolmarID=%1").arg(Id("Refrescos"))).toInt(),
      Id(QString::fromUtf8("Alimentación")));
  editor->Unload();
}

}  // namespace

// Every text of the organisation window and of the pick dialog, and every
// message and question they show, reaches the person through the translation.
TEST_F(MoverCategoriasTest, LasVentanasTraducenTodosSusTextos) {
  TextosMarcados::Marcar(*host);
  Organizar([&](FrmMoverCategorias& f) {
    EXPECT_EQ(TextosMarcados::SinMarcar(&f).join("\n").toStdString(), "");
    Elegir(f, "Tintos", "Blancos");
    ui().queueAnswer(false);
    f.btnAccion[0]->Click();
    Elegir(f, "Tintos", "Tintos");
    f.btnAccion[1]->Click();
    EXPECT_EQ(TextosMarcados::SinMarcar(&f).join("\n").toStdString(), "");
  });
  for (const bool multiple : {false, true}) {
    SCOPED_TRACE(multiple);
    QString lista;
    Buscar(
        [&](arboles::FrmBuscaArbol& f) {
          EXPECT_EQ(TextosMarcados::SinMarcar(&f).join("\n").toStdString(), "");
          f.btnCancelar->Click();
        },
        3, false, 0, multiple, &lista);
  }
  ASSERT_FALSE(ui().messages().isEmpty());
  EXPECT_EQ(TextosMarcados::MensajesSinMarcar(ui()).join("\n").toStdString(), "");
}

// A dialog's keys: only Escape closes the window; the save and accept keys
// of a dialog do nothing here, where there is nothing to accept.
TEST_F(MoverCategoriasTest, SoloEscapeCierraLaVentana) {
  using zolmar::KeyCodes;
  const struct {
    qint32 codigo, shift;
    bool cierra;
  } casos[] = {{KeyCodes::Escape, 0, true},
               {KeyCodes::F1 + 8, 0, false},
               {'S', KeyCodes::CtrlMask, false},
               {KeyCodes::F1 + 9, 0, false},
               {KeyCodes::Return, KeyCodes::CtrlMask, false}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.codigo);
    Organizar([&](FrmMoverCategorias& f) {
      f.PressKey(c.codigo, c.shift);
      EXPECT_EQ(f.IsClosed(), c.cierra);
    });
  }
}
