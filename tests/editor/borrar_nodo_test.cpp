// Deleting a node from the editor removes it with its category assignments
// and its comment, or removes nothing.

#include <sqlite3.h>

#include "editor_fixture.h"

using arboles::FrmArboles;

TEST_F(EditorTest, BorrarDesdeElEditorQuitaAsignacionesYComentarioOnada) {
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
      EXPECT_TRUE(ui().messages().isEmpty());
      EXPECT_NE(f->CtlFicha->FichaDB()->CurrentID(), libre);
    } else {
      ASSERT_EQ(ui().messages().size(), 1);
      EXPECT_EQ(ui().messages()[0].icon, arboles::IconError);
      EXPECT_TRUE(ui().messages()[0].text.startsWith("No se ha podido borrar la ficha."));
      EXPECT_EQ(f->CtlFicha->FichaDB()->CurrentID(), libre) << "the record stays on screen";
      EXPECT_EQ(f->getNombre->Text(), "Sin uso");
      EXPECT_EQ(f->CtlFicha->Mode(), zolmar::CtlFicha::Browsing);
    }
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
