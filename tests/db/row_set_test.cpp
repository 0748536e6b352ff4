#include <gtest/gtest.h>

#include "zolmar/db/list_object.h"
#include "zolmar/db/rows/memory_row_set.h"
#include "zolmar/db/rows/row_set.h"

namespace zolmar {
namespace {

RowSet names(bool writable = true) {
  return RowSet({"ZolmarID", "Nombre", "Tipo"},
                {{1, "Bebidas", 3}, {2, "O'Donnell", 1}, {3, "Vinos ", 3}, {4, "vinos", 3}, {5, "Viños", 3}},
                writable);
}

TEST(RowSetTest, ForwardReadingAndPositions) {
  RowSet rs = names();
  EXPECT_EQ(rs.Position(), 0);
  EXPECT_FALSE(rs.Eof());
  int seen = 0;
  while (rs.Read()) ++seen;
  EXPECT_EQ(seen, 5);
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(rs.Position(), 6);
  EXPECT_TRUE(rs.Field("Nombre").isNull());
  rs.SetPosition(2);
  EXPECT_EQ(rs.Field("nombre").toString(), "O'Donnell");
  EXPECT_TRUE(rs.Field("NoExiste").isNull());
}

// Rows added to a row set built in memory take the kind and size of their
// fields; a set read from the database takes none.
TEST(RowSetTest, AddRowTakesTheFieldsKindAndSize) {
  using F = arboles::RecordsetField;
  MemoryRowSet rs({{"ZolmarID", F::Integer, 0}, {"Nombre", F::Text, 5}, {"Clave", F::Text, 0}});
  struct Case {
    QVariantList values;
    bool added;
    QVariant id, nombre;
  } cases[] = {
      {{7, "Vinos", "01"}, true, 7, "Vinos"},
      {{"12", "Vinos tintos", "0101"}, true, 12, "Vinos"},
      {{QVariant(), QVariant(), QVariant()}, true, 0, ""},
      {{1, "corta"}, false, {}, {}},
  };
  qint32 rows = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.values.size());
    EXPECT_EQ(rs.AddRow(c.values), c.added);
    if (!c.added) continue;
    EXPECT_EQ(rs.Position(), ++rows);
    EXPECT_EQ(rs.Field("ZolmarID").typeId(), QMetaType::Int);
    EXPECT_EQ(rs.Field("ZolmarID"), c.id);
    EXPECT_EQ(rs.Field("Nombre"), c.nombre);
  }
  EXPECT_EQ(rs.RecordCount(), rows);
  EXPECT_EQ(rs.Find("ZolmarID=12"), 2);
  RowSet leida = names(false);
  EXPECT_FALSE(leida.AddRow({6, "Aguas", 3}));
  EXPECT_EQ(leida.RecordCount(), 5);
}

TEST(RowSetTest, FindCriteria) {
  struct Case {
    const char* criterion;
    qint32 start;
    qint32 expected;
  } cases[] = {
      {"ZolmarID=3", 0, 3},
      {"Nombre='O''Donnell'", 0, 2},
      {"Nombre='vinos'", 0, 3},  // case and trailing blanks ignored
      {"Nombre='vinos'", 3, 4},
      {"Nombre='vinos'", 4, 0},
      {"Nombre='Viños'", 0, 5},  // accents count
      {"Tipo=3 AND Nombre<>'Bebidas'", 0, 3},
      {"ZolmarID>=4", 0, 4},
      {"ZolmarID<2", 0, 1},
      {"Nombre LIKE 'vi*'", 1, 3},
      {"Nombre LIKE '*Donn*'", 0, 2},
      {"Nombre LIKE 'V_nos*'", 0, 0},  // only * and % are wildcards
      {"Nombre LIKE 'Vi?os'", 0, 0},
      {"[Nombre]='Bebidas'", 0, 1},
      {"Nombre='Bebidas' AND Tipo=1", 0, 0},
      {"Nombre=", 0, 0},
      {"Campo=1", 0, 0},
  };
  for (const auto& c : cases) {
    RowSet rs = names();
    EXPECT_EQ(rs.Find(c.criterion, c.start), c.expected) << c.criterion;
    if (c.expected) {
      EXPECT_EQ(rs.Position(), c.expected);
    }
  }
  RowSet rs = names();
  EXPECT_EQ(rs.Find("Nombre=" + rs.QuoteCriterion("O'Donnell")), 2);
}

TEST(RowSetTest, EqualityIndexFollowsWrites) {
  RowSet rs = names();
  EXPECT_EQ(rs.Find("Tipo=3"), 1);  // builds the index of Tipo
  rs.SetPosition(2);
  rs.SetField("Tipo", 3);
  rs.SetPosition(1);
  rs.SetField("TIPO", 7);
  EXPECT_EQ(rs.Find("Tipo=3"), 2);
  EXPECT_EQ(rs.Find("Tipo=7"), 1);
  EXPECT_EQ(rs.Find("Tipo=1"), 0);
  rs.appendRow({6, "Nuevo", 1});
  EXPECT_EQ(rs.Find("Tipo=1"), 6);
  RowSet readOnly = names(false);
  readOnly.Read();
  readOnly.SetField("Nombre", "x");
  EXPECT_EQ(readOnly.Field("Nombre").toString(), "Bebidas");
}

// Keys of digits and capital letters sort by their codes: the same order the
// collator gives them.
TEST(RowSetTest, PlainKeysSortAsTheCollatorOrdersThem) {
  QStringList claves{"0A", "09", "A0", "AB", "A", "10", "1", "Z9", "B", "", "0100  ", "01"};
  RowSet rs({"Clave"}, {}, false);
  for (const QString& c : claves) rs.appendRow({c});
  rs.Sort("Clave");
  std::stable_sort(claves.begin(), claves.end(),
                   [](const QString& a, const QString& b) { return RowCriterion::compare(a, b) < 0; });
  QStringList orden;
  for (rs.SetPosition(0); rs.Read();) orden << rs.Field("Clave").toString();
  EXPECT_EQ(orden, claves);
}

TEST(RowSetTest, SortKeepsTheCurrentRowAndRemoveWhere) {
  RowSet rs = names();
  rs.SetPosition(2);  // O'Donnell
  rs.Sort("Nombre DESC");
  EXPECT_EQ(rs.Field("ZolmarID").toInt(), 2);
  rs.Sort("Nombre");
  QStringList order;
  for (rs.SetPosition(0); rs.Read();) order << rs.Field("Nombre").toString().trimmed();
  EXPECT_EQ(order, QStringList({"Bebidas", "O'Donnell", "Vinos", "vinos", "Viños"}));
  EXPECT_EQ(rs.Find("Nombre='Viños'"), 5);
  EXPECT_EQ(rs.RemoveWhere("Tipo=3"), 4);
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Find("Nombre='Viños'"), 0);
}

TEST(ListObjectTest, AddressesFromTheBaseFindsAndSorts) {
  ListObject list;
  list.Init(1, 4, 1, 3);
  EXPECT_EQ(list.RowCount(), 3);
  list.SetCell(1, 1, "0102");
  list.SetCell(1, 2, "                ");
  list.SetCell(1, 3, "01");
  list.SetCell(4, 3, 99);
  EXPECT_EQ(list.Find(4, 99), 3);
  EXPECT_EQ(list.Find(4, 5), 0);
  list.Sort(1);
  EXPECT_EQ(list.Cell(1, 1).toString().trimmed(), "");
  EXPECT_EQ(list.Cell(1, 2).toString(), "01");
  EXPECT_EQ(list.Cell(4, 2).toInt(), 99);
  EXPECT_EQ(list.AddRow({"x", 1}), 4);
  EXPECT_TRUE(list.Cell(5, 1).isNull());
}

TEST(ListObjectTest, FindFollowsEveryChangeOfTheIndexedColumn) {
  ListObject list;
  list.Init(1, 2, 1, 4);
  const QString blank(16, ' ');
  for (qint32 row = 1; row <= 4; ++row) list.SetCell(1, row, blank);
  EXPECT_EQ(list.Find(1, blank), 1);  // builds the index
  list.SetCell(1, 1, "01");
  EXPECT_EQ(list.Find(1, blank), 2) << "the first row still blank";
  EXPECT_EQ(list.Find(1, "01"), 1);
  list.SetCell(1, 3, "02");
  list.SetCell(1, 2, "0101");
  EXPECT_EQ(list.Find(1, blank), 4);
  EXPECT_EQ(list.AddRow({blank}), 5);
  list.SetCell(1, 4, "03");
  EXPECT_EQ(list.Find(1, blank), 5) << "an added row is indexed";
  list.Sort(1);
  EXPECT_EQ(list.Find(1, blank), 1) << "a sort renumbers the rows";
  EXPECT_EQ(list.Find(1, "0101"), 3);
  list.SetCell(1, 1, "04");
  EXPECT_EQ(list.Find(1, blank), 0);
  list.RemoveRow(1);
  EXPECT_EQ(list.Find(1, "0101"), 2) << "a removed row moves the later ones up";
  EXPECT_EQ(list.RowCount(), 4);
}

}  // namespace
}  // namespace zolmar
