#include "arboles_menu.h"

#include <memory>

#include <QApplication>

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_host_objects.h"
#include "picking/frm_busca_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/host.h"
#include "zolmar/tables/record_list_window.h"
#include "zolmar/tables/table_access.h"

namespace zolmar {

namespace {

// A listing of one of the host's tables, opened without waiting.
ArbolesMenuEntry listing(Host& host, const QString& caption, const char* className) {
  auto app = host.appGlobal();
  auto access =
      std::dynamic_pointer_cast<TableAccess>(app->CreateTableAccess(QString::fromLatin1(className)));
  access->I_TAZ_Configure(app->GetGlobales(), app);
  return {caption, [access]() -> QWidget* {
            access->MostrarInformes(0, false, 0);
            return access->lastWindow();
          }};
}

// The editor of one tree, opened as the host opens it (MostrarFicha); the
// open window of that tree type is handed back.
ArbolesMenuEntry treeEditor(Host& host, const QString& caption, qint32 tipo) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  return {caption, [taz, tipo]() -> QWidget* {
            taz->MostrarFicha(tipo);
            for (QWidget* w : QApplication::topLevelWidgets()) {
              auto* editor = qobject_cast<arboles::FrmArboles*>(w);
              if (editor && editor->TipoArbol() == tipo && !editor->IsClosed()) return editor;
            }
            return nullptr;
          }};
}

// The pick dialog on the article tree, without waiting: the choice is
// reported when the dialog closes with Aceptar.
ArbolesMenuEntry pickDialog(Host& host, const QString& caption) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  return {caption, [taz, app]() -> QWidget* {
            auto* frm = new arboles::FrmBuscaArbol();
            frm->setAttribute(Qt::WA_DeleteOnClose);
            if (!frm->Mostrar(*taz, arboles::TipoArbolArticulos, false, 0, false, false, false, QString(),
                              false)) {
              delete frm;
              return nullptr;
            }
            QObject::connect(frm, &FrmBasico::Closed, frm, [frm, taz, app] {
              QString ruta;
              QString lista;
              const qint32 id = frm->Resultado(ruta, lista);
              if (id <= 0) return;
              app->ShowMessage(app->FormatMessage(QString::fromUtf8("Categoría elegida: %1 (%2)"),
                                                  {taz->NameByID(id).trimmed(), id}),
                               0, QStringLiteral("Buscar"), arboles::IconInformation);
            });
            return frm;
          }};
}

}  // namespace

// Each window of the module adds its line here as it becomes available.
QList<ArbolesMenuEntry> ArbolesMenuEntries(Host& host) {
  return {
      treeEditor(host, QStringLiteral("Árbol de grupos de clientes"), arboles::TipoArbolClientes),
      treeEditor(host, QStringLiteral("Árbol de grupos de proveedores"), arboles::TipoArbolProveedores),
      treeEditor(host, QStringLiteral("Árbol de categorías de artículos"), arboles::TipoArbolArticulos),
      pickDialog(host, QStringLiteral("Buscar categoría")),
      listing(host, QStringLiteral("Lista de clientes"), "Clientes.cTAZ_Clientes"),
      listing(host, QStringLiteral("Lista de proveedores"), "Proveedores.cTAZ_Proveedores"),
      listing(host, QStringLiteral("Lista de artículos"), "Articulos.cTAZ_Articulos"),
  };
}

}  // namespace zolmar
