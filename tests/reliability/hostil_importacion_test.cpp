// Hostile documents and branch names through the exchange framework, and
// hostile arguments to the arboles program: a refusal or the exact names,
// never a crash, and the database untouched by a refusal.

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "corpus_hostil.h"
#include "import/import_fixture.h"
#include "soak.h"

namespace {

TEST_F(ImportFixture, DocumentosHostilesSeRechazanSinTocarNada) {
  InsertarNodo(3, "0100000000000000", "Bebidas", 0, 0, {{"RutaPadre", "''"}});
  const QString antes = Volcado();
  for (const QByteArray& fichero : CorpusHostil::Ficheros()) {
    SCOPED_TRACE(fichero.toStdString());
    Soak::Contar(Soak::Entradas);
    const auto r = Importar(fichero);
    EXPECT_NE(r.result, 0);
    EXPECT_FALSE(r.status.isEmpty());
    EXPECT_EQ(Volcado(), antes);
  }
}

TEST_F(ImportFixture, NombresHostilesSeImportanTalCualOSeRechazan) {
  for (const QString& texto : CorpusHostil::Textos()) {
    SCOPED_TRACE(texto.toStdString());
    Soak::Contar(Soak::Entradas);
    cn->ExecuteSQL("DELETE FROM Arboles", 0);
    const QString antes = Volcado();
    QStringList& enviadas = Grabar();
    const auto r = Importar(QVector<Rama>{{1, 0, "Raiz"}, {2, 1, texto}});
    for (const QString& s : enviadas) EXPECT_FALSE(CorpusHostil::Inyectada(s)) << s.toStdString();
    if (r.result != 0) {
      EXPECT_FALSE(r.status.isEmpty());
      EXPECT_EQ(Volcado(), antes);
      continue;
    }
    EXPECT_FALSE(texto.trimmed().isEmpty()) << "a blank name was imported";
    EXPECT_EQ(Arbol().size(), 2);
    EXPECT_EQ(Valor("SELECT Nombre FROM Arboles WHERE id_padre<>0").toString(), texto.left(50));
  }
}

struct Salida {
  int codigo = -1;
  QString err;
};

Salida Arboles(const QStringList& args) {
  QProcess p;
  p.start(QCoreApplication::applicationDirPath() + "/../app/arboles", args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardError())};
}

TEST(ComandoHostil, ArgumentosHostilesSalenConUnMotivo) {
  QTemporaryDir dir;
  const QString db = dir.filePath("empresa.db");
  ASSERT_EQ(Arboles({"--db", db, "init", "--sample"}).codigo, 0);
  const auto volcado = [&db] { return zolmar::DatabaseDump::of(*zolmar::Host::open(db)->connection()); };
  QList<QStringList> ordenes;
  for (const QString& n : CorpusHostil::Numeros()) {
    ordenes << QStringList{"check", n} << QStringList{"delete", n} << QStringList{"move", n, "1"}
            << QStringList{"merge", "1", n};
    if (Soak::Activo())
      ordenes << QStringList{"renumber", n} << QStringList{"paths", n} << QStringList{"show", n};
  }
  for (const QString& t : CorpusHostil::Textos().mid(0, Soak::Escala(6, 100)))
    ordenes << QStringList{"import", dir.filePath(t)} << QStringList{t};
  const QString antes = volcado();
  for (const QStringList& orden : ordenes) {
    SCOPED_TRACE(orden.join(' ').toStdString());
    Soak::Contar(Soak::Entradas);
    const Salida s = Arboles(QStringList{"--db", db} + orden);
    EXPECT_TRUE(s.codigo == 1 || s.codigo == 2) << s.codigo;
    EXPECT_FALSE(s.err.trimmed().isEmpty());
    EXPECT_EQ(volcado(), antes);
  }
}

}  // namespace
