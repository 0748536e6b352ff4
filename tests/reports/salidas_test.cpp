#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <functional>

#include "informes_fixture.h"
#include "zolmar/demo/sample_data.h"
#include "zolmar/exchange/tree_export.h"
#include "zolmar/report/report_framework.h"

using arboles::FrmRptArboles;
using zolmar::ReportOutputKind;

namespace {

QString Ejecutar(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<falló %1>").arg(programa);
  return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray Leer(const QString& fichero) {
  QFile f(fichero);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DemoFixture : public InformesFixture {
 protected:
  void SetUp() override { HostFixture::SetUp(); }
  // The full catalogue a person first sees: its deeper names are long.
  void Poblar() override { host->demoCompany(); }
};

}  // namespace

// The drawing of the demo company's article tree, read back from the PDF:
// while the page has room no name loses a character.
TEST_F(DemoFixture, ElPdfDelArbolDeArticulosTieneCabeceraPaginasYNodos) {
  arboles::FrmRptArboles::Registrar();
  auto* frm = Abrir(3);
  const QString pdf = Fichero("arbol.pdf");
  ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Pdf, pdf}))
      << frm->oRptForm->LastError().toStdString();
  const qint32 paginas = frm->oRptForm->Engine().PageCount();
  const QString texto = Ejecutar("pdftotext", {"-layout", pdf, "-"});
  EXPECT_TRUE(texto.contains(QString::fromUtf8(zolmar::SampleData::kCompanyName))) << texto.toStdString();
  EXPECT_TRUE(texto.contains(QString::fromUtf8("Listado de Categorías de Artículos")));
  for (qint32 p = 1; p <= paginas; ++p)
    EXPECT_TRUE(texto.contains(QString::fromUtf8("Página %1 de %2").arg(p).arg(paginas)));
  const auto nombres =
      cn->ExecuteSQL("SELECT Nombre FROM Arboles WHERE Tipo=3", 4, QString()).value<arboles::SqlArray>();
  ASSERT_GT(nombres.rows, 20);
  for (qint32 r = 0; r < nombres.rows; ++r) {
    const QString nombre = nombres.at(0, r).toString().trimmed();
    EXPECT_TRUE(texto.contains(nombre)) << nombre.toStdString();
  }
  // The connectors are lines, not characters.
  EXPECT_FALSE(texto.contains("+--"));
  EXPECT_FALSE(texto.contains("|--"));
  const QString png = Fichero("arbol");
  Ejecutar("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", pdf, png});
  EXPECT_TRUE(QFile::exists(png + ".png"));
  frm->Unload();
}

TEST_F(InformesFixture, ElCsvSeAbreEnUnaHojaDeCalculoEspañola) {
  InsertarNodo(3, "03" + QString(14, '0'), "Vinos; \"de\" Rioja", 0, 0);
  auto* frm = Abrir(2);
  const QString csv = Fichero("lista.csv");
  ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, csv}));
  const QByteArray bytes = Leer(csv);
  ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
  const QStringList lineas = QString::fromUtf8(bytes.mid(3)).split("\r\n", Qt::SkipEmptyParts);
  ASSERT_EQ(lineas.size(), 8);
  EXPECT_EQ(lineas[0], "Ficha;Nombre;Padre;Orden");
  EXPECT_EQ(lineas[2], QString::number(idA1) + ";A1;" + QString::number(idA) + ";0101000000000000");
  EXPECT_TRUE(lineas[7].contains(";\"Vinos; \"\"de\"\" Rioja\";")) << lineas[7].toStdString();
  frm->Unload();
}

TEST_F(InformesFixture, CadaSalidaEscribeSuFicheroOExplicaPorQueNo) {
  struct Caso {
    ReportOutputKind tipo;
    const char* fichero;
    bool escrito;
    QByteArray comienzo;
  };
  const Caso casos[] = {{ReportOutputKind::Pdf, "a.pdf", true, "%PDF"},
                        {ReportOutputKind::Csv, "a.csv", true, "\xEF\xBB\xBF"},
                        {ReportOutputKind::Xlsx, "a.xlsx", true, "PK"},
                        {ReportOutputKind::Pdf, "no/existe/a.pdf", false, ""},
                        {ReportOutputKind::Csv, "no/existe/a.csv", false, ""},
                        {ReportOutputKind::Xlsx, "no/existe/a.xlsx", false, ""}};
  auto* frm = Abrir(3);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.fichero);
    const QString fichero = Fichero(c.fichero);
    EXPECT_EQ(frm->oRptForm->Generar({c.tipo, fichero}), c.escrito);
    EXPECT_EQ(frm->oRptForm->LastError().isEmpty(), c.escrito);
    if (!c.escrito) {
      EXPECT_EQ(frm->oRptForm->LastError(),
                "No se pudo escribir el fichero " + fichero + ": no existe el fichero o la carpeta");
    }
    EXPECT_TRUE(Leer(fichero).startsWith(c.comienzo));
  }
  frm->Unload();
}

// A write that fails half way (here the file size limit, as a full disk
// would) leaves the file as it was and nothing beside it.
TEST_F(InformesFixture, UnaEscrituraQueFallaDejaElFicheroComoEstaba) {
  SKIP_ON_SERVER("a server refuses a name wider than its column");
  for (qint32 i = 0; i < 200; ++i)
    InsertarNodo(3, QStringLiteral("02%1").arg(i + 2, 2, 16, QLatin1Char('0')).toUpper() + QString(12, '0'),
                 QStringLiteral("Rama %1 ").arg(i) + QString(60, 'x'), idB, 0);
  const QByteArray anterior = "contenido anterior\n";
  auto* frm = Abrir(2);
  auto informe = [frm](ReportOutputKind tipo) {
    return [frm, tipo](const QString& fichero) { return frm->oRptForm->Generar({tipo, fichero}); };
  };
  const struct {
    const char* fichero;
    std::function<bool(const QString&)> escribir;
  } casos[] = {{"lista.csv", informe(ReportOutputKind::Csv)},
               {"lista.xlsx", informe(ReportOutputKind::Xlsx)},
               {"lista.pdf", informe(ReportOutputKind::Pdf)},
               {"arbol.json", [this](const QString& fichero) {
                  QString error;
                  return zolmar::TreeExport::write(*cn, 3, fichero, &error) >= 0;
                }}};
  rlimit limite{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limite), 0);
  const auto senal = std::signal(SIGXFSZ, SIG_IGN);
  for (const auto& c : casos) {
    SCOPED_TRACE(c.fichero);
    const QString fichero = Fichero(c.fichero);
    QFile previo(fichero);
    ASSERT_TRUE(previo.open(QIODevice::WriteOnly) && previo.write(anterior) == anterior.size());
    previo.close();
    const QStringList antes = QDir(dir.path()).entryList(QDir::Files);
    rlimit corto = limite;
    corto.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &corto), 0);
    const bool escrito = c.escribir(fichero);
    setrlimit(RLIMIT_FSIZE, &limite);
    EXPECT_FALSE(escrito);
    EXPECT_EQ(Leer(fichero), anterior);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), antes);
  }
  std::signal(SIGXFSZ, senal);
  frm->Unload();
}

TEST_F(InformesFixture, SinFilasNoHayInformeYSeDice) {
  auto* frm = Abrir(2);
  frm->getNombre->setText("Ninguno");
  frm->oRptForm->Accion(0, QString(), 1, true, 0, 500, 1.0);
  ASSERT_EQ(ui().messageTexts().size(), 1);
  EXPECT_TRUE(ui().messageTexts().first().startsWith("No hay datos"));
  EXPECT_EQ(frm->oRptForm->Preview(), nullptr);
  frm->Unload();
}

TEST_F(InformesFixture, LaVistaPreviaPaginaElInforme) {
  // Enough rows for several pages.
  for (int i = 1; i <= 150; ++i)
    InsertarNodo(3, QString("04%1").arg(i, 2, 16, QChar('0')).toUpper() + QString(12, '0'),
                 QString("N%1").arg(i), 0, 0);
  auto* frm = Abrir(2);
  frm->oRptForm->Accion(0, QString(), 1, true, 0, 500, 1.0);
  ASSERT_NE(frm->oRptForm->Preview(), nullptr);
  EXPECT_TRUE(frm->oRptForm->Preview()->isVisible());
  auto& motor = frm->oRptForm->Engine();
  const qint32 paginas = motor.PageCount();
  EXPECT_GE(paginas, 3);
  EXPECT_FALSE(motor.PageImage(paginas).isNull());
  EXPECT_TRUE(motor.PageImage(paginas + 1).isNull());
  frm->Unload();
}
