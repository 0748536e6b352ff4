// The database file's writes cut short at points all through a renumbering,
// a branch move and a document import, as a full disk or a lost device
// would: the file passes SQLite's integrity check, each parent link is as
// before or as the operation leaves it, and check and repair bring the tree
// back.

#include <QTemporaryDir>
#include <stdexcept>

#include "choques_fixture.h"
#include "corte_escritura.h"
#include "host/i_app_global.h"
#include "import/imp_exp.h"
#include "picking/frm_mover_categorias.h"
#include "soak.h"
#include "zolmar/exchange/exchange_import.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

namespace {

class CorteEscrituraTest : public ChoquesFixture {
 protected:
  // The operation in this process, as the arboles program runs it.
  void Ejecutar(const Orden& orden) {
    ui().clear();
    const QString& que = orden.args.first();
    // A device that cuts the writes fails the backup made before a move or an
    // import too: the person then goes on without it (answered after the move's question).
    const bool siSinCopia = true;
    try {
      if (que == QLatin1String("renumber")) {
        taz->OrdenarClavesNombre(3, true, true);
      } else if (que == QLatin1String("move")) {
        arboles::FrmMoverCategorias frm;
        if (frm.Run(*taz, 3) && frm.TreeArbol[0]->ClickNode("K=" + orden.args.at(1)) &&
            frm.TreeArbol[1]->ClickNode("K=" + orden.args.at(2))) {
          ui().queueAnswer(true);
          ui().queueAnswer(siSinCopia);
          frm.btnAccion[1]->Click();
        }
        frm.Unload();
      } else {
        auto handler = std::make_shared<arboles::cImp_Exp>();
        handler->Configure(taz);
        ui().queueAnswer(siSinCopia);
        zolmar::ExchangeImport(host->appGlobal(), handler).importFile(orden.args.at(1));
      }
    } catch (const std::exception&) {
      // A failed statement may be raised to the caller: what counts is the file.
    }
  }

  // A fresh copy of the base file, with no journal of an earlier run beside it.
  static void Copiar(const QString& base, const QString& db) {
    for (const char* cola : {"", "-wal", "-shm"}) QFile::remove(db + cola);
    ASSERT_TRUE(QFile::copy(base, db));
  }

  // Runs the operation with the writes cut after `limite` bytes (none when
  // negative); the bytes written.
  qint64 Cortar(const QString& db, const Orden& orden, qint64 limite) {
    CorteEscritura corte(limite);
    Abrir(db);
    Ejecutar(orden);
    Cerrar();
    return corte.Escritos();
  }
};

TEST_F(CorteEscrituraTest, ElFicheroNuncaQuedaCorruptoYElArbolSeRecupera) {
  SKIP_ON_SERVER("the writes cut short are those of SQLite to its file");
  QTemporaryDir dir;
  const QString base = dir.filePath("base.db");
  const QString db = dir.filePath("empresa.db");
  Abrir(base);
  Arbol(Soak::Escala(300, 2000));
  Cerrar();
  ASSERT_EQ(Arboles({"--db", base, "repair", "3"}), 0);
  Abrir(base);
  const Padres padres = LeerPadres();
  Cerrar();
  QRandomGenerator azar(31);
  const Orden ordenes[] = {{{"renumber", "3"}, padres},
                           Mover(padres, azar),
                           Importar(dir.filePath("d.json"), QStringLiteral("C"), Soak::Escala(20, 80))};
  const qint32 puntos = Soak::Escala(4, 40);
  for (const Orden& orden : ordenes) {
    SCOPED_TRACE(orden.args.join(' ').toStdString());
    Copiar(base, db);
    const qint64 total = Cortar(db, orden, -1);
    ASSERT_GT(total, 4096);
    Abrir(db);
    const Padres completa = LeerPadres();
    Cerrar();
    ASSERT_TRUE(orden.args.first() == QLatin1String("renumber") || completa != padres)
        << "uncut, the operation changed nothing";
    for (qint32 i = 0; i < puntos; ++i) {
      const qint64 limite = total * i / puntos + azar.bounded(4096);
      SCOPED_TRACE(limite);
      Copiar(base, db);
      Cortar(db, orden, limite);
      Soak::Contar(Soak::Fallos);
      Abrir(db);
      const QString integridad = Integridad();
      EXPECT_EQ(integridad, "ok");
      if (integridad != QLatin1String("ok")) Soak::Contar(Soak::FicherosCorruptos);
      const Padres ahora = LeerPadres();
      const QString diferencia = Resultado(padres, orden, ahora);
      EXPECT_EQ(diferencia, QString());
      if (!diferencia.isEmpty()) Soak::Contar(Soak::FilasPerdidas);
      // The cut session could not release its lock; this process lives on, so
      // only a session of its own takes the lock over, as the program's next
      // run would.
      EXPECT_FALSE(host->appGlobal()->LockTable(3, true, "Arboles", 0, "Tipo=3", 2));
      host->appGlobal()->LockTable(3, false, "Arboles", 0, "Tipo=3", 2);
      Cerrar();
      QString salida;
      if (Arboles({"--db", db, "check", "3"}) != 0) {
        EXPECT_EQ(Arboles({"--db", db, "repair", "3"}, &salida), 0) << salida.toStdString();
      }
      EXPECT_EQ(Arboles({"--db", db, "check", "3"}, &salida), 0) << salida.toStdString();
      Abrir(db);
      EXPECT_TRUE(LeerPadres() == ahora) << "the repair changed parent links";
      Cerrar();
    }
  }
}

}  // namespace
