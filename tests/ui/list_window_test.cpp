#include <gtest/gtest.h>

#include <QTimer>
#include <QVariantList>
#include <QVector>

#include "host/i_recordset.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/list_window.h"

using zolmar::ListWindow;

namespace {

// Read-only rows for the list window.
class Rows : public arboles::IRecordset {
 public:
  QStringList names;
  QVector<QVariantList> data;
  int pos = 0;

  bool Read() override { return ++pos <= data.size(); }
  qint32 RecordCount() const override { return data.size(); }
  qint32 Position() const override { return pos; }
  void SetPosition(qint32 p) override { pos = p; }
  bool MoveNext() override { return Read(); }
  bool Eof() const override { return pos > data.size(); }
  qint32 FieldCount() const override { return names.size(); }
  QString FieldName(qint32 i) const override { return names.value(i); }
  QVariant Field(const QString& name) const override {
    const int i = names.indexOf(name, 0);
    return i < 0 || pos < 1 || pos > data.size() ? QVariant() : data[pos - 1].value(i);
  }
  void SetField(const QString&, const QVariant&) override {}
  bool AddRow(const QVariantList&) override { return false; }
  qint32 Find(const QString&, qint32) override { return 0; }
  void Sort(const QString&) override {}
  qint32 RemoveWhere(const QString&) override { return 0; }
  QString QuoteCriterion(const QString& v) const override { return "'" + v + "'"; }
};

}  // namespace

TEST(ListWindow, SearchFiltersAndChoosingCloses) {
  Rows rs;
  rs.names = {"ZolmarID", "Nombre", "Saldo"};
  rs.data = {{1, "Bar Manolo", 1500.5}, {2, "Hotel Sol", -20}, {3, "Mesón O'Hara", 0}};
  ListWindow w;
  w.setTitle("Clientes del grupo");
  w.AddColumn("nombre", "Nombre", 200);
  w.AddColumn("Saldo", "Saldo", 80, "#,##0.00");
  w.LoadRows(rs);
  ASSERT_EQ(w.VisibleRowCount(), 3);
  EXPECT_EQ(w.Cell(0, 1), "1.500,50");
  EXPECT_EQ(w.Cell(1, 1), "-20,00");

  struct Case {
    const char* text;
    int rows;
  };
  for (const Case& c : {Case{"o'h", 1}, Case{"HOTEL", 1}, Case{"1.500", 1}, Case{"zzz", 0}, Case{"", 3}}) {
    w.Search(c.text);
    EXPECT_EQ(w.VisibleRowCount(), c.rows) << c.text;
  }

  w.Search("sol");
  w.ShowList(false);
  EXPECT_EQ(w.ChosenRow(), -1);
  w.ChooseRow(0);
  EXPECT_TRUE(w.IsClosed());
  EXPECT_EQ(w.ChosenValue("ZolmarID").toInt(), 2);

  w.ShowList(false);  // shown again: a fresh choice
  EXPECT_EQ(w.ChosenRow(), -1);
  w.PressKey(zolmar::KeyCodes::Escape);
  EXPECT_TRUE(w.IsClosed());
  EXPECT_EQ(w.ChosenRow(), -1);
}

TEST(ListWindow, ModalShowReturnsOnceTheRowIsChosen) {
  Rows rs;
  rs.names = {"ZolmarID", "Nombre"};
  rs.data = {{7, "Vinos"}, {8, "Cavas"}};
  ListWindow w;
  w.AddColumn("Nombre", "Nombre");
  w.LoadRows(rs);
  QTimer::singleShot(0, &w, [&w] { w.ChooseRow(1); });
  w.ShowList(true);
  EXPECT_TRUE(w.IsClosed());
  EXPECT_EQ(w.ChosenValue("zolmarid").toInt(), 8);
}
