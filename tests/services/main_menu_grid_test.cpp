#include <gtest/gtest.h>

#include "host/i_app_global.h"
#include "host/i_list_object.h"
#include "tree/taz_arboles.h"
#include "zolmar/host.h"
#include "zolmar/services/main_menu_grid.h"

namespace zolmar {
namespace {

QList<qint32> levelsOf(const arboles::IListObject& grid) {
  QList<qint32> levels;
  for (qint32 row = 1; row <= grid.RowCount(); ++row) levels << grid.Cell(2, row).toInt();
  return levels;
}

TEST(MainMenuGridTest, LevelsFollowTheParentRows) {
  const struct {
    const char* name;
    QList<MainMenuGrid::Row> rows;
    QList<qint32> levels;
  } cases[] = {
      {"bar only", {{"A", 0}, {"B", 0}}, {1, 1}},
      {"nested", {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0}}, {1, 2, 3, 2, 1}},
      {"parent after the row", {{"A", 2}, {"B", 0}}, {1, 1}},
      {"parent is the row itself", {{"A", 0}, {"B", 2}}, {1, 1}},
      {"parent beyond the list", {{"A", 9}}, {1}},
      {"empty", {}, {}},
  };
  for (const auto& c : cases) {
    auto grid = MainMenuGrid::fromRows(c.rows);
    EXPECT_EQ(levelsOf(*grid), c.levels) << c.name;
    for (qint32 i = 0; i < c.rows.size(); ++i) EXPECT_EQ(grid->Cell(1, i + 1).toString(), c.rows[i].caption);
  }
}

// The desktop program hands the module's menu list over in this shape.
TEST(MainMenuGridTest, TheModulesMenuListBecomesAGridOfTheSameRows) {
  auto host = Host::open(QStringLiteral(":memory:"));
  auto app = host->appGlobal();
  arboles::cTAZ_Arboles taz;
  taz.I_TAZ_Configure(app->GetGlobales(), app);
  ASSERT_NE(taz.oMOptMenus, nullptr);
  QList<MainMenuGrid::Row> rows;
  for (qint32 row = 1; row <= taz.oMOptMenus->RowCount(); ++row)
    rows.append({taz.oMOptMenus->Cell(1, row).toString(), taz.oMOptMenus->Cell(2, row).toInt()});
  auto grid = MainMenuGrid::fromRows(rows);
  ASSERT_EQ(grid->RowCount(), 31);
  const struct {
    qint32 row;
    const char* caption;
    qint32 level;
  } expected[] = {
      {1, "Ficheros", 1},   {4, "Salir", 2},
      {5, "Edición", 1},    {7, "Artículos", 2},
      {15, "Artículos", 1}, {27, "Procesos especiales", 2},
      {29, "Ayuda", 1},     {31, "Descargar manuales", 2},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(grid->Cell(1, e.row).toString(), QString::fromUtf8(e.caption)) << e.row;
    EXPECT_EQ(grid->Cell(2, e.row).toInt(), e.level) << e.row;
  }
}

}  // namespace
}  // namespace zolmar
