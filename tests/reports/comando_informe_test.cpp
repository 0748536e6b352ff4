// arboles report, run as an administrator runs it.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "zolmar/host.h"

namespace {

struct Resultado {
  int salida = -1;
  QString out, err;
};

Resultado Arboles(const QStringList& args) {
  const QString programa = QCoreApplication::applicationDirPath() + "/../app/arboles";
  QProcess p;
  p.start(programa, args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class ComandoInforme : public ::testing::Test {
 protected:
  void SetUp() override {
    db = dir.filePath("empresa.db");
    // The small company the counts below are written for, not the full demo catalogue.
    zolmar::Host::open(db)->sampleData();
  }
  Resultado Informe(const QStringList& args) { return Arboles(QStringList{"--db", db, "report"} + args); }
  QString F(const QString& nombre) { return dir.filePath(nombre); }

  QTemporaryDir dir;
  QString db;
};

}  // namespace

TEST_F(ComandoInforme, EscribeElFicheroYCuentaLasFilas) {
  struct Caso {
    QStringList args;
    QString salida;
  };
  const QList<Caso> casos = {
      {{"3", "--tree", "--pdf", F("arbol.pdf")}, "26 filas escritas en " + F("arbol.pdf")},
      {{"3", "--csv", F("vinos.csv"), "--name", "Vin"}, "1 fila escrita en " + F("vinos.csv")},
      {{"3", "--xlsx", F("hojas.xlsx"), "--leaves"}, "20 filas escritas en " + F("hojas.xlsx")},
      {{"3", "--csv", F("ids.csv"), "--ids", "28,30-32"}, "4 filas escritas en " + F("ids.csv")},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Resultado r = Informe(c.args);
    EXPECT_EQ(r.salida, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), c.salida);
  }
}

TEST_F(ComandoInforme, UsoIncorrectoOFicheroNoEscribibleSale2) {
  struct Caso {
    QStringList args;
    const char* mensaje;
  };
  const QList<Caso> casos = {
      {{}, "necesita un TIPO"},
      {{"4", "--pdf", "x.pdf"}, "1, 2 o 3"},
      {{"3"}, "Falta --pdf, --csv o --xlsx"},
      {{"3", "--pdf"}, "Falta el valor de --pdf"},
      {{"3", "--pdf", "a.pdf", "--csv", "b.csv"}, "un solo fichero"},
      {{"3", "--tree", "--name", "x", "--pdf", "a.pdf"}, "no admite"},
      {{"3", "--csv", "a.csv", "--ids", "1,,2"}, "no es válida"},
      {{"3", "--csv", "a.csv", "--color"}, "Argumento inesperado: --color"},
      {{"3", "--pdf", "/no/existe/a.pdf"}, "No se puede escribir /no/existe/a.pdf"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Resultado r = Informe(c.args);
    EXPECT_EQ(r.salida, 2);
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.mensaje))) << r.err.toStdString();
  }
}
