#pragma once
// The desktop program's main window: the module's menu list with the
// "Árboles" menu before "Informes", the company in the status bar.

#include <QList>
#include <QMainWindow>
#include <functional>

#include "arboles_menu.h"
#include "menu_row.h"

namespace zolmar {

class Host;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Host& host);

  // Every row of the menu bar, in order, as it was built.
  const QList<MenuRow>& menuRows() const { return rows_; }
  const QList<ArbolesMenuEntry>& arbolesEntries() const { return arboles_; }
  QString companyName() const;
  Host& host() const { return host_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The menu list of cTAZ_Arboles, each entry with what this program does.
  QList<MenuRow> moduleMenuRows();
  QList<MenuRow> arbolesMenuRows();
  void buildMenus();
  void appendReportRows();
  void addHelpRow();
  void insertFicherosRows();
  void notAvailable(const QString& path);
  void Open(const std::function<QWidget*()>& open, const QString& caption);

  Host& host_;
  QList<ArbolesMenuEntry> arboles_;
  QList<MenuRow> rows_;
};

}  // namespace zolmar
