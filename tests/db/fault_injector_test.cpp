#include "zolmar/db/fault_injector.h"
#include "db_fixture.h"
#include "zolmar/db/database_dump.h"

namespace zolmar {
namespace {

using testing::openMemory;

const QString kBatch = QStringLiteral(
    "INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, '0100000000000000', 'Bebidas') ; "
    "UPDATE Arboles SET Nombre='Vinos' WHERE Tipo=3 ; "
    "DELETE FROM Arboles WHERE Nombre='Aguas'");

TEST(FaultInjectorTest, CountsEveryStatementOfABatchAndFailsOnlyTheChosenOne) {
  auto cn = openMemory();
  {
    FaultInjector counter(cn, 0);
    cn->ExecuteSQL(kBatch);
    EXPECT_FALSE(cn->HasError());
    EXPECT_EQ(counter.statements(), 3);
    EXPECT_FALSE(counter.fired());
  }
  cn->ExecuteSQL("DELETE FROM Arboles");
  const QString before = DatabaseDump::of(*cn);
  for (qint32 k = 1; k <= 3; ++k) {
    FaultInjector f(cn, k);
    cn->ExecuteSQL(kBatch);
    EXPECT_TRUE(cn->HasError()) << k;
    EXPECT_TRUE(f.fired()) << k;
    EXPECT_EQ(DatabaseDump::of(*cn), before) << "a batch failing at statement " << k << " left rows";
  }
  // Gone with the injector: the same batch runs again.
  cn->ExecuteSQL(kBatch);
  EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
}

TEST(FaultInjectorTest, AFailureInsideANamedTransactionIsUndoneByItsRollback) {
  auto cn = openMemory();
  const QString before = DatabaseDump::of(*cn);
  FaultInjector f(cn, 2);
  cn->BeginTrans("Prueba");
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (1, '0100000000000000', 'A')");
  EXPECT_FALSE(cn->HasError());
  cn->ExecuteSQL("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (1, '0200000000000000', 'B')");
  ASSERT_TRUE(cn->HasError());
  cn->RollbackTrans("Prueba");
  EXPECT_EQ(f.statements(), 2);  // transaction control is not counted
  EXPECT_EQ(DatabaseDump::of(*cn), before);
}

TEST(DatabaseDumpTest, TellsNullEmptyAndZeroApart) {
  auto cn = openMemory();
  const char* values[] = {"NULL", "''", "0"};
  QStringList dumps;
  for (const char* v : values) {
    cn->ExecuteSQL("DELETE FROM Arboles");
    cn->ExecuteSQL(
        QStringLiteral("INSERT INTO Arboles (Tipo, Clave, Nombre, RutaPadre) VALUES (1, '01', 'A', %1)")
            .arg(QLatin1String(v)));
    ASSERT_FALSE(cn->HasError()) << cn->LastError().toStdString();
    dumps << DatabaseDump::of(*cn);
  }
  EXPECT_NE(dumps[0], dumps[1]);
  EXPECT_NE(dumps[1], dumps[2]);
  EXPECT_NE(dumps[0], dumps[2]);
  EXPECT_TRUE(dumps[0].contains("== Arboles\n", Qt::CaseInsensitive));
}

}  // namespace
}  // namespace zolmar
