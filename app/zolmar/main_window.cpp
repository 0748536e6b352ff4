#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "zolmar/host.h"
#include "zolmar/services/app_global.h"

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
  resize(900, 600);
}

QString MainWindow::companyName() const {
  return host_.appGlobal()->GetConfig().value(QStringLiteral("CFG_EMPRESA:NOMBRE")).toString();
}

QList<MenuRow> MainWindow::hostMenuRows() {
  return {
      {QStringLiteral("&Archivo"), 0, {}},
      {QStringLiteral("&Salir"), 1, [this] { close(); }},
      {QStringLiteral("A&yuda"), 0, {}},
      {QStringLiteral("&Acerca de Zolmar"), 3, [this] { about(); }},
  };
}

void MainWindow::buildMenus() {
  QList<MenuRow> rows = hostMenuRows();
  const qint32 arbolesRow = static_cast<qint32>(rows.size()) + 1;
  rows.append({QStringLiteral("Á&rboles"), 0, {}});
  for (const ArbolesMenuEntry& entry : arboles_) {
    auto open = entry.open;
    rows.append({entry.caption, arbolesRow, [open] { open(); }});
  }
  BuildMenus(menuBar(), rows);
}

void MainWindow::about() {
  host_.appGlobal()->ShowMessage(
      QStringLiteral("<B>Zolmar</B><BR>Gestión comercial con árboles de clasificación.<BR><BR>Empresa: %1")
          .arg(companyName()),
      0, QStringLiteral("Acerca de Zolmar"), arboles::IconInformation);
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
