// The program's file choosers and the company database: listing its folder
// must not drop the program's SQLite locks, and a database is never taken as
// a document to read nor as a file to write.

#include <sys/inotify.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "categories/taz_categorias.h"
#include "common/host_fixture.h"
#include "exportar_arbol.h"
#include "importar_arbol.h"
#include "reports/frm_informe.h"
#include "reports/frm_rpt_arboles.h"
#include "reports/frm_rpt_categorias.h"
#include "tree/bloqueo_tabla.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/report/rpt_generar.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/file_chooser.h"
#include "zolmar/ui/system_error_text.h"

namespace {

struct Resultado {
  int salida = -1;
  QString out, err;
};

Resultado Arboles(const QStringList& args) {
  QProcess p;
  p.start(QCoreApplication::applicationDirPath() + "/../app/arboles", args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class SelectorFicheros : public HostFixture {
 protected:
  void SetUp() override {
    db = dir.filePath("empresa.db");
    Abrir(db);
  }

  // What a person sees: the folder listed with its icons and types, the
  // event loop running as the chooser fills itself.
  void Listar(QFileDialog& selector, const QString& carpeta) {
    auto* modelo = selector.findChild<QFileSystemModel*>();
    ASSERT_NE(modelo, nullptr);
    const qsizetype esperadas = QDir(carpeta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size();
    QElapsedTimer reloj;
    reloj.start();
    while (modelo->rowCount(modelo->index(carpeta)) < esperadas && reloj.elapsed() < 10000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const QModelIndex raiz = modelo->index(carpeta);
    ASSERT_GE(modelo->rowCount(raiz), esperadas);
    for (int fila = 0; fila < modelo->rowCount(raiz); ++fila) {
      for (int columna = 0; columna < modelo->columnCount(raiz); ++columna) {
        modelo->data(modelo->index(fila, columna, raiz), Qt::DecorationRole);
        modelo->data(modelo->index(fila, columna, raiz), Qt::DisplayRole);
      }
    }
    reloj.restart();
    while (reloj.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }

  // Clicks "Enviar a..." of a report window; the chooser that opens must be
  // the safe one. The file is typed in its name entry and accepted (Qt's
  // overwrite question: yes), each step from the event loop as a person would.
  bool EnviarA(zolmar::RptGenerar& generar, const QString& fichero) {
    bool visto = false, seguro = false;
    QTimer respondedor;
    QObject::connect(&respondedor, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* pregunta = qobject_cast<QMessageBox*>(modal)) {
        pregunta->button(QMessageBox::Yes)->click();
      } else if (auto* selector = qobject_cast<QFileDialog*>(modal); selector && !visto) {
        visto = true;
        seguro = zolmar::FileChooser::IsSafe(*selector);
        auto* nombre = selector->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(nombre, nullptr);
        nombre->setText(fichero);
        QMetaObject::invokeMethod(selector, "accept", Qt::QueuedConnection);
      }
    });
    respondedor.start(20);
    generar.Option(1)->Click();
    respondedor.stop();
    EXPECT_TRUE(visto) << "no file chooser opened";
    return seguro;
  }

  QTemporaryDir dir;
  QString db;
};

}  // namespace

// Across processes: the chooser lists the company's folder, another program
// opens and closes the database, then this program saves and locks a tree.
// Another program must see the save and be refused the lock.
TEST_F(SelectorFicheros, ListarLaCarpetaDeLaEmpresaNoLeQuitaSusBloqueos) {
  const qint32 nodo = InsertarNodo(1, "01" + QString(14, '0'), "Mayoristas", 0, 0);
  // Every file of the folder opened meanwhile, by anyone.
  const int avisos = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(avisos, 0);
  ASSERT_GE(inotify_add_watch(avisos, QFile::encodeName(dir.path()).constData(), IN_OPEN), 0);
  {
    QPointer<QFileDialog> selector =
        zolmar::FileChooser::Create(nullptr, "Importar árbol", dir.path(), "Todos los ficheros (*)");
    selector->show();
    Listar(*selector, dir.path());
    selector->close();
  }
  QStringList abiertos;
  alignas(inotify_event) char eventos[8192];
  for (ssize_t n; (n = read(avisos, eventos, sizeof eventos)) > 0;)
    for (char* p = eventos; p < eventos + n;) {
      const auto* evento = reinterpret_cast<const inotify_event*>(p);
      if (evento->len > 0) abiertos << QString::fromUtf8(evento->name);
      p += sizeof(inotify_event) + evento->len;
    }
  close(avisos);
  EXPECT_TRUE(abiertos.isEmpty()) << abiertos.join(' ').toStdString();
  const Resultado otro = Arboles({"--db", db, "show", "1"});
  ASSERT_EQ(otro.salida, 0) << otro.err.toStdString();

  cn->ExecuteSQL(
      QStringLiteral("UPDATE Arboles SET Nombre='Mayoristas y cadenas' WHERE ZolmarID=%1").arg(nodo));
  ASSERT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  arboles::BloqueoTabla bloqueo(host->appGlobal(), "Arboles", "Tipo=1");
  ASSERT_TRUE(bloqueo.Obtenido());

  const Resultado tercero = Arboles({"--db", db, "show", "1"});
  EXPECT_TRUE(tercero.out.contains("Mayoristas y cadenas")) << tercero.out.toStdString();
  const Resultado rutas = Arboles({"--db", db, "paths", "1"});
  EXPECT_EQ(rutas.salida, 1) << rutas.out.toStdString();
  EXPECT_TRUE(rutas.err.contains("bloqueado por otro usuario")) << rutas.err.toStdString();
}

// Every window that offers a file chooser uses the safe one, and refuses the
// company database as what the person chose.
TEST_F(SelectorFicheros, CadaVentanaConSelectorUsaElSeguroYRechazaLaBaseDeDatos) {
  InsertarNodo(3, QStringLiteral("0100000000000000"), QStringLiteral("Bebidas"), 0, 0);
  const qint32 nodos = Valor("SELECT COUNT(*) FROM Arboles").toInt();
  const QString rechazo = QStringLiteral("El fichero %1 es una base de datos: elija otro nombre").arg(db);

  {
    SCOPED_TRACE("Importar árbol...");
    QPointer<QFileDialog> selector = qobject_cast<QFileDialog*>(zolmar::ImportarArbolEntry(*host).open());
    ASSERT_TRUE(selector);
    EXPECT_TRUE(zolmar::FileChooser::IsSafe(*selector));
    selector->selectFile(db);
    static_cast<QDialog*>(selector.data())->accept();
    EXPECT_EQ(ui().messageTexts().value(0),
              QStringLiteral("El fichero %1 es una base de datos, no un documento de árbol").arg(db));
    ui().clear();
  }

  {
    SCOPED_TRACE("Exportar árbol...");
    // The tree is chosen first (the article tree, third), then the file.
    ui().queueAnswer(3);
    QPointer<QFileDialog> selector = qobject_cast<QFileDialog*>(zolmar::ExportarArbolEntry(*host).open());
    ASSERT_TRUE(selector);
    EXPECT_TRUE(zolmar::FileChooser::IsSafe(*selector));
    // The file exists: Qt's own overwrite question is answered Yes, as a person would.
    QTimer si;
    QObject::connect(&si, &QTimer::timeout, [] {
      if (auto* pregunta = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        pregunta->button(QMessageBox::Yes)->click();
    });
    si.start(20);
    selector->selectFile(db);
    static_cast<QDialog*>(selector.data())->accept();
    si.stop();
    EXPECT_EQ(ui().messageTexts().value(0), rechazo);
    ui().clear();
    // A new name is written whole, with the tree's branches.
    const QString documento = QDir(dir.path()).filePath("arbol");
    ui().queueAnswer(3);
    selector = qobject_cast<QFileDialog*>(zolmar::ExportarArbolEntry(*host).open());
    ASSERT_TRUE(selector);
    selector->selectFile(documento);
    static_cast<QDialog*>(selector.data())->accept();
    QFile escrito(documento + ".json");
    ASSERT_TRUE(escrito.open(QIODevice::ReadOnly)) << ui().messageTexts().join('\n').toStdString();
    EXPECT_TRUE(escrito.readAll().contains("\"Bebidas\""));
    EXPECT_TRUE(ui().messageTexts().value(0).contains(QString::fromUtf8("Árbol escrito en")))
        << ui().messageTexts().join('\n').toStdString();
    ui().clear();
  }

  arboles::FrmRptArboles::Registrar();
  arboles::FrmRptCategorias::Registrar();
  auto categorias = std::make_shared<arboles::cTAZ_Categorias>();
  ASSERT_TRUE(categorias->I_TAZ_Configure(host->appGlobal()->GetGlobales(), host->appGlobal()));
  const struct {
    const char* ventana;
    std::function<arboles::FrmInforme*()> abrir;
  } informes[] = {
      {"informe de árboles",
       [&]() -> arboles::FrmInforme* {
         auto* frm = new arboles::FrmRptArboles();
         frm->Run(*taz, 3, 0, false, false);
         return frm;
       }},
      {"informe de categorías",
       [&]() -> arboles::FrmInforme* {
         auto* frm = new arboles::FrmRptCategorias();
         frm->Run(*categorias, 1, false);
         return frm;
       }},
  };
  for (const auto& informe : informes) {
    SCOPED_TRACE(informe.ventana);
    arboles::FrmInforme* frm = informe.abrir();
    frm->setAttribute(Qt::WA_DeleteOnClose);
    EXPECT_TRUE(EnviarA(*frm->rptGenerar, db));
    EXPECT_EQ(ui().messageTexts().value(0), rechazo);
    ui().clear();
    frm->Unload();
  }
  {
    SCOPED_TRACE("a chooser Qt opens by itself, as the print dialog's \"Print to file\"");
    zolmar::FileChooser::ProtectEveryChooser();
    bool seguro = false;
    QTimer::singleShot(0, [&] {
      if (auto* selector = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        seguro = zolmar::FileChooser::IsSafe(*selector);
        selector->reject();
      }
    });
    QFileDialog::getSaveFileName(nullptr, "Print To File ...", dir.path());
    EXPECT_TRUE(seguro);
  }
  // The windows keep their settings in it; nothing else touched it.
  EXPECT_EQ(cn->executeNative("PRAGMA integrity_check", 2).toString(), "ok");
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Arboles").toInt(), nodos);
}

TEST(SystemErrorText, LosMotivosConocidosEnEspanolYLosDemasEntreCorchetes) {
  const struct {
    const char* original;
    const char* motivo;
  } casos[] = {
      {"No such file or directory", "no existe el fichero o la carpeta"},
      {"Permission denied", "no tiene permiso"},
      {"unable to open database file", "no se puede abrir el fichero de la base de datos"},
      {"database disk image is malformed", "el fichero de la base de datos está dañado"},
      {"Existing file /tmp/x.pdf is not writable", "no tiene permiso para escribir en el fichero"},
      {"Broken widget", "[Broken widget]"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(zolmar::SystemErrorText::Reason(QString::fromUtf8(c.original)), QString::fromUtf8(c.motivo));
  EXPECT_EQ(
      zolmar::SystemErrorText::Translate(
          QStringLiteral("El archivo a.db no es una base de datos (unable to open database file)")),
      QString::fromUtf8("El archivo a.db no es una base de datos (no se puede abrir el fichero de la base "
                        "de datos)"));
}
