#include "importar_arbol.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "import/imp_exp.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/lock_manager.h"
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
// Branches joined on another level listed in the summary; the rest are counted.
constexpr qint32 kRamasUnidasMostradas = 15;
// Branches created listed in the summary; the rest are counted.
constexpr qint32 kRamasCreadasMostradas = 20;

// How the document goes into the tree: false when the person cancels.
bool ElegirOpciones(const std::shared_ptr<arboles::IAppGlobal>& app, const QString& documento, bool* exacta) {
  QDialog opciones;
  opciones.setWindowTitle(app->Translate(QString::fromUtf8("Importar árbol")));
  auto* fichero =
      new QLabel(app->Translate(QStringLiteral("Documento: %1")).arg(QFileInfo(documento).fileName()));
  auto* chkExacta =
      new QCheckBox(app->Translate(QString::fromUtf8("Reproducir el árbol tal como está en el documento")));
  chkExacta->setObjectName(QStringLiteral("chkExacta"));
  auto* explicacion = new QLabel(app->Translate(QString::fromUtf8(
      "Sin marcar, cada rama se une a la primera del mismo nombre que haya por debajo de su padre, "
      "a cualquier nivel. Marcada, solo se une a un hijo de su padre con su nombre; las demás se crean "
      "donde las pone el documento.")));
  explicacion->setWordWrap(true);
  auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  botones->button(QDialogButtonBox::Ok)->setText(app->Translate(QStringLiteral("Importar")));
  QObject::connect(botones, &QDialogButtonBox::accepted, &opciones, &QDialog::accept);
  QObject::connect(botones, &QDialogButtonBox::rejected, &opciones, &QDialog::reject);
  auto* todo = new QVBoxLayout(&opciones);
  todo->addWidget(fichero);
  todo->addWidget(chkExacta);
  todo->addWidget(explicacion);
  todo->addWidget(botones);
  if (opciones.exec() != QDialog::Accepted) return false;
  *exacta = chkExacta->isChecked();
  return true;
}

void ImportarDocumento(const std::shared_ptr<arboles::IAppGlobal>& app,
                       const std::shared_ptr<arboles::cTAZ_Arboles>& taz, LockManager& locks,
                       const QString& documento) {
  const QString titulo = app->Translate(QString::fromUtf8("Importar árbol"));
  // Reading a database the session holds open would drop its locks; any other is no document either.
  if (DatabaseFileGuard::IsDatabase(documento)) {
    app->ShowMessage(
        app->Translate(QString::fromUtf8("El fichero %1 es una base de datos, no un documento de árbol"))
            .arg(documento),
        0, titulo, arboles::IconError);
    return;
  }
  bool exacta = false;
  if (!ElegirOpciones(app, documento, &exacta)) return;
  auto handler = std::make_shared<arboles::cImp_Exp>();
  handler->Configure(taz);
  handler->lExacta = exacta;
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
  const qint64 negativas = locks.refusals();
  const ExchangeImport::Outcome resultado = importacion.importFile(documento);
  avance.reset();
  QString resumen = importacion.summary(resultado);
  if (resultado.result == 0)
    resumen += QStringLiteral("<BR><BR>") + handler->ResumenRamasCreadas(kRamasCreadasMostradas);
  const QString unidas = handler->ResumenRamasUnidas(kRamasUnidasMostradas);
  if (resultado.result == 0 && !unidas.isEmpty()) resumen += QStringLiteral("<BR><BR>") + unidas;
  // Refused for a lock: who holds it.
  if (locks.refusals() != negativas) resumen += QStringLiteral("<BR><BR>") + locks.lastHolderText();
  app->ShowMessage(SystemErrorText::Translate(resumen), 0, titulo,
                   resultado.result == 0 ? arboles::IconInformation : arboles::IconError);
}

}  // namespace

ArbolesMenuEntry ImportarArbolEntry(Host& host) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  LockManager* locks = &host.locks();
  return {QString::fromUtf8("Importar árbol..."), [app, taz, locks]() -> QWidget* {
            // Opened without blocking: the chooser is handed back like the other windows.
            auto* selector = FileChooser::Create(
                nullptr, app->Translate(QString::fromUtf8("Importar árbol")), QString(),
                QString::fromUtf8("Documentos de árbol (*.json);;Todos los ficheros (*)"));
            selector->setFileMode(QFileDialog::ExistingFile);
            QObject::connect(selector, &QFileDialog::fileSelected, selector,
                             [app, taz, locks](const QString& documento) {
                               ImportarDocumento(app, taz, *locks, documento);
                             });
            selector->open();
            return selector;
          }};
}

}  // namespace zolmar
