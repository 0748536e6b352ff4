#include "arboles_menu.h"

#include <memory>

#include <QApplication>

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_host_objects.h"
#include "importar_arbol.h"
#include "picking/frm_busca_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/host.h"
#include "zolmar/tables/record_list_window.h"
#include "zolmar/tables/table_access.h"
#include "zolmar/ui/tree_view.h"

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

// What the pick dialog is opened for: a tree type and the mode flags of Buscar.
struct PickMode {
  qint32 tipo = arboles::TipoArbolArticulos;
  bool multiSeleccion = false;
  bool materias = false;
  bool opcionesMenu = false;
};

// The message that reports an accepted choice: the dialog, the tree, the
// result of Buscar and its cRutaPadre and cListaCategorias.
using PickReport = std::function<QString(arboles::FrmBuscaArbol&, arboles::cTAZ_Arboles&, qint32,
                                         const QString&, const QString&)>;

// The pick dialog as Buscar opens it, without waiting: the choice is
// reported when the dialog closes with Aceptar.
ArbolesMenuEntry pickDialog(Host& host, const QString& caption, PickMode mode, PickReport report) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  return {caption, [taz, app, caption, mode, report]() -> QWidget* {
            auto* frm = new arboles::FrmBuscaArbol();
            frm->setAttribute(Qt::WA_DeleteOnClose);
            if (!frm->Mostrar(*taz, mode.tipo, false, 0, mode.materias, mode.opcionesMenu,
                              mode.multiSeleccion, QString(), false)) {
              delete frm;
              return nullptr;
            }
            QObject::connect(frm, &FrmBasico::Closed, frm, [frm, taz, app, caption, report] {
              QString ruta;
              QString lista;
              const qint32 id = frm->Resultado(ruta, lista);
              if (id <= 0) return;
              app->ShowMessage(report(*frm, *taz, id, ruta, lista), 0, caption, arboles::IconInformation);
            });
            return frm;
          }};
}

QString oneCategory(arboles::FrmBuscaArbol&, arboles::cTAZ_Arboles& taz, qint32 id, const QString&,
                    const QString&) {
  return taz.oAppGlobal->FormatMessage(QString::fromUtf8("Categoría elegida: %1 (%2)"),
                                       {taz.NameByID(id).trimmed().toHtmlEscaped(), id});
}

QString severalCategories(arboles::FrmBuscaArbol&, arboles::cTAZ_Arboles& taz, qint32, const QString&,
                          const QString& lista) {
  QStringList names;
  for (const QString& id : lista.split(QLatin1Char(','), Qt::SkipEmptyParts))
    names << id + QStringLiteral(" - ") + taz.NameByID(id.toInt()).trimmed().toHtmlEscaped();
  return taz.oAppGlobal->FormatMessage(QString::fromUtf8("Categorías elegidas: <B>%1</B><BR><BR>%2"),
                                       {lista, names.join(QStringLiteral("<BR>"))});
}

QString oneSubject(arboles::FrmBuscaArbol& frm, arboles::cTAZ_Arboles& taz, qint32 id, const QString&,
                   const QString&) {
  return taz.oAppGlobal->FormatMessage(QString::fromUtf8("Materia elegida: %1 (%2)"),
                                       {frm.TreeArbol->SelectedItem().Text().toHtmlEscaped(), id});
}

QString oneMenuOption(arboles::FrmBuscaArbol&, arboles::cTAZ_Arboles& taz, qint32, const QString& ruta,
                      const QString&) {
  return taz.oAppGlobal->FormatMessage(QString::fromUtf8("Opción de menú elegida: %1"),
                                       {ruta.toHtmlEscaped()});
}

}  // namespace

// Each window of the module adds its line here as it becomes available.
QList<ArbolesMenuEntry> ArbolesMenuEntries(Host& host) {
  return {
      treeEditor(host, QStringLiteral("Árbol de grupos de clientes"), arboles::TipoArbolClientes),
      treeEditor(host, QStringLiteral("Árbol de grupos de proveedores"), arboles::TipoArbolProveedores),
      treeEditor(host, QStringLiteral("Árbol de categorías de artículos"), arboles::TipoArbolArticulos),
      ImportarArbolEntry(host),
      pickDialog(host, QStringLiteral("Buscar categoría"), {}, oneCategory),
      pickDialog(host, QStringLiteral("Seleccionar varias categorías"), {.multiSeleccion = true},
                 severalCategories),
      pickDialog(host, QStringLiteral("Buscar materia"), {.materias = true}, oneSubject),
      pickDialog(host, QStringLiteral("Buscar opción de menú"), {.opcionesMenu = true}, oneMenuOption),
      listing(host, QStringLiteral("Lista de clientes"), "Clientes.cTAZ_Clientes"),
      listing(host, QStringLiteral("Lista de proveedores"), "Proveedores.cTAZ_Proveedores"),
      listing(host, QStringLiteral("Lista de artículos"), "Articulos.cTAZ_Articulos"),
  };
}

}  // namespace zolmar
