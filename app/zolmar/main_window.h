#pragma once
// The desktop program's main window: the menus, the company in the status bar.

#include <QList>
#include <QMainWindow>

#include "arboles_menu.h"
#include "menu_row.h"

namespace zolmar {

class Host;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Host& host);

  // The host's own menus, in the shape of the module's menu list.
  QList<MenuRow> hostMenuRows();
  const QList<ArbolesMenuEntry>& arbolesEntries() const { return arboles_; }
  QString companyName() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void about();

  Host& host_;
  QList<ArbolesMenuEntry> arboles_;
};

}  // namespace zolmar
