// arboles export and import, run as an administrator runs them.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "import_fixture.h"

namespace {

struct Resultado {
  int salida = -1;
  QString out;
  QString err;
};

Resultado Arboles(const QStringList& args) {
  const QString programa = QCoreApplication::applicationDirPath() + "/../app/arboles";
  QProcess p;
  p.start(programa, args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// "show" without keys and ids: the names at their places.
QString Forma(const QString& show) {
  static const QRegularExpression claveEId(QStringLiteral("^( *)[0-9A-F]{16} \\d+ "),
                                           QRegularExpression::MultilineOption);
  return QString(show).replace(claveEId, QStringLiteral("\\1"));
}

class ComandoImport : public ImportFixture {
 protected:
  void SetUp() override {
    origen = dir.filePath("origen.db");
    destino = dir.filePath("destino.db");
    documento = dir.filePath("arbol.json");
    ASSERT_EQ(Arboles({"--db", origen, "init", "--sample"}).salida, 0);
    ASSERT_EQ(Arboles({"--db", destino, "init"}).salida, 0);
  }

  QTemporaryDir dir;
  QString origen, destino, documento;
};

TEST_F(ComandoImport, ATreeCarriedToAnEmptyDatabaseKeepsItsNamesAndPlaces) {
  const Resultado exportado = Arboles({"--db", origen, "export", "3", documento});
  ASSERT_EQ(exportado.salida, 0) << exportado.err.toStdString();
  const Resultado primero = Arboles({"--db", destino, "import", documento});
  ASSERT_EQ(primero.salida, 0) << primero.err.toStdString();
  EXPECT_TRUE(
      primero.out.contains(QRegularExpression("Ramas creadas: [1-9]\\d*\\. Ramas reutilizadas: 0\\.")))
      << primero.out.toStdString();
  const Resultado segundo = Arboles({"--db", destino, "import", documento});
  EXPECT_EQ(segundo.salida, 0);
  EXPECT_TRUE(segundo.out.contains("Ramas creadas: 0.")) << segundo.out.toStdString();
  const QString antes = Arboles({"--db", origen, "show", "3"}).out;
  EXPECT_EQ(Forma(Arboles({"--db", destino, "show", "3"}).out), Forma(antes));
  EXPECT_EQ(Arboles({"--db", destino, "check", "3"}).salida, 0);
}

// Bebidas/{Vinos/{Tintos, Otros}, Otros/{Sidras}}: the import says where the
// second "Otros" went; --exact puts it where the document has it.
TEST_F(ComandoImport, ARepeatedNameIsReportedWhereItJoinedOrKeptWithExact) {
  QFile fichero(documento);
  ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
  fichero.write(Documento({{1, 0, "Bebidas"},
                           {2, 1, "Vinos"},
                           {3, 2, "Tintos"},
                           {4, 2, "Otros"},
                           {5, 1, "Otros"},
                           {6, 5, "Sidras"}}));
  fichero.close();
  const QString exacta = dir.filePath("exacta.db");
  ASSERT_EQ(Arboles({"--db", exacta, "init"}).salida, 0);
  const struct {
    QString base;
    QStringList orden;
    QString salida;
    QString arbol;
  } casos[] = {
      {destino,
       {"import", documento},
       QString::fromUtf8("Ramas creadas: 5. Ramas reutilizadas: 1.\n"
                         "Ramas del documento unidas a otra del mismo nombre en otro nivel del árbol:\n"
                         "Bebidas/Otros se ha unido a Bebidas/Vinos/Otros\n"),
       "Bebidas\n  Vinos\n    Tintos\n    Otros\n      Sidras\n"},
      {exacta,
       {"import", "--exact", documento},
       "Ramas creadas: 6. Ramas reutilizadas: 0.\n",
       "Bebidas\n  Vinos\n    Tintos\n    Otros\n  Otros\n    Sidras\n"},
  };
  for (const auto& c : casos) {
    const Resultado r = Arboles(QStringList{"--db", c.base} + c.orden);
    EXPECT_EQ(r.salida, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, c.salida);
    EXPECT_EQ(Forma(Arboles({"--db", c.base, "show", "3"}).out), c.arbol);
  }
}

TEST_F(ComandoImport, ExitStatusTellsUsageFromRefusal) {
  QFile roto(dir.filePath("roto.json"));
  ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
  roto.write("{\"TipoDocumento\": 9,\n\"TipoArbol\": \"tres\"}");
  roto.close();
  const struct {
    QStringList args;
    int salida;
    const char* mensaje;
  } casos[] = {
      {{"import"}, 2, "La orden import necesita un DOCUMENTO"},
      {{"import", dir.filePath("falta.json")}, 2, "No existe el fichero"},
      {{"import", roto.fileName(), "otro"}, 2, "Argumento inesperado: otro"},
      {{"export", "3"}, 2, "La orden export necesita un TIPO y un DOCUMENTO"},
      {{"export", "4", documento}, 2, "El TIPO debe ser 1, 2 o 3, no 4"},
      {{"import", roto.fileName()}, 1, "línea 2, campo TipoArbol: debe ser un número entero"},
      {{"export", "3", dir.filePath("no/existe/arbol.json")}, 1, "No se pudo escribir el documento"},
      // A database is no document: not the open one, nor another.
      {{"import", destino}, 1, "es una base de datos, no un documento de árbol"},
      {{"import", origen}, 1, "es una base de datos, no un documento de árbol"},
  };
  for (const auto& c : casos) {
    const Resultado r = Arboles(QStringList{"--db", destino} + c.args);
    EXPECT_EQ(r.salida, c.salida) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.mensaje))) << r.err.toStdString();
  }
}

TEST_F(ComandoImport, ATreeLockedByAnotherProgramIsNotImported) {
  ASSERT_EQ(Arboles({"--db", origen, "export", "3", documento}).salida, 0);
  Abrir(destino);
  ASSERT_FALSE(host->appGlobal()->LockTable(3, true, "Arboles", 0, "Tipo=3", 3));
  const Resultado r = Arboles({"--db", destino, "import", documento});
  EXPECT_EQ(r.salida, 1);
  EXPECT_TRUE(r.err.contains(QString::fromUtf8("No pudo bloquearse la tabla de árboles.")))
      << r.err.toStdString();
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Arboles WHERE Tipo=3").toInt(), 0);
}

}  // namespace
