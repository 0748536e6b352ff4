#include "zolmar/db/ficha_db.h"
#include "db_fixture.h"
#include "zolmar/db/insert_builder.h"

namespace zolmar {
namespace {

class FichaDBTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cn = testing::openMemory();
    for (const char* name : {"Bebidas", "Alimentación", "Droguería"}) {
      InsertBuilder insert(cn, "Arboles");
      insert.AddField("Tipo", 3);
      insert.AddField("Nombre", name);
      ASSERT_GT(insert.Execute(), 0) << cn->LastError().toStdString();
    }
    cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Nombre) VALUES (1, 'Hoteles')");
    ASSERT_FALSE(ficha.Open(cn, "Arboles", "ZolmarID", "Tipo=3"));
  }
  std::shared_ptr<Connection> cn;
  FichaDB ficha;
};

TEST_F(FichaDBTest, NavigatesTheFilteredRows) {
  EXPECT_EQ(ficha.RecordCount(), 3);
  EXPECT_EQ(ficha.CurrentID(), 1);
  EXPECT_TRUE(ficha.MoveLast());
  EXPECT_EQ(ficha.Field("Nombre").toString(), "Droguería");
  EXPECT_FALSE(ficha.MoveNext());
  EXPECT_EQ(ficha.CurrentID(), 3);
  EXPECT_TRUE(ficha.MovePrevious());
  EXPECT_EQ(ficha.CurrentID(), 2);
  EXPECT_EQ(ficha.SeekID(4), 0) << "outside the filter";
  EXPECT_EQ(ficha.CurrentID(), 2);
  EXPECT_EQ(ficha.SeekID(1), 1);
  ficha.SetOrder("Nombre DESC");
  ficha.Reload();
  EXPECT_EQ(ficha.CurrentID(), 1) << "reload keeps the current id";
  ficha.MoveFirst();
  EXPECT_EQ(ficha.Field("Nombre").toString(), "Droguería");
}

TEST_F(FichaDBTest, SavesNewAndChangedRecordsWithQuotes) {
  ficha.AddNew();
  EXPECT_TRUE(ficha.IsNew());
  ficha.SetField("Tipo", 3);
  ficha.SetField("Nombre", "Vinos d'Oc");
  ASSERT_FALSE(ficha.Save()) << ficha.lastError().toStdString();
  EXPECT_FALSE(ficha.IsNew());
  const qint32 id = ficha.CurrentID();
  EXPECT_GT(id, 4);
  EXPECT_EQ(ficha.Field("Activo").toInt(), 0) << "database defaults come back";
  ficha.SetField("Nombre", "Vinos de O'Donnell");
  ASSERT_FALSE(ficha.Save());
  EXPECT_EQ(cn->ExecuteSQL("SELECT Nombre FROM Arboles WHERE ZolmarID=" + QString::number(id), 2).toString(),
            "Vinos de O'Donnell");
  ficha.SetField("Nombre", "descartado");
  ficha.CancelUpdate();
  EXPECT_EQ(ficha.Field("Nombre").toString(), "Vinos de O'Donnell");
  ficha.SetField("NoExiste", 1);
  EXPECT_TRUE(ficha.Save()) << "a failed UPDATE reports failure";
}

TEST_F(FichaDBTest, DeletesTheCurrentRecord) {
  ficha.SeekID(2);
  EXPECT_FALSE(ficha.DeleteCurrent());
  EXPECT_EQ(ficha.RecordCount(), 2);
  EXPECT_EQ(ficha.CurrentID(), 3);
  EXPECT_EQ(ficha.SeekID(2), 0);
  EXPECT_EQ(cn->ExecuteSQL("SELECT COUNT(*) FROM Arboles WHERE ZolmarID=2", 2).toInt(), 0);
  FichaDB bad;
  EXPECT_TRUE(bad.Open(cn, "NoExiste", "ZolmarID"));
}

}  // namespace
}  // namespace zolmar
