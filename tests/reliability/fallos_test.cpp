// Whichever statement of a transactional operation fails, the database is
// left exactly as it was (or, failing after the commit, as the operation
// leaves it) and no lock stays behind. The imports have theirs in the
// fallos_*_test files; the category grid's is beside its tests.

#include <QRegularExpression>
#include <functional>

#include "host/i_ficha_db.h"
#include "picking/mover_categorias_fixture.h"
#include "soak.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/db/fault_injector.h"

namespace {

class FallosTest : public MoverCategoriasFixture {
 public:
  // The sample company plus what the operations carry along: comments,
  // category assignments, records pointing at the nodes.
  void Preparar() {
    Empresa();
    Ejecutar("INSERT INTO comentarios (ZolmarID, comentario) VALUES (70, 'nota')");
    Ejecutar(QStringLiteral("UPDATE Arboles SET id_comentario=70 WHERE ZolmarID=%1").arg(Id("Refrescos")));
    Ejecutar(QStringLiteral("UPDATE Arboles SET id_comentario=70 WHERE ZolmarID=%1").arg(Id("Tintos")));
    Ejecutar(QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 5, %1) ; "
                            "INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (2, 6, %1)")
                 .arg(Id("Refrescos")));
    // The merge carries Tintos' assignments: one the customer already has in Blancos.
    Ejecutar(QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 5, %1) ; "
                            "INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, 5, %2) ; "
                            "INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (2, 6, %1)")
                 .arg(Id("Tintos"))
                 .arg(Id("Blancos")));
    for (const char* t : {"Tarifas", "GruposComisionesX", "ArtCompuestos"})
      Fila(t, "ID_Categoria", Id("Tintos"));
    Fila("Articulos", "ID_Categoria1", Id("Tintos"));
  }

  // The modification time of a repointed record is the only value that
  // differs between two complete runs.
  QString Volcado() {
    static const QRegularExpression fecha(QStringLiteral("\\d{4}-\\d\\d-\\d\\d[ T][0-9:.]+"));
    return zolmar::DatabaseDump::of(*cn).replace(fecha, QStringLiteral("<fecha>"));
  }

  void Ejecutar(const QString& sql) {
    cn->ExecuteSQL(sql, 0);
    ASSERT_FALSE(cn->HasError()) << sql.toStdString();
  }

  // Each operation fails its k-th statement (0: none) and tells how many it sent.
  qint32 Borrar(qint32 k) {
    taz->I_TAZ_FichaDB()->Reload();  // the record set reads its rows when it opens
    EXPECT_EQ(taz->I_TAZ_SeekID(Id("Refrescos")), Id("Refrescos"));
    zolmar::FaultInjector fallo(cn, k);
    taz->Delete();
    return fallo.statements();
  }

  qint32 UnirYBorrar(qint32 k) {
    ui().queueAnswer(true);
    ui().queueAnswer(true);
    qint32 vistas = 0;
    Organizar([&](arboles::FrmMoverCategorias& f) {
      Elegir(f, "Tintos", "Blancos");
      zolmar::FaultInjector fallo(cn, k);
      f.btnAccion[0]->Click();
      vistas = fallo.statements();
    });
    return vistas;
  }

  qint32 Mover(qint32 k) {
    ui().queueAnswer(true);
    qint32 vistas = 0;
    Organizar([&](arboles::FrmMoverCategorias& f) {
      Elegir(f, "Vinos", QString::fromUtf8("Alimentación"));
      zolmar::FaultInjector fallo(cn, k);
      f.btnAccion[1]->Click();
      vistas = fallo.statements();
    });
    return vistas;
  }
};

TEST_F(FallosTest, CualquierSentenciaQueFallaDejaLaBaseComoEstaba) {
  const struct {
    const char* nombre;
    qint32 (FallosTest::*operacion)(qint32);
  } casos[] = {{"borrar nodo", &FallosTest::Borrar},
               {"unir y borrar el origen", &FallosTest::UnirYBorrar},
               {"mover una rama", &FallosTest::Mover}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    Preparar();
    const qint32 total = (this->*c.operacion)(0);
    const QString hecho = Volcado();
    ASSERT_GT(total, 0);
    for (qint32 k = 1; k <= total; ++k) {
      SCOPED_TRACE(k);
      Preparar();
      const QString antes = Volcado();
      EXPECT_GE((this->*c.operacion)(k), k);
      Soak::Contar(Soak::Fallos);
      EXPECT_EQ(cn->transactionDepth(), 0);
      const QString despues = Volcado();
      // A failure after the commit (the window reading its trees again) finds
      // the operation complete; anything in between is a half-written one.
      const bool entero = despues == antes || despues == hecho;
      EXPECT_TRUE(entero) << "sentencia " << k << " de " << total;
      if (!entero) Soak::Contar(Soak::FilasPerdidas);
      EXPECT_EQ(Cuantas("ZolmarBloqueos", "1", 1), 0);
    }
  }
}

}  // namespace
