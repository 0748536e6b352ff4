#include "exportar_arbol.h"

#include <QFileDialog>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "zolmar/exchange/tree_export.h"
#include "zolmar/host.h"
#include "zolmar/services/user_interface.h"
#include "zolmar/ui/database_file_guard.h"
#include "zolmar/ui/file_chooser.h"
#include "zolmar/ui/system_error_text.h"

namespace zolmar {

namespace {

void Exportar(const std::shared_ptr<arboles::IAppGlobal>& app, qint32 tipo, const QString& documento) {
  const QString titulo = app->Translate(QString::fromUtf8("Exportar árbol"));
  // Never over a database: not the company's, not another one.
  if (const QString rechazo = DatabaseFileGuard::OutputRefusal(documento); !rechazo.isEmpty()) {
    app->ShowMessage(rechazo, 0, titulo, arboles::IconError);
    return;
  }
  QString error;
  const qint32 ramas = TreeExport::write(*app->GetGlobales()->GetConnection(), tipo, documento, &error);
  if (ramas < 0) {
    app->ShowMessage(SystemErrorText::Translate(error), 0, titulo, arboles::IconError);
    return;
  }
  app->ShowMessage(
      app->FormatMessage(app->Translate(QString::fromUtf8("Árbol escrito en <B>%1</B>: %2 ramas.")),
                         {documento.toHtmlEscaped(), ramas}),
      0, titulo, arboles::IconInformation);
}

// Opened without blocking, like the import's chooser, and handed back.
QWidget* ElegirDocumento(const std::shared_ptr<arboles::IAppGlobal>& app, qint32 tipo) {
  auto* selector = FileChooser::Create(nullptr, app->Translate(QString::fromUtf8("Exportar árbol")),
                                       QString(), QString::fromUtf8("Documentos de árbol (*.json)"));
  selector->setAcceptMode(QFileDialog::AcceptSave);
  selector->setDefaultSuffix(QStringLiteral("json"));
  QObject::connect(selector, &QFileDialog::fileSelected, selector,
                   [app, tipo](const QString& documento) { Exportar(app, tipo, documento); });
  selector->open();
  return selector;
}

}  // namespace

ArbolesMenuEntry ExportarArbolEntry(Host& host) {
  auto app = host.appGlobal();
  UserInterface* ui = &host.userInterface();
  ArbolesMenuEntry entry{QString::fromUtf8("Exportar árbol..."), [app, ui]() -> QWidget* {
                           const qint32 tipo =
                               ui->chooseItem(app->Translate(QString::fromUtf8("Exportar árbol")),
                                              {app->Translate(QStringLiteral("Grupos de clientes")),
                                               app->Translate(QStringLiteral("Grupos de proveedores")),
                                               app->Translate(QString::fromUtf8("Categorías de artículos"))});
                           return tipo > 0 ? ElegirDocumento(app, tipo) : nullptr;
                         }};
  // The picture shows the chooser of the article tree, without the choice.
  entry.preview = [app]() -> QWidget* { return ElegirDocumento(app, 3); };
  return entry;
}

}  // namespace zolmar
