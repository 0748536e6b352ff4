// Four arboles processes on one database file, each importing a document,
// renumbering and checking the same tree over and over: every refusal is a
// clear exit 1, no process crashes, and every import that succeeded is in
// the sound tree at the end. Soak only.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "common/host_fixture.h"
#include "soak.h"

namespace {

const char* const kTrabajador = R"(
fin=$((SECONDS + $SEGUNDOS)); i=0
while [ $SECONDS -lt $fin ]; do
  i=$((i + 1))
  f="$DIR/w$W-$i.json"
  printf '{"TipoDocumento":9,"TipoArbol":3,"Contenido":[{"zolmarID":1,"ID_RamaOriginal":1,"ID_RamaPadreOriginal":0,"Nombre":"W%s-%s"},{"zolmarID":2,"ID_RamaOriginal":2,"ID_RamaPadreOriginal":1,"Nombre":"Hoja"}]}' $W $i > "$f"
  "$ARB" --db "$DB" import "$f" > /dev/null 2>> "$DIR/err$W"; echo "import W$W-$i $?"
  "$ARB" --db "$DB" renumber 3 > /dev/null 2>> "$DIR/err$W"; echo "renumber - $?"
  "$ARB" --db "$DB" check 3 > /dev/null 2>> "$DIR/err$W"; echo "check - $?"
done
)";

TEST(Concurrencia, CuatroProcesosSobreElMismoFichero) {
  if (!Soak::Activo()) GTEST_SKIP() << "ARBOLES_SOAK=1 runs it";
  QTemporaryDir dir;
  const QString db = dir.filePath("empresa.db");
  const QString arb = QCoreApplication::applicationDirPath() + "/../app/arboles";
  ASSERT_EQ(QProcess::execute(arb, {"--db", db, "init", "--sample"}), 0);
  QList<QProcess*> trabajadores;
  for (int w = 1; w <= 4; ++w) {
    auto* p = new QProcess;
    auto entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert("SEGUNDOS", "60");
    entorno.insert("DIR", dir.path());
    entorno.insert("W", QString::number(w));
    entorno.insert("ARB", arb);
    entorno.insert("DB", db);
    p->setProcessEnvironment(entorno);
    p->start("bash", {"-c", kTrabajador});
    trabajadores << p;
  }
  QStringList importados;
  for (QProcess* p : trabajadores) {
    ASSERT_TRUE(p->waitForFinished(180000));
    for (const QString& linea :
         QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
      const QStringList partes = linea.split(' ');
      ASSERT_EQ(partes.size(), 3) << linea.toStdString();
      Soak::Contar(Soak::Operaciones);
      const int codigo = partes[2].toInt();
      EXPECT_TRUE(codigo == 0 || codigo == 1) << linea.toStdString();
      if (partes[0] == "import" && codigo == 0) importados << partes[1];
    }
    delete p;
  }
  for (int w = 1; w <= 4; ++w) {
    QFile err(dir.filePath(QStringLiteral("err%1").arg(w)));
    if (!err.open(QIODevice::ReadOnly)) continue;
    const QString texto = QString::fromUtf8(err.readAll());
    EXPECT_FALSE(texto.contains("Segmentation") || texto.contains("terminate called")) << texto.toStdString();
  }
  EXPECT_EQ(QProcess::execute(arb, {"--db", db, "check", "3"}), 0);
  auto host = zolmar::Host::open(db);
  for (const QString& nombre : importados) {
    const qint64 n =
        host->connection()
            ->ExecuteSQL(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE Nombre='%1'").arg(nombre), 2, 0)
            .toLongLong();
    EXPECT_EQ(n, 1) << nombre.toStdString();
    if (n != 1) Soak::Contar(Soak::FilasPerdidas);
  }
  EXPECT_GT(importados.size(), 0);
}

}  // namespace
