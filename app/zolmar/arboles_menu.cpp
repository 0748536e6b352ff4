#include "arboles_menu.h"

#include <memory>

#include <QApplication>
#include <QTreeWidget>

#include "categories/frm_categorias.h"
#include "categories/taz_categorias.h"
#include "editor/frm_arboles.h"
#include "exportar_arbol.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_host_objects.h"
#include "import/frm_crear_categorias_rest.h"
#include "import/frm_importar_categorias.h"
#include "importar_arbol.h"
#include "picking/frm_busca_arbol.h"
#include "picking/frm_mover_categorias.h"
#include "reports/frm_rpt_arboles.h"
#include "reports/frm_rpt_categorias.h"
#include "tree/taz_arboles.h"
#include "zolmar/host.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/report/rpt_generar.h"
#include "zolmar/services/frm_copias_seguridad.h"
#include "zolmar/tables/record_list_window.h"
#include "zolmar/tables/table_access.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

namespace zolmar {

namespace {

std::shared_ptr<arboles::cTAZ_Categorias> categoryTable(Host& host) {
  auto app = host.appGlobal();
  auto categorias = std::make_shared<arboles::cTAZ_Categorias>();
  categorias->I_TAZ_Configure(app->GetGlobales(), app);
  return categorias;
}

// A listing of one of the host's tables, opened without waiting. Customers
// and suppliers (tipoCategorias 1, 2) offer the category grid of the
// selected record and a filter by categories (the category report's subquery).
ArbolesMenuEntry listing(Host& host, const QString& caption, const char* className,
                         qint32 tipoCategorias = 0) {
  auto app = host.appGlobal();
  auto access =
      std::dynamic_pointer_cast<TableAccess>(app->CreateTableAccess(QString::fromLatin1(className)));
  access->I_TAZ_Configure(app->GetGlobales(), app);
  if (tipoCategorias > 0) {
    auto categorias = categoryTable(host);
    access->AddListAction(
        app->Translate(QString::fromUtf8("Categorías")),
        [categorias, tipoCategorias](qint32 id) { categorias->MostrarFicha(tipoCategorias, id); });
    access->AddListFilter(
        app->Translate(QString::fromUtf8("Filtrar por categorías")),
        [categorias, tipoCategorias] { return categorias->GetFilterForSubQuery(tipoCategorias); });
  }
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

// The organisation window of the article tree, opened without waiting (the
// editor opens it through MostrarMoverCategorias and waits).
ArbolesMenuEntry organisation(Host& host, const QString& caption) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  return {caption, [taz]() -> QWidget* {
            auto* frm = new arboles::FrmMoverCategorias();
            frm->setAttribute(Qt::WA_DeleteOnClose);
            if (frm->Run(*taz, arboles::TipoArbolArticulos)) return frm;
            delete frm;
            return nullptr;
          }};
}

// Names go into the message as they were typed: the message box shows text
// that is not the host's markup as it is ("50%", an apostrophe, "&").
QString oneCategory(arboles::FrmBuscaArbol&, arboles::cTAZ_Arboles& taz, qint32 id, const QString&,
                    const QString&) {
  return taz.oAppGlobal->FormatMessage(QString::fromUtf8("Categoría elegida: %1 (%2)"),
                                       {taz.NameByID(id).trimmed(), id});
}

QString severalCategories(arboles::FrmBuscaArbol&, arboles::cTAZ_Arboles& taz, qint32, const QString&,
                          const QString& lista) {
  QStringList names;
  for (const QString& id : lista.split(QLatin1Char(','), Qt::SkipEmptyParts))
    names << id + QStringLiteral(" - ") + taz.NameByID(id.toInt()).trimmed();
  return taz.oAppGlobal->FormatMessage(QString::fromUtf8("Categorías elegidas: <B>%1</B><BR><BR>%2"),
                                       {lista, names.join(QStringLiteral("<BR>"))});
}

QString oneSubject(arboles::FrmBuscaArbol& frm, arboles::cTAZ_Arboles& taz, qint32 id, const QString&,
                   const QString&) {
  return taz.oAppGlobal->FormatMessage(QString::fromUtf8("Materia elegida: %1 (%2)"),
                                       {frm.TreeArbol->SelectedItem().Text(), id});
}

QString oneMenuOption(arboles::FrmBuscaArbol&, arboles::cTAZ_Arboles& taz, qint32, const QString& ruta,
                      const QString&) {
  return taz.oAppGlobal->FormatMessage(QString::fromUtf8("Opción de menú elegida: %1"), {ruta});
}

// The grid of the first customer with categories, as its list's action opens it.
ArbolesMenuEntry customerCategories(Host& host) {
  auto categorias = categoryTable(host);
  auto cn = host.appGlobal()->GetGlobales()->GetConnection();
  return {QString::fromUtf8("Categorías de un cliente"),
          [categorias, cn]() -> QWidget* {
            const qint32 cliente =
                cn->ExecuteSQL(
                      QStringLiteral("SELECT TOP 1 ID_Quien FROM Categorias WHERE Tipo=1 ORDER BY ID_Quien"),
                      2, 0)
                    .toInt();
            categorias->MostrarFicha(arboles::TAZ_Categorias_Clientes, cliente);
            for (QWidget* w : QApplication::topLevelWidgets()) {
              auto* grid = qobject_cast<arboles::FrmCategorias*>(w);
              if (grid && !grid->IsClosed()) return grid;
            }
            return nullptr;
          },
          false};
}

// The open article-category editor, opened when it is not.
arboles::FrmArboles* articleEditor(arboles::cTAZ_Arboles& taz) {
  const auto abierto = []() -> arboles::FrmArboles* {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* editor = qobject_cast<arboles::FrmArboles*>(w);
      if (editor && editor->TipoArbol() == arboles::TipoArbolArticulos && !editor->IsClosed()) return editor;
    }
    return nullptr;
  };
  if (auto* editor = abierto()) return editor;
  taz.MostrarFicha(arboles::TipoArbolArticulos);
  return abierto();
}

// The import of the service's categories, started from the article-category
// editor as its launcher starts it. The screenshot shows the import window
// on the service's rows without the question and the wait.
ArbolesMenuEntry cotaliaImport(Host& host) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  ArbolesMenuEntry entry{QString::fromUtf8("Importar categorías del servicio Cotalia"), [taz]() -> QWidget* {
                           if (auto* editor = articleEditor(*taz)) editor->ImportarCategorias();
                           return nullptr;
                         }};
  entry.preview = [taz, app]() -> QWidget* {
    arboles::FrmArboles* editor = articleEditor(*taz);
    auto cotalia = app->CreatePriceService(QStringLiteral("Cotalia.cCotalia"));
    if (!editor || !cotalia) return nullptr;
    arboles::RecordsetPtr filas;
    qint32 codigo = 0;
    QString descripcion;
    auto global = app;
    cotalia->Configure(global);
    cotalia->ImportarCategorias(filas, codigo, descripcion);
    auto* frm = new arboles::FrmImportarCategorias();
    frm->setAttribute(Qt::WA_DeleteOnClose);
    if (codigo != 100 || !frm->Run(*editor, filas)) {
      delete frm;
      editor->close();
      return nullptr;
    }
    QObject::connect(frm, &FrmBasico::Closed, editor, [editor] { editor->close(); });
    return frm;
  };
  return entry;
}

// The restaurant categories from the consultant database, opened as the
// host opens them (MostrarCrearCategoriasRest waits for the window); the
// screenshot shows the window without waiting.
ArbolesMenuEntry restaurantCategories(Host& host) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  ArbolesMenuEntry entry{QString::fromUtf8("Crear categorías de restaurante"), [taz]() -> QWidget* {
                           taz->MostrarCrearCategoriasRest();
                           return nullptr;
                         }};
  entry.preview = [taz]() -> QWidget* {
    auto* frm = new arboles::FrmCrearCategoriasRest();
    frm->setAttribute(Qt::WA_DeleteOnClose);
    if (!frm->Run(*taz)) {
      delete frm;
      return nullptr;
    }
    return frm;
  };
  return entry;
}

arboles::FrmRptArboles* openReport(QWidget* except = nullptr) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* report = qobject_cast<arboles::FrmRptArboles*>(w);
    if (report && report != except && !report->IsClosed()) return report;
  }
  return nullptr;
}

// The tree report as the host's "Informes" menu opens it (MostrarInformes, not waiting).
ArbolesMenuEntry treeReport(Host& host, const QString& caption, qint32 tipo) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  return {caption,
          [taz, tipo]() -> QWidget* {
            taz->MostrarInformes(tipo, arboles::TAZ_Arboles_ProcesosListados);
            return openReport();
          },
          true, QStringLiteral("Informes")};
}

// The category report as the host's "Informes" menu opens it (MostrarInformes, not waiting).
ArbolesMenuEntry categoryReport(Host& host, const QString& caption, qint32 proceso) {
  auto categorias = categoryTable(host);
  return {caption,
          [categorias, proceso]() -> QWidget* {
            categorias->MostrarInformes(proceso, false);
            for (QWidget* w : QApplication::topLevelWidgets()) {
              auto* report = qobject_cast<arboles::FrmRptCategorias*>(w);
              if (report && !report->IsClosed()) return report;
            }
            return nullptr;
          },
          true, QStringLiteral("Informes")};
}

// A preview page of the article tree's drawing, for the screenshots.
ArbolesMenuEntry treeDrawingPreview(Host& host) {
  auto app = host.appGlobal();
  auto taz = std::make_shared<arboles::cTAZ_Arboles>();
  taz->I_TAZ_Configure(app->GetGlobales(), app);
  return {QStringLiteral("Vista previa del árbol de categorías"),
          [taz]() -> QWidget* {
            auto* frm = new arboles::FrmRptArboles();
            frm->setAttribute(Qt::WA_DeleteOnClose);
            frm->Run(*taz, arboles::TipoArbolArticulos, arboles::TAZ_Arboles_ProcesosArbol, false, false);
            if (!frm->IsLoaded()) {
              delete frm;
              return nullptr;
            }
            frm->oRptForm->SetRecordarConfiguracion(false);
            frm->rptGenerar->Option(0)->Click();
            QWidget* preview = frm->oRptForm->Preview();
            if (!preview) {
              frm->Unload();
              return nullptr;
            }
            // The report goes when its preview is closed.
            QObject::connect(preview, &QObject::destroyed, frm, [frm] { frm->Unload(); });
            return preview;
          },
          false};
}

}  // namespace

// The article tree with "Nº de fichas" on, for the screenshots (the choice is
// remembered in the database shown).
ArbolesMenuEntry editorWithCounts(Host& host) {
  ArbolesMenuEntry entry = treeEditor(host, QString::fromUtf8("Árbol de categorías con número de fichas"),
                                      arboles::TipoArbolArticulos);
  entry.inMenu = false;
  auto open = entry.open;
  entry.preview = [open]() -> QWidget* {
    auto* editor = qobject_cast<arboles::FrmArboles*>(open());
    if (editor && editor->chkContar->Value() == 0) editor->chkContar->Click();
    return editor;
  };
  return entry;
}

// "Ficheros" -> "Copias de seguridad...": the host's own window over the company database.
ArbolesMenuEntry backups(Host& host) {
  auto app = host.app();
  return {QString::fromUtf8("Copias de seguridad..."),
          [app]() -> QWidget* {
            auto* frm = new FrmCopiasSeguridad(app, QApplication::activeWindow());
            frm->setAttribute(Qt::WA_DeleteOnClose);
            frm->show();
            return frm;
          },
          true, QStringLiteral("Ficheros"),
          // The screenshots show it with one copy at least.
          [app]() -> QWidget* {
            auto* frm = new FrmCopiasSeguridad(app, QApplication::activeWindow());
            frm->setAttribute(Qt::WA_DeleteOnClose);
            if (frm->lstCopias->topLevelItemCount() == 0) frm->ClickCopiar();
            frm->show();
            return frm;
          }};
}

// Each window of the module adds its line here as it becomes available.
QList<ArbolesMenuEntry> ArbolesMenuEntries(Host& host) {
  return {
      treeEditor(host, QStringLiteral("Árbol de grupos de clientes"), arboles::TipoArbolClientes),
      treeEditor(host, QStringLiteral("Árbol de grupos de proveedores"), arboles::TipoArbolProveedores),
      treeEditor(host, QStringLiteral("Árbol de categorías de artículos"), arboles::TipoArbolArticulos),
      ImportarArbolEntry(host),
      ExportarArbolEntry(host),
      pickDialog(host, QStringLiteral("Buscar categoría"), {}, oneCategory),
      pickDialog(host, QStringLiteral("Seleccionar varias categorías"), {.multiSeleccion = true},
                 severalCategories),
      pickDialog(host, QStringLiteral("Buscar materia"), {.materias = true}, oneSubject),
      pickDialog(host, QStringLiteral("Buscar opción de menú"), {.opcionesMenu = true}, oneMenuOption),
      organisation(host, QStringLiteral("Organización de categorías")),
      listing(host, QStringLiteral("Lista de clientes"), "Clientes.cTAZ_Clientes",
              arboles::TAZ_Categorias_Clientes),
      listing(host, QStringLiteral("Lista de proveedores"), "Proveedores.cTAZ_Proveedores",
              arboles::TAZ_Categorias_Proveedores),
      listing(host, QStringLiteral("Lista de artículos"), "Articulos.cTAZ_Articulos"),
      customerCategories(host),
      cotaliaImport(host),
      restaurantCategories(host),
      treeReport(host, QStringLiteral("Informe de grupos de clientes"), arboles::TipoArbolClientes),
      treeReport(host, QStringLiteral("Informe de grupos de proveedores"), arboles::TipoArbolProveedores),
      treeReport(host, QStringLiteral("Informe de categorías de artículos"), arboles::TipoArbolArticulos),
      categoryReport(host, QString::fromUtf8("Categorías de clientes"),
                     arboles::TAZ_Categorias_ProcesosListadosCli),
      categoryReport(host, QString::fromUtf8("Categorías de proveedores"),
                     arboles::TAZ_Categorias_ProcesosListadosPro),
      treeDrawingPreview(host),
      editorWithCounts(host),
      backups(host),
  };
}

}  // namespace zolmar
