#include "importar_arbol.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <memory>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "import/imp_exp.h"
#include "tree/taz_arboles.h"
#include "zolmar/exchange/exchange_import.h"
#include "zolmar/host.h"
#include "zolmar/ui/database_file_guard.h"
#include "zolmar/ui/file_chooser.h"
#include "zolmar/ui/system_error_text.h"

namespace zolmar {

namespace {

// Progress is drawn every so many rows: drawing each one would cost more
// than importing it.
constexpr qint32 kPasoAvance = 50;

void ImportarDocumento(const std::shared_ptr<arboles::IAppGlobal>& app,
                       const std::shared_ptr<arboles::cTAZ_Arboles>& taz, const QString& documento) {
  const QString titulo = app->Translate(QString::fromUtf8("Importar árbol"));
  // Reading a database the session holds open would drop its locks; any other is no document either.
  if (DatabaseFileGuard::IsDatabase(documento)) {
    app->ShowMessage(
        app->Translate(QString::fromUtf8("El fichero %1 es una base de datos, no un documento de árbol"))
            .arg(documento),
        0, titulo, arboles::IconError);
    return;
  }
  auto handler = std::make_shared<arboles::cImp_Exp>();
  handler->Configure(taz);
  ExchangeImport importacion(app, handler);
  // Shown only when the document takes long enough to need it.
  QProgressDialog avance(app->Translate(QString::fromUtf8("Importando el árbol...")), QString(), 0, 0);
  avance.setWindowTitle(titulo);
  avance.setWindowModality(Qt::ApplicationModal);
  avance.setMinimumDuration(500);
  importacion.setProgress([&avance](qint32 hechas, qint32 total) {
    if (total < 0) {
      avance.reset();
      return;
    }
    if (hechas % kPasoAvance != 0 && hechas != total) return;
    avance.setMaximum(total);
    avance.setValue(hechas);
  });
  const ExchangeImport::Outcome resultado = importacion.importFile(documento);
  avance.reset();
  app->ShowMessage(SystemErrorText::Translate(importacion.summary(resultado)), 0, titulo,
                   resultado.result == 0 ? arboles::IconInformation : arboles::IconError);
}

}  // namespace

ArbolesMenuEntry ImportarArbolEntry(Host& host) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  return {
      QString::fromUtf8("Importar árbol..."), [app, taz]() -> QWidget* {
        // Opened without blocking: the chooser is handed back like the other windows.
        auto* selector =
            FileChooser::Create(nullptr, app->Translate(QString::fromUtf8("Importar árbol")), QString(),
                                QString::fromUtf8("Documentos de árbol (*.json);;Todos los ficheros (*)"));
        selector->setFileMode(QFileDialog::ExistingFile);
        QObject::connect(selector, &QFileDialog::fileSelected, selector,
                         [app, taz](const QString& documento) { ImportarDocumento(app, taz, documento); });
        selector->open();
        return selector;
      }};
}

}  // namespace zolmar
