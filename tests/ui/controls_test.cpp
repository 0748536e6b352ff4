#include <gtest/gtest.h>

#include <QDate>
#include <QHeaderView>
#include <QStringList>

#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/grid.h"
#include "zolmar/ui/mask_format.h"
#include "zolmar/ui/popup_menu.h"

using zolmar::btn;
using zolmar::get;
using zolmar::Grid;

TEST(Controls, ButtonPressRespectsEnabledStateAndCheckValue) {
  btn b("Guardar");
  int clicks = 0;
  QObject::connect(&b, &btn::Clicked, [&] { ++clicks; });
  b.Click();
  b.setEnabled(false);
  b.Click();
  b.setEnabled(true);
  b.setShownEnabled(false);
  b.Click();
  EXPECT_EQ(clicks, 1);

  btn chk;
  int chkClicks = 0;
  QObject::connect(&chk, &btn::Clicked, [&] { ++chkClicks; });
  chk.setValue(1);
  chk.setValue(1);  // no change, no event
  EXPECT_EQ(chk.Value(), 1);
  chk.Click();
  EXPECT_EQ(chk.Value(), 0);
  EXPECT_EQ(chkClicks, 2);
}

TEST(Controls, EntryChangeValidateAndLocks) {
  get g;
  QStringList seen;
  QObject::connect(&g, &get::Change, [&] { seen << "change " + g.Text(); });
  QObject::connect(&g, &get::Validating, [&](bool& cancel) { cancel = g.Text().isEmpty(); });
  g.setText("Vinos");
  g.setText("Vinos");  // same text: no change
  g.setMaxLength(3);
  g.Type("Cervezas");
  EXPECT_EQ(seen, QStringList({"change Vinos", "change Vin", "change Cer"}));
  EXPECT_FALSE(g.Validate());
  g.setText("");
  EXPECT_TRUE(g.Validate());

  g.setReadOnly(true);
  g.Type("typed");
  EXPECT_EQ(g.Text(), "");
  g.setText("by code");  // code still writes a read-only entry
  EXPECT_EQ(g.Text(), "by ");

  int searches = 0;
  QObject::connect(&g, &get::Buscar, [&] { ++searches; });
  g.setReadOnly(false);
  g.PressBuscar();
  g.setEnabledBuscar(true);
  g.PressBuscar();
  EXPECT_EQ(searches, 1);
  g.ShowTip("Ya existe un grupo con ese nombre");
  EXPECT_EQ(g.LastTip(), "Ya existe un grupo con ese nombre");
}

TEST(Controls, EntryTypedValues) {
  struct Case {
    qint32 type;
    const char* text;
    QVariant expected;
  };
  for (const Case& c :
       {Case{get::Entero, " 42 ", 42}, Case{get::Entero, "", QVariant()},
        Case{get::Decimal, "1.234,5", 1234.5}, Case{get::Fecha, "31/12/2023", QDate(2023, 12, 31)},
        Case{get::Texto, " a ", QString(" a ")}}) {
    get g;
    g.setTipoDato(c.type);
    g.setText(c.text);
    EXPECT_EQ(g.Value(), c.expected) << c.text;
  }
}

TEST(Controls, GridEditsRaiseCellChangeOnlyForThePerson) {
  Grid grid;
  grid.AddColumn("Nombre", 120);
  grid.AddColumn("Importe", 80, "#,##0.00");
  grid.AddColumn("Uso", 40, "", Grid::CheckColumn);
  grid.setRows(2);
  QStringList changes;
  QObject::connect(&grid, &Grid::CellChange,
                   [&](qint32 r, qint32 c) { changes << QString("%1,%2").arg(r).arg(c); });
  grid.setValue(0, 1, 1234.5);
  grid.setChecked(1, 2, true);
  EXPECT_EQ(grid.TextMatrix(0, 1), "1.234,50");
  EXPECT_EQ(grid.Value(0, 1).toDouble(), 1234.5);
  EXPECT_TRUE(changes.isEmpty());

  EXPECT_TRUE(grid.TypeCell(1, 0, "Vinos"));
  EXPECT_TRUE(grid.TickCell(1, 2));
  EXPECT_FALSE(grid.Checked(1, 2));
  grid.setColumnLocked(0, true);
  EXPECT_FALSE(grid.TypeCell(0, 0, "x"));
  EXPECT_EQ(changes, QStringList({"1,0", "1,2"}));
  EXPECT_EQ(grid.Value(1, 0), "Vinos");
  EXPECT_EQ(grid.Row(), 1);

  grid.RemoveRow(0);
  EXPECT_EQ(grid.Rows(), 1);
  EXPECT_EQ(grid.TextMatrix(0, 0), "Vinos");
}

// The row numbers take the width Qt would give them after measuring every row.
TEST(Controls, GridRowNumbersAreAsWideAsTheWidestNumber) {
  for (int rows : {1, 9, 10, 25, 100, 999, 1000, 12345}) {
    Grid grid;
    QTableWidget plain;
    plain.setFont(grid.font());
    for (QTableWidget* table : {static_cast<QTableWidget*>(&grid), &plain}) {
      table->setColumnCount(1);
      table->setRowCount(rows);
    }
    EXPECT_EQ(grid.verticalHeader()->sizeHint().width(), plain.verticalHeader()->sizeHint().width()) << rows;
  }
}

TEST(Controls, MasksAndPopupChoices) {
  EXPECT_EQ(zolmar::MaskFormat::Format(1234567.891, "#,##0.00"), "1.234.567,89");
  EXPECT_EQ(zolmar::MaskFormat::Format(7, "0000"), "0007");
  EXPECT_EQ(zolmar::MaskFormat::Format(QDate(2024, 2, 9), "dd/mm/yyyy"), "09/02/2024");
  EXPECT_EQ(zolmar::MaskFormat::Format("vino", ">"), "VINO");

  zolmar::PopupMenu menu;
  for (const char* item : {"Abrir", "-", "Cerrar"}) menu.Add(item);
  QString seenTitle;
  for (const auto& [answer, expected] : std::vector<std::pair<int, int>>{{3, 3}, {2, 0}, {0, 0}, {9, 0}}) {
    zolmar::PopupMenu::SetChooser([&, answer = answer](const QString& title, const QStringList&) {
      seenTitle = title;
      return answer;
    });
    EXPECT_EQ(menu.Show("Opciones"), expected) << answer;
  }
  zolmar::PopupMenu::SetChooser({});
  EXPECT_EQ(seenTitle, "Opciones");
}
