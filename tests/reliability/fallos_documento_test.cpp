// A tree document imported from its file through the host's framework with
// each statement failing in turn: the database as it was, no lock left, a
// message for the person; then the import goes through. The long run
// imports a document of over a hundred branches.

#include <QFile>
#include <QTemporaryDir>

#include "import/import_fixture.h"
#include "soak.h"
#include "zolmar/db/fault_injector.h"

namespace {

class FallosDocumento : public ImportFixture {
 protected:
  // Part of it exists already: Bebidas is reused, the rest is created.
  QVector<Rama> Ramas() const {
    QVector<Rama> ramas = {{1, 0, "Bebidas"}, {2, 1, "Vinos"}, {3, 2, "Tintos"}, {4, 0, "Quesos"}};
    if (!Soak::Activo()) return ramas;
    for (qint32 id = 5; id <= 120; ++id) ramas.push_back({id, id / 3, QStringLiteral("R%1").arg(id)});
    return ramas;
  }

  zolmar::ExchangeImport::Outcome ImportarFichero(const QString& ruta) {
    return zolmar::ExchangeImport(host->appGlobal(), handler).importFile(ruta);
  }
};

TEST_F(FallosDocumento, CualquierSentenciaQueFallaDejaLaBaseComoEstaba) {
  QTemporaryDir dir;
  const QString ruta = dir.filePath("arbol.json");
  QFile f(ruta);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  const QVector<Rama> ramas = Ramas();
  f.write(Documento(ramas));
  f.close();
  InsertarNodo(3, "0100000000000000", "Bebidas", 0, 0, {{"RutaPadre", "''"}});
  const QString antes = Volcado();
  qint32 total = 0;
  {
    zolmar::FaultInjector contador(cn, 0);
    ASSERT_EQ(ImportarFichero(ruta).result, 0);
    total = contador.statements();
  }
  const QStringList importado = Arbol();
  ASSERT_GT(total, ramas.size());
  cn->ExecuteSQL("DELETE FROM Arboles WHERE Nombre<>'Bebidas'");
  ASSERT_EQ(Volcado(), antes);
  QStringList estados;
  for (qint32 k = 1; k <= total; ++k) {
    SCOPED_TRACE(k);
    zolmar::FaultInjector fallo(cn, k);
    const auto r = ImportarFichero(ruta);
    Soak::Contar(Soak::Fallos);
    estados << r.status;
    EXPECT_TRUE(fallo.fired());
    EXPECT_EQ(r.result, -1);
    EXPECT_FALSE(r.status.isEmpty());
    const bool intacta = Volcado() == antes;  // the locks table included
    EXPECT_TRUE(intacta) << "sentencia " << k << " de " << total;
    if (!intacta) Soak::Contar(Soak::FilasPerdidas);
    EXPECT_EQ(cn->transactionDepth(), 0);
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM ZolmarBloqueos").toInt(), 0);
  }
  // A refused query ends the import with the error it raised; a refused insert with its own message.
  EXPECT_FALSE(estados
                   .filter(QString::fromUtf8(
                       "Se ha producido un error durante la creación del árbol<BR>Error -2147217900 ("))
                   .isEmpty());
  EXPECT_TRUE(
      estados.contains(QString::fromUtf8("Se ha producido un error al crear una nueva rama del árbol.")));
  EXPECT_EQ(ImportarFichero(ruta).result, 0);
  EXPECT_EQ(Arbol(), importado);
}

}  // namespace
