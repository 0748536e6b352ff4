#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>

#include "frm_ayuda.h"
#include "host/host_types.h"
#include "host/i_app_global.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/host.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/main_menu_grid.h"
#include "zolmar/ui/window_placement.h"

namespace zolmar {

MainWindow::MainWindow(Host& host) : host_(host), arboles_(ArbolesMenuEntries(host)) {
  setObjectName(QStringLiteral("FrmPrincipal"));
  setWindowTitle(QStringLiteral("Zolmar - %1").arg(companyName()));
  auto* welcome = new QLabel(this);
  welcome->setAlignment(Qt::AlignCenter);
  welcome->setTextFormat(Qt::RichText);
  welcome->setText(
      QStringLiteral("<h2>%1</h2><p>Los árboles de clasificación están en el menú <b>Árboles</b>.</p>")
          .arg(companyName().toHtmlEscaped()));
  setCentralWidget(welcome);
  // The module's windows open over this one and stay in front of it.
  host_.app()->setMainWindow(this);
  buildMenus();
  statusBar()->addWidget(new QLabel(companyName(), this), 1);
  statusBar()->addPermanentWidget(new QLabel(QStringLiteral("Usuario: %1").arg(host_.app()->user()), this));
  resize(1200, 700);
}

QString MainWindow::companyName() const {
  return host_.appGlobal()->GetConfig().value(QStringLiteral("CFG_EMPRESA:NOMBRE")).toString();
}

QList<MenuRow> MainWindow::moduleMenuRows() {
  auto app = host_.appGlobal();
  arboles::cTAZ_Arboles taz;
  taz.I_TAZ_Configure(app->GetGlobales(), app);
  if (!taz.oMOptMenus) return {};
  QList<MenuRow> rows = MenuRowsOf(*taz.oMOptMenus);
  const QString salir = app->Translate(QStringLiteral("Salir"));
  for (MenuRow& row : rows) {
    if (row.caption == salir) {
      // Closing asks every open window first (AppQueryUnload in closeEvent).
      row.action = [this] { close(); };
    } else {
      const QString path = row.path;
      row.action = [this, path] { notAvailable(path); };
    }
  }
  return rows;
}

QList<MenuRow> MainWindow::arbolesMenuRows() {
  auto app = host_.appGlobal();
  QList<MenuRow> rows = {{app->Translate(QString::fromUtf8("Árboles")), 0, QString(), {}}};
  for (const ArbolesMenuEntry& entry : arboles_) {
    if (!entry.inMenu || !entry.menu.isEmpty()) continue;
    auto open = entry.open;
    const QString caption = app->Translate(entry.caption);
    rows.append({caption, 1, QString(), [this, open, caption] { Open(open, caption); }});
  }
  return rows;
}

void MainWindow::buildMenus() {
  rows_ = moduleMenuRows();
  // Right after "Edición", so it stays on screen however many menus follow.
  const qint32 informes = TopMenuRow(rows_, host_.appGlobal()->Translate(QStringLiteral("Informes")));
  InsertMenuRows(rows_, informes > 0 ? informes : qint32(rows_.size()) + 1, arbolesMenuRows());
  appendReportRows();
  insertFicherosRows();
  addHelpRow();
  BuildMenus(menuBar(), rows_);
  // The pick dialog offers the options of these very menus.
  QList<MainMenuGrid::Row> grid;
  for (const MenuRow& row : rows_) grid.append({row.caption, row.parentRow});
  host_.app()->setMenuGrid(MainMenuGrid::fromRows(grid));
}

// The tree reports close the host's "Informes" menu, after its separator.
void MainWindow::appendReportRows() {
  auto app = host_.appGlobal();
  const QString caption = app->Translate(QStringLiteral("Informes"));
  const qint32 informes = TopMenuRow(rows_, caption);
  if (informes <= 0) return;
  QList<MenuRow> rows;
  for (const ArbolesMenuEntry& entry : arboles_) {
    if (!entry.inMenu || entry.menu != QLatin1String("Informes")) continue;
    if (rows.isEmpty()) rows.append({QStringLiteral("-"), informes, QString(), {}});
    auto open = entry.open;
    const QString text = app->Translate(entry.caption);
    rows.append({text, informes, caption + QStringLiteral(":") + text + QStringLiteral(": "),
                 [this, open, text] { Open(open, text); }});
  }
  rows_.append(rows);
}

// The guide to the trees opens first in the host's "Ayuda" menu (and with F1).
void MainWindow::addHelpRow() {
  auto app = host_.appGlobal();
  const QString caption = app->Translate(QStringLiteral("Ayuda"));
  const qint32 ayuda = TopMenuRow(rows_, caption);
  const auto abrir = [app] { FrmAyuda::Mostrar(app); };
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  f1->setContext(Qt::ApplicationShortcut);
  connect(f1, &QShortcut::activated, this, abrir);
  if (ayuda <= 0) return;
  for (MenuRow& row : rows_)
    if (row.parentRow > ayuda) ++row.parentRow;
  const QString text = app->Translate(QStringLiteral("Contenido de la ayuda"));
  rows_.insert(ayuda, {text, ayuda, caption + QStringLiteral(":") + text + QStringLiteral(": "), abrir});
}

// An entry whose window is open already hands that window back: it comes to
// the front instead of staying hidden behind this one. A window that did not
// open because its tree is locked says who holds it.
void MainWindow::Open(const std::function<QWidget*()>& open, const QString& caption) {
  const qint64 refusals = host_.locks().refusals();
  if (QWidget* window = open()) {
    WindowPlacement::BringToFront(window);
    return;
  }
  if (host_.locks().refusals() == refusals) return;
  auto app = host_.appGlobal();
  app->ShowMessage(app->FormatMessage(
                       app->Translate(QString::fromUtf8("El árbol está bloqueado por otro usuario.<BR>%1<BR>"
                                                        "Vuelva a intentarlo más tarde.")),
                       {host_.locks().lastHolderText()}),
                   0, caption, arboles::IconWarning);
}

// Entries of "Ficheros" go before its closing separator and "Salir".
void MainWindow::insertFicherosRows() {
  auto app = host_.appGlobal();
  qint32 ficheros = 0;
  for (qint32 i = 0; i < rows_.size() && ficheros == 0; ++i)
    if (rows_[i].parentRow == 0 &&
        QString(rows_[i].caption).remove(QLatin1Char('&')) == app->Translate("Ficheros"))
      ficheros = i + 1;
  if (ficheros == 0) return;
  qint32 before = ficheros + 1;
  while (before <= rows_.size() && rows_[before - 1].parentRow == ficheros &&
         rows_[before - 1].caption != "-" &&
         rows_[before - 1].caption != app->Translate(QStringLiteral("Salir")))
    ++before;
  QList<MenuRow> rows;
  for (const ArbolesMenuEntry& entry : arboles_) {
    if (!entry.inMenu || entry.menu != QLatin1String("Ficheros")) continue;
    auto open = entry.open;
    rows.append({app->Translate(entry.caption), 0, QString(), [open] { open(); }});
  }
  InsertMenuRows(rows_, before, rows);
  for (qint32 i = 0; i < rows.size(); ++i) rows_[before - 1 + i].parentRow = ficheros;
}

void MainWindow::notAvailable(const QString& path) {
  auto app = host_.appGlobal();
  QString title = path.trimmed();
  if (title.endsWith(QLatin1Char(':'))) title.chop(1);
  app->ShowMessage(app->Translate(QString::fromUtf8("Opción no disponible en esta versión.")), 0, title,
                   arboles::IconInformation);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Every open window of the module may refuse (unsaved changes the person kept).
  if (host_.appGlobal()->AppQueryUnload()) {
    event->ignore();
    return;
  }
  event->accept();
  QApplication::closeAllWindows();
}

}  // namespace zolmar
