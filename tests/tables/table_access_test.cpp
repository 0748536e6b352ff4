#include <gtest/gtest.h>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/tables/record_list_window.h"
#include "zolmar/tables/table_access.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/key_codes.h"

namespace zolmar {
namespace {

class TablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = Host::open(QStringLiteral(":memory:"));
    host->sampleData();
    host->useScriptedUserInterface();
  }
  std::shared_ptr<arboles::IHostTableAccess> access(const char* name) {
    auto app = host->appGlobal();
    auto taz = app->CreateTableAccess(QString::fromLatin1(name));
    EXPECT_TRUE(taz->I_TAZ_Configure(app->GetGlobales(), app));
    return taz;
  }
  qint32 scalar(const QString& sql) { return host->connection()->ExecuteSQL(sql, 2, 0).toInt(); }
  ScriptedUserInterface& ui() { return host->scriptedUserInterface(); }

  std::unique_ptr<Host> host;
};

TEST_F(TablesTest, NameByIdReadsTheRecordsName) {
  const qint32 customer = scalar(QStringLiteral(
      "SELECT C.ZolmarID FROM Clientes C JOIN Nombres N ON C.ID_Nombre=N.ZolmarID WHERE N.NIF='71234567B'"));
  const qint32 article = scalar(QStringLiteral("SELECT MIN(ZolmarID) FROM Articulos"));
  const QString articleName =
      host->connection()
          ->ExecuteSQL(QStringLiteral("SELECT Nombre FROM Articulos WHERE ZolmarID=%1").arg(article), 2)
          .toString();
  const struct {
    const char* cls;
    qint32 id;
    QString name;
  } cases[] = {
      {"Clientes.cTAZ_Clientes", customer, QStringLiteral("Luis O'Donnell García")},
      {"Articulos.cTAZ_Articulos", article, articleName},
      {"Clientes.cTAZ_Clientes", 999999, QString()},
      {"Proveedores.cTAZ_Proveedores", 0, QString()},
  };
  for (const auto& c : cases) EXPECT_EQ(access(c.cls)->NameByID(c.id), c.name) << c.cls << " " << c.id;
}

TEST_F(TablesTest, BuscarReturnsTheAcceptedRowOrZeroWhenCancelled) {
  auto taz = access("Proveedores.cTAZ_Proveedores");
  qint32 offered = 0;
  ui().whenWaitingFor(QStringLiteral("FrmListaProveedores"), [&](QWidget* w) {
    auto* list = qobject_cast<RecordListWindow*>(w);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->SearchText(), QStringLiteral("bodegas"));
    EXPECT_EQ(list->RowCount(), 2);
    list->Search(QStringLiteral("*peñalba"));
    ASSERT_EQ(list->RowCount(), 1);
    offered = list->RowID(0);
    list->ClickAceptar();
  });
  const qint32 chosen = taz->Buscar(nullptr, QStringLiteral("bodegas"));
  EXPECT_GT(chosen, 0);
  EXPECT_EQ(chosen, offered);
  EXPECT_EQ(taz->NameByID(chosen), QStringLiteral("Bodegas Peñalba del Duero"));

  ui().whenWaitingFor(QStringLiteral("FrmListaProveedores"),
                      [](QWidget* w) { qobject_cast<RecordListWindow*>(w)->ClickCancelar(); });
  EXPECT_EQ(taz->Buscar(nullptr, QString()), 0);
}

TEST_F(TablesTest, GroupListingShowsOnlyTheGroupsLiveRecords) {
  auto taz = access("Clientes.cTAZ_Clientes");
  const qint32 group =
      scalar(QStringLiteral("SELECT ZolmarID FROM Arboles WHERE Tipo=1 AND Nombre='Restaurantes'"));
  ASSERT_GT(group, 0);
  const qint32 members = scalar(QStringLiteral("SELECT COUNT(*) FROM Clientes WHERE ID_Grupo=%1").arg(group));
  host->connection()->ExecuteSQL(
      QStringLiteral("UPDATE Clientes SET Activo=2 WHERE ZolmarID=(SELECT MIN(ZolmarID) FROM Clientes WHERE "
                     "ID_Grupo=%1)")
          .arg(group));
  ui().whenWaitingFor(QStringLiteral("FrmListaClientes"), [&](QWidget* w) {
    auto* list = qobject_cast<RecordListWindow*>(w);
    EXPECT_EQ(list->RowCount(), members - 1);
    EXPECT_TRUE(list->windowTitle().contains(QStringLiteral("Restaurantes")));
    list->ClickCancelar();
  });
  EXPECT_EQ(taz->MostrarInformes(2, true, group), 0);
  EXPECT_EQ(ui().pendingScripts(), 0);
}

TEST_F(TablesTest, ValidatorTakesAUniqueMatchAndAsksTheListOtherwise) {
  auto app = host->appGlobal();
  auto taz = access("Clientes.cTAZ_Clientes");
  auto validator = app->CreateFieldValidator(QStringLiteral("Clientes.cDAZ_Cliente"));
  get sayID, getName;

  getName.setText(QStringLiteral("luis"));
  EXPECT_TRUE(validator->Validate(taz, &sayID, &getName, false));
  EXPECT_EQ(getName.Text(), QStringLiteral("Luis O'Donnell García"));
  EXPECT_GT(sayID.Text().toInt(), 0);

  getName.setText(QString());
  EXPECT_TRUE(validator->Validate(taz, &sayID, &getName, false));
  EXPECT_EQ(sayID.Text(), QStringLiteral("0"));

  getName.setText(QStringLiteral("zzz no existe"));
  ui().whenWaitingFor(QStringLiteral("FrmListaClientes"),
                      [](QWidget* w) { qobject_cast<RecordListWindow*>(w)->ClickCancelar(); });
  EXPECT_FALSE(validator->Validate(taz, &sayID, &getName, false));
  EXPECT_EQ(ui().pendingScripts(), 0);
}

// An open listing is one of the host's windows: it is counted as open, does
// not hold the program back, and the close key closes it.
TEST_F(TablesTest, ListingsRegisterWithTheHostAndCloseWithTheCloseKey) {
  const struct {
    const char* cls;
    const char* window;
  } cases[] = {
      {"Clientes.cTAZ_Clientes", "FrmListaClientes"},
      {"Proveedores.cTAZ_Proveedores", "FrmListaProveedores"},
      {"Articulos.cTAZ_Articulos", "FrmListaArticulos"},
  };
  auto app = host->appGlobal();
  for (const auto& c : cases) {
    auto taz = std::dynamic_pointer_cast<TableAccess>(access(c.cls));
    ASSERT_NE(taz, nullptr);
    const QString name = QString::fromLatin1(c.window);
    EXPECT_FALSE(app->IsWindowOpen(name)) << c.cls;
    taz->MostrarInformes(0, false, 0);
    RecordListWindow* list = taz->lastWindow();
    ASSERT_NE(list, nullptr) << c.cls;
    EXPECT_TRUE(app->IsWindowOpen(name)) << c.cls;
    EXPECT_FALSE(app->AppQueryUnload()) << c.cls;
    list->PressKey(KeyCodes::F1 + 8);  // the save key means nothing here
    EXPECT_FALSE(list->IsClosed()) << c.cls;
    list->PressKey(KeyCodes::Escape);
    EXPECT_TRUE(list->IsClosed()) << c.cls;
    EXPECT_EQ(list->ChosenID(), 0) << c.cls;
    EXPECT_FALSE(app->IsWindowOpen(name)) << c.cls;
  }
}

}  // namespace
}  // namespace zolmar
