#include "arboles_menu.h"

#include <memory>

#include "host/i_app_global.h"
#include "host/i_host_objects.h"
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

}  // namespace

// Each window of the module adds its line here as it becomes available.
QList<ArbolesMenuEntry> ArbolesMenuEntries(Host& host) {
  return {
      listing(host, QStringLiteral("Lista de clientes"), "Clientes.cTAZ_Clientes"),
      listing(host, QStringLiteral("Lista de proveedores"), "Proveedores.cTAZ_Proveedores"),
      listing(host, QStringLiteral("Lista de artículos"), "Articulos.cTAZ_Articulos"),
  };
}

}  // namespace zolmar
