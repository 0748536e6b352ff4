#include <sqlite3.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "host/host_types.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/key_map.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/popup_menu.h"

namespace zolmar {
namespace {

class AppGlobalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = Host::open(QStringLiteral(":memory:"));
    host->useScriptedUserInterface();
    app = host->app();
    cn = host->connection();
  }
  ScriptedUserInterface& ui() { return host->scriptedUserInterface(); }

  std::unique_ptr<Host> host;
  std::shared_ptr<AppGlobal> app;
  std::shared_ptr<Connection> cn;
};

TEST_F(AppGlobalTest, FormatMessageFillsPlaceholdersFromElementZero) {
  const struct {
    const char* templ;
    QVariantList params;
    const char* expected;
  } cases[] = {
      {"Ficha Nº %1 / Nombre del grupo: %2",
       {125, QStringLiteral("Vinos")},
       "Ficha Nº 125 / Nombre del grupo: Vinos"},
      {"%2 antes que %1", {QStringLiteral("a"), QStringLiteral("b")}, "b antes que a"},
      {"%1%1", {7}, "77"},
      {"falta %3", {1}, "falta %3"},
      {"%10 y %1", {QStringLiteral("uno")}, "%10 y uno"},
      {"100% de %1", {QStringLiteral("%2")}, "100% de %2"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(app->FormatMessage(QString::fromUtf8(c.templ), c.params), QString::fromUtf8(c.expected))
        << c.templ;
}

TEST_F(AppGlobalTest, TranslateIsIdentityUnlessTheCatalogueHasTheText) {
  EXPECT_EQ(app->Translate(QStringLiteral("Árbol de Grupos de Clientes")),
            QStringLiteral("Árbol de Grupos de Clientes"));
  app->translator().add(QStringLiteral("Restaurante"), QStringLiteral("Restaurant"));
  EXPECT_EQ(app->Translate(QStringLiteral("Restaurante")), QStringLiteral("Restaurant"));
  EXPECT_EQ(app->Translate(QStringLiteral("restaurante")), QStringLiteral("restaurante"));
}

TEST_F(AppGlobalTest, MessagesReachTheUserInterfaceWithTitleAndIcon) {
  app->ShowMessage(QStringLiteral("No hay <B>referencias</B>"), 0, QStringLiteral("Información"),
                   arboles::IconInformation);
  ui().queueAnswer(false);
  EXPECT_FALSE(app->AskYesNo(QStringLiteral("¿Desea cancelar la importación?"), 4,
                             QStringLiteral("Confirmación"), arboles::IconQuestion));
  ui().queueAnswer(2);
  EXPECT_EQ(app->AskRecordQuestion(0, QString()), 2);
  ASSERT_EQ(ui().messages().size(), 3);
  EXPECT_EQ(ui().messages()[0].text, QStringLiteral("No hay <B>referencias</B>"));
  EXPECT_EQ(ui().messages()[1].title, QStringLiteral("Confirmación"));
  EXPECT_EQ(ui().messages()[1].icon, arboles::IconQuestion);
  EXPECT_EQ(ui().messages()[2].buttons, 0);  // record question kind 0
  EXPECT_FALSE(ui().messages()[2].text.isEmpty());
}

TEST_F(AppGlobalTest, CanOpenWindowHonoursAStoredRefusal) {
  EXPECT_TRUE(app->CanOpenWindow(QStringLiteral("FRMARBOLESCLIENTES"), 0, 1, 0));
  app->data().setWindowAllowed(app->user(), QStringLiteral("FrmArbolesClientes"), false);
  EXPECT_FALSE(app->CanOpenWindow(QStringLiteral("FRMARBOLESCLIENTES"), 0, 1, 0));
  ASSERT_EQ(ui().messages().size(), 1);
  EXPECT_EQ(ui().messages()[0].icon, arboles::IconWarning);
  EXPECT_FALSE(app->CanOpenWindow(QStringLiteral("FRMARBOLESCLIENTES"), 0, 0, 0));
  EXPECT_EQ(ui().messages().size(), 1);  // b = 0: refused silently
  EXPECT_TRUE(app->CanOpenWindow(QStringLiteral("FRMARBOLESARTICULOS")));
  app->setUser(QStringLiteral("otro"));
  EXPECT_TRUE(app->CanOpenWindow(QStringLiteral("FRMARBOLESCLIENTES"), 0, 0, 0));
}

// A permission that cannot be read refuses the window and says why, even
// where a refusal would be silent.
TEST_F(AppGlobalTest, CanOpenWindowRefusesWhenThePermissionQueryFails) {
  ASSERT_EQ(sqlite3_exec(cn->handle(), "DROP TABLE ZolmarPermisos", nullptr, nullptr, nullptr), SQLITE_OK);
  for (const qint32 avisar : {1, 0}) {
    SCOPED_TRACE(avisar);
    ui().clear();
    EXPECT_FALSE(app->CanOpenWindow(QStringLiteral("FRMARBOLESCLIENTES"), 0, avisar, 0));
    ASSERT_EQ(ui().messages().size(), 1);
    EXPECT_EQ(ui().messages()[0].icon, arboles::IconError);
    EXPECT_TRUE(ui().messages()[0].text.contains("FRMARBOLESCLIENTES"));
    EXPECT_TRUE(ui().messages()[0].text.contains("ZolmarPermisos")) << ui().messages()[0].text.toStdString();
  }
}

TEST_F(AppGlobalTest, ATableLockHasOneHolderUntilReleased) {
  const QString filter = QStringLiteral("Tipo=3");
  EXPECT_FALSE(app->LockTable(3, true, QStringLiteral("Arboles"), 0, filter, 3));
  EXPECT_TRUE(app->LockTable(3, true, QStringLiteral("Arboles"), 0, filter, 3));  // second editor refused
  EXPECT_FALSE(app->LockTable(3, true, QStringLiteral("Arboles"), 0, QStringLiteral("Tipo=1"), 3));
  EXPECT_FALSE(app->LockTable(3, false, QStringLiteral("Arboles"), 0, filter, 3));
  EXPECT_FALSE(app->LockTable(3, true, QStringLiteral("Arboles"), 0, filter, 3));  // free again
}

TEST_F(AppGlobalTest, HostDataServices) {
  app->data().setConfiguration(QStringLiteral("CFG_EMPRESA:NOMBRE"), QStringLiteral("Bodegas O'Neill"));
  EXPECT_EQ(app->GetConfig().value(QStringLiteral("CFG_EMPRESA:NOMBRE")).toString(),
            QStringLiteral("Bodegas O'Neill"));

  EXPECT_TRUE(app->DeleteComment(0, 0));
  cn->ExecuteSQL(QStringLiteral("INSERT INTO comentarios (comentario) VALUES ('nota')"));
  const qint32 id = cn->ExecuteSQL(QStringLiteral("SELECT MAX(ZolmarID) FROM comentarios"), 2, 0).toInt();
  EXPECT_TRUE(app->DeleteComment(id, 0));
  EXPECT_EQ(cn->ExecuteSQL(QStringLiteral("SELECT COUNT(*) FROM comentarios"), 2, -1).toInt(), 0);

  app->LogChange(3, QStringLiteral("Arboles"), 12, QStringLiteral("Ficha Nº 12 / Nombre del grupo: l'Horta"),
                 QStringLiteral("Grupos de clientes"));
  EXPECT_EQ(
      cn->ExecuteSQL(QStringLiteral("SELECT Descripcion FROM ZolmarCambios WHERE ID_Ficha=12"), 2).toString(),
      QStringLiteral("Ficha Nº 12 / Nombre del grupo: l'Horta"));
}

TEST_F(AppGlobalTest, KeysMapToSaveAcceptAndClose) {
  const struct {
    qint32 key, shift, action;
  } cases[] = {
      {KeyCodes::F1 + 8, 0, 1},
      {'S', KeyCodes::CtrlMask, 1},
      {KeyCodes::F1 + 9, 0, 2},
      {KeyCodes::Return, KeyCodes::CtrlMask, 2},
      {KeyCodes::Escape, 0, 3},
      {KeyCodes::Return, 0, 0},
      {'S', 0, 0},
      {KeyCodes::Escape, KeyCodes::ShiftMask, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(app->MapKey(c.key, c.shift), c.action) << c.key << "/" << c.shift;
  // A dialog has no save of its own: the save keys accept it.
  EXPECT_EQ(app->MapKey(KeyCodes::F1 + 8, 0, KeyMap::DialogMode), KeyMap::AcceptOrCancel);
  EXPECT_EQ(app->MapKey('S', KeyCodes::CtrlMask, KeyMap::DialogMode), KeyMap::AcceptOrCancel);
  EXPECT_EQ(app->MapKey(KeyCodes::Escape, 0, KeyMap::DialogMode), KeyMap::Close);
}

TEST_F(AppGlobalTest, TextAndEntryServices) {
  EXPECT_EQ(app->Pad(QStringLiteral("7"), 3, QStringLiteral("0"), 0), QStringLiteral("007"));
  EXPECT_EQ(app->Pad(QStringLiteral("7"), 3, QStringLiteral("0"), 1), QStringLiteral("700"));
  get entry;
  entry.setMaxLength(5);
  entry.setText(QStringLiteral("Vinos"));
  EXPECT_EQ(app->ValidateEntry(&entry), QString());
  entry.setText(QString());
  EXPECT_EQ(app->ValidateEntry(&entry), QString());
  entry.setProperty("Obligatorio", true);
  EXPECT_FALSE(app->ValidateEntry(&entry).isEmpty());
  entry.setTipoDato(get::Entero);
  entry.setText(QStringLiteral("12a"));
  EXPECT_FALSE(app->ValidateEntry(&entry).isEmpty());
  entry.setText(QStringLiteral("12"));
  EXPECT_EQ(app->ValidateEntry(&entry), QString());
}

class RefusingWindow : public FrmBasico {
 public:
  bool refuse = false;
  bool AppQueryUnload() override { return refuse; }
};

TEST_F(AppGlobalTest, AppQueryUnloadAsksEveryRegisteredWindow) {
  RefusingWindow a, b;
  const qint32 ha = app->RegisterWindow(&a, QStringLiteral("FrmArboles"));
  app->RegisterWindow(&b, QStringLiteral("FrmBuscaArbol"));
  EXPECT_TRUE(app->IsWindowOpen(QStringLiteral("FrmArboles")));
  EXPECT_FALSE(app->AppQueryUnload());
  a.refuse = true;
  EXPECT_TRUE(app->AppQueryUnload());
  app->UnregisterWindow(ha);
  EXPECT_FALSE(app->IsWindowOpen(QStringLiteral("FrmArboles")));
  EXPECT_FALSE(app->AppQueryUnload());
}

TEST_F(AppGlobalTest, FormGuardRefusesWhileTheWindowWaits) {
  QWidget form;
  EXPECT_TRUE(app->FormGuard(&form));
  app->SetWaitState(&form, true);
  EXPECT_FALSE(app->FormGuard(&form));
  EXPECT_FALSE(app->CloseCheck(&form));
  app->SetWaitState(&form, false);
  EXPECT_TRUE(app->CloseCheck(&form));
}

TEST_F(AppGlobalTest, FactoryCreatesTheHostClassesByName) {
  for (const char* name : {"Clientes.cTAZ_Clientes", "Proveedores.cTAZ_Proveedores",
                           "Articulos.cTAZ_Articulos", "CLIENTES.CTAZ_CLIENTES"})
    EXPECT_NE(app->CreateTableAccess(QString::fromLatin1(name)), nullptr) << name;
  EXPECT_EQ(app->CreateTableAccess(QStringLiteral("Cotalia.cCotalia")), nullptr);
  EXPECT_NE(app->CreateFieldValidator(QStringLiteral("Proveedores.cDAZ_Proveedor")), nullptr);
  EXPECT_EQ(app->CreateFieldValidator(QStringLiteral("Clientes.cTAZ_Clientes")), nullptr);
  EXPECT_NE(app->CreateComments(), nullptr);
}

TEST_F(AppGlobalTest, PopUpMenusAreAnsweredFromTheQueue) {
  PopupMenu menu;
  menu.Add(QStringLiteral("Zolmar_Cons#1"));
  menu.Add(QStringLiteral("Zolmar_Cons#2"));
  menu.Add(QStringLiteral("&Salir"));
  ui().queueAnswer(2);
  EXPECT_EQ(menu.Show(QStringLiteral("Selección un consultor de artículos...")), 2);
  ASSERT_EQ(ui().messages().size(), 1);
  EXPECT_EQ(ui().messages()[0].kind, QStringLiteral("choice"));
}

TEST(HostOpen, RefusesAFileThatIsNotADatabase) {
  const QString path = QDir::temp().filePath(QStringLiteral("zolmar_not_a_db.txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, 'x'));
  file.close();
  EXPECT_THROW(Host::open(path), std::runtime_error);
  QFile::remove(path);
}

}  // namespace
}  // namespace zolmar
