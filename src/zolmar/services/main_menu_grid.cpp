#include "zolmar/services/main_menu_grid.h"

#include <QString>

#include "zolmar/db/list_object.h"

namespace zolmar {

namespace {

struct Entry {
  const char* caption;
  int level;
};

constexpr Entry kMenus[] = {
    {"&Ficheros", 1},
    {"Empresa", 2},
    {"Ubicaciones", 2},
    {"-", 2},
    {"Salir", 2},
    {"&Artículos", 1},
    {"Fichas de artículos", 2},
    {"Tarifas", 2},
    {"&Clientes", 1},
    {"Fichas de clientes", 2},
    {"Categorías de clientes", 2},
    {"&Proveedores", 1},
    {"Fichas de proveedores", 2},
    {"Categorías de proveedores", 2},
    {"Á&rboles", 1},
    {"Grupos de clientes", 2},
    {"Grupos de proveedores", 2},
    {"Categorías de artículos", 2},
    {"-", 2},
    {"Organizar categorías", 2},
    {"&Informes", 1},
    {"Árboles", 2},
    {"Categorías", 2},
    {"A&yuda", 1},
    {"Ver modificaciones", 2},
    {"Descargar manuales", 2},
};

}  // namespace

std::shared_ptr<arboles::IListObject> MainMenuGrid::standard() {
  auto grid = std::make_shared<ListObject>();
  grid->Init(1, 2, 1, 0);
  for (const Entry& e : kMenus) grid->AddRow({QString::fromUtf8(e.caption), e.level});
  return grid;
}

std::shared_ptr<arboles::IListObject> MainMenuGrid::fromRows(const QList<Row>& rows) {
  auto grid = std::make_shared<ListObject>();
  grid->Init(1, 2, 1, 0);
  QList<qint32> levels;
  for (qint32 i = 0; i < rows.size(); ++i) {
    const qint32 parent = rows[i].parentRow;
    levels << (parent > 0 && parent <= i ? levels[parent - 1] + 1 : 1);
    grid->AddRow({rows[i].caption, levels.last()});
  }
  return grid;
}

}  // namespace zolmar
