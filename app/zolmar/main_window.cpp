#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "tree/taz_arboles.h"
#include "zolmar/host.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/main_menu_grid.h"

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
    rows.append({app->Translate(entry.caption), 1, QString(), [open] { open(); }});
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
    rows.append(
        {text, informes, caption + QStringLiteral(":") + text + QStringLiteral(": "), [open] { open(); }});
  }
  rows_.append(rows);
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
