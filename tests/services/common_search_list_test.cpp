#include <gtest/gtest.h>

#include "common/host_fixture.h"
#include "host/host_types.h"
#include "host/i_app_global.h"
#include "host/i_host_objects.h"
#include "host/i_recordset.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/list_window.h"

namespace zolmar {
namespace {

class CommonSearchListTest : public HostFixture {
 protected:
  void Poblar() override { host->sampleData(); }

  static constexpr const char* kQuery = "SELECT ZolmarID, Nombre FROM Arboles WHERE Tipo=3 ORDER BY Clave";

  QList<qint32> articleTreeIds() {
    QList<qint32> ids;
    auto rs = arboles::recordsetOf(host->connection()->ExecuteSQL(QString::fromLatin1(kQuery), 5));
    while (rs && rs->Read()) ids << rs->Field(QStringLiteral("ZolmarID")).toInt();
    return ids;
  }
};

// The person opens the list on the record the entry names and presses Enter.
TEST_F(CommonSearchListTest, TheStartingRecordIsTheCurrentRowAndEnterChoosesIt) {
  const QList<qint32> ids = articleTreeIds();
  ASSERT_GT(ids.size(), 5);
  for (const qint32 row : {0, 3, qint32(ids.size()) - 1}) {
    const qint32 start = ids.at(row);
    auto list = host->appGlobal()->CreateCommonSearchList();
    list->SetQuery(QString::fromLatin1(kQuery));
    list->SetCurrentID(start);
    qint32 seenRow = -2;
    host->scriptedUserInterface().whenWaitingFor("BusquedaComun", [&seenRow](QWidget* w) {
      auto* window = static_cast<ListWindow*>(w);
      seenRow = window->CurrentRow();
      window->PressKey(KeyCodes::Return);
    });
    get entry;
    bool flag = true;
    EXPECT_EQ(list->Run(*taz, &entry, flag, true), start) << row;
    EXPECT_EQ(seenRow, row);
  }
}

TEST_F(CommonSearchListTest, SelectWhereFindsOnlyShownRows) {
  ListWindow window;
  window.AddColumn(QStringLiteral("ZolmarID"), QStringLiteral("Ficha"));
  window.AddColumn(QStringLiteral("Nombre"), QStringLiteral("Nombre"));
  auto rs = arboles::recordsetOf(host->connection()->ExecuteSQL(QString::fromLatin1(kQuery), 5));
  ASSERT_TRUE(rs);
  window.LoadRows(*rs);
  const qint32 id = articleTreeIds().at(2);
  const QString name = window.Value(2, QStringLiteral("Nombre")).toString();
  EXPECT_TRUE(window.SelectWhere(QStringLiteral("zolmarid"), id));
  EXPECT_EQ(window.Value(window.CurrentRow(), QStringLiteral("Nombre")).toString(), name);
  EXPECT_FALSE(window.SelectWhere(QStringLiteral("ZolmarID"), -7));
  EXPECT_FALSE(window.SelectWhere(QStringLiteral("NoExiste"), id));
  window.Search(QStringLiteral("texto que no está en ninguna fila"));
  EXPECT_FALSE(window.SelectWhere(QStringLiteral("ZolmarID"), id));
}

}  // namespace
}  // namespace zolmar
