// Deleting a node from the editor removes it with its category assignments
// and its comment, or removes nothing.

#include <sqlite3.h>

#include "editor_fixture.h"

using arboles::FrmArboles;

TEST_F(EditorTest, BorrarDesdeElEditorQuitaAsignacionesYComentarioOnada) {
  SKIP_ON_SERVER("the failure comes from an SQLite trigger");
  const struct {
    const char* nombre;
    const char* regla;  // a rule of another program that makes the deletion fail
  } casos[] = {
      {"borrado", nullptr},
      {"falla el comentario",
       "CREATE TRIGGER falla BEFORE DELETE ON comentarios BEGIN SELECT RAISE(ABORT, 'comentario'); END"},
      {"falla el registro",
       "CREATE TRIGGER falla BEFORE DELETE ON Arboles BEGIN SELECT RAISE(ABORT, 'registro'); END"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    SetUp();
    const qint32 otro = Nodo(1, "0100000000000000", "Otro");
    const qint32 libre = Nodo(1, "0200000000000000", "Sin uso");
    cn->ExecuteSQL("INSERT INTO comentarios (ZolmarID, comentario) VALUES (70, 'nota')");
    cn->ExecuteSQL(QStringLiteral("UPDATE Arboles SET id_comentario=70 WHERE ZolmarID=%1").arg(libre));
    cn->ExecuteSQL(QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 5, %1) ; "
                                  "INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (2, 6, %1)")
                       .arg(libre));
    if (c.regla) {
      ASSERT_EQ(sqlite3_exec(host->connection()->handle(), c.regla, nullptr, nullptr, nullptr), SQLITE_OK);
    }
    FrmArboles* f = Editor(1);
    ASSERT_NE(f, nullptr);
    f->TreeArbol->ClickNode(K(libre));
    ui().queueAnswer(true);
    f->CtlFicha->pressDelete();

    const bool borrado = c.regla == nullptr;
    const qint32 quedan = borrado ? 0 : 1;
    EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE ZolmarID=%1").arg(libre)).toInt(),
              quedan);
    EXPECT_EQ(
        Valor(QStringLiteral("SELECT COUNT(*) FROM Categorias WHERE id_categoria=%1").arg(libre)).toInt(),
        2 * quedan);
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM comentarios WHERE ZolmarID=70").toInt(), quedan);
    EXPECT_EQ(host->connection()->transactionDepth(), 0);
    EXPECT_EQ(f->TreeArbol->Node(K(libre)).isNull(), borrado);
    EXPECT_FALSE(f->TreeArbol->Node(K(otro)).isNull());
    if (borrado) {
      EXPECT_EQ(ui().messages().size(), 1) << "only the question";
      EXPECT_EQ(f->CtlFicha->FichaDB()->CurrentID(), otro) << "the previous sibling";
    } else {
      ASSERT_EQ(ui().messages().size(), 2);
      EXPECT_EQ(ui().messages()[1].icon, arboles::IconError);
      EXPECT_TRUE(ui().messages()[1].text.startsWith("No se ha podido borrar la ficha."));
      EXPECT_EQ(f->CtlFicha->FichaDB()->CurrentID(), libre) << "the record stays on screen";
      EXPECT_EQ(f->getNombre->Text(), "Sin uso");
      EXPECT_EQ(f->CtlFicha->Mode(), zolmar::CtlFicha::Browsing);
    }
    TearDown();
    ventanas_.clear();
  }
}

// The record browser asks first; No (the default) changes nothing.
TEST_F(EditorTest, BorrarPreguntaYNoNoCambiaNada) {
  const qint32 bebidas = Nodo(3, "0100000000000000", "Bebidas");
  const qint32 aguas = Nodo(3, "0101000000000000", "Aguas", bebidas);
  FrmArboles* f = Editor(3);
  ASSERT_NE(f, nullptr);
  f->TreeArbol->ClickNode(K(aguas));
  ui().queueAnswer(false);
  f->CtlFicha->pressDelete();
  ASSERT_EQ(ui().messages().size(), 1);
  const auto& pregunta = ui().messages()[0];
  EXPECT_EQ(pregunta.kind, "question");
  EXPECT_EQ(pregunta.text, QStringLiteral("¿Desea borrar la ficha <B>Nº %1 - Aguas</B>?").arg(aguas));
  EXPECT_EQ(pregunta.buttons, arboles::ButtonsYesNo | arboles::DefaultSecondButton) << "No by default";
  EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE ZolmarID=%1").arg(aguas)).toInt(), 1);
  EXPECT_EQ(f->CtlFicha->FichaDB()->CurrentID(), aguas);
  EXPECT_EQ(f->TreeArbol->SelectedItem().Key(), K(aguas));
}

// After a delete the editor shows the node that was beside it: the previous
// sibling, else the parent; never the next row in key order.
TEST_F(EditorTest, TrasBorrarQuedaElHermanoAnteriorOElPadre) {
  const struct {
    const char* borrar;
    const char* queda;
  } casos[] = {{"Zumos", "Aguas"}, {"Vinos", "Bebidas"}, {"Otros", "Bebidas"}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.borrar);
    SetUp();
    QHash<QString, qint32> id;
    id["Bebidas"] = Nodo(3, "0100000000000000", "Bebidas");
    id["Vinos"] = Nodo(3, "0101000000000000", "Vinos", id["Bebidas"]);
    id["Aguas"] = Nodo(3, "0102000000000000", "Aguas", id["Bebidas"]);
    id["Zumos"] = Nodo(3, "0103000000000000", "Zumos", id["Bebidas"]);
    id["Otros"] = Nodo(3, "0200000000000000", "Otros");
    id["Limpieza"] = Nodo(3, "0300000000000000", "Limpieza");
    FrmArboles* f = Editor(3);
    ASSERT_NE(f, nullptr);
    f->TreeArbol->ClickNode(K(id[c.borrar]));
    ui().queueAnswer(true);
    f->CtlFicha->pressDelete();
    EXPECT_EQ(f->CtlFicha->FichaDB()->CurrentID(), id[c.queda]);
    EXPECT_EQ(f->getNombre->Text(), c.queda);
    EXPECT_EQ(f->TreeArbol->SelectedItem().Key(), K(id[c.queda]));
    EXPECT_EQ(f->ClaveResaltada(), K(id[c.queda]));
    EXPECT_TRUE(f->TreeArbol->Node(K(id[c.queda])).Highlighted());
    TearDown();
    ventanas_.clear();
  }
}

TEST_F(EditorTest, ElBotonDeComentarioSeMarcaSiLaFichaTieneComentario) {
  const qint32 sin = Nodo(1, "0100000000000000", "Sin comentario");
  const qint32 con = Nodo(1, "0200000000000000", "Con comentario");
  cn->ExecuteSQL("INSERT INTO comentarios (ZolmarID, comentario) VALUES (71, 'nota')");
  cn->ExecuteSQL(QStringLiteral("UPDATE Arboles SET id_comentario=71 WHERE ZolmarID=%1").arg(con));
  FrmArboles* f = Editor(1);
  ASSERT_NE(f, nullptr);
  for (const qint32 id : {con, sin, con}) {
    f->TreeArbol->ClickNode(K(id));
    EXPECT_EQ(f->CtlFicha->CommentMarked(), id == con) << id;
  }
}
