// Copies of the company database: made before what cannot be undone, kept
// to a number, restored into the open database, refused while another
// program has it open.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "zolmar/db/connection.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/host.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/backup_service.h"
#include "zolmar/services/scripted_user_interface.h"

namespace zolmar {
namespace {

class BackupServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    db = dir.filePath(QStringLiteral("Empresa.db"));
    host = Host::open(db);
    host->useScriptedUserInterface();
    host->sampleData();
    copias = std::make_unique<BackupService>(host->connection(), &host->locks());
  }
  ScriptedUserInterface& ui() { return host->scriptedUserInterface(); }
  QString Dump() { return DatabaseDump::of(*host->connection()); }

  QTemporaryDir dir;
  QString db;
  std::unique_ptr<Host> host;
  std::unique_ptr<BackupService> copias;
};

TEST_F(BackupServiceTest, RestoredCopyGivesBackTheDatabaseAsItWas) {
  const QString antes = Dump();
  ASSERT_TRUE(host->app()->CopiaDeSeguridad(QStringLiteral("Ordenar por nombre")));
  EXPECT_TRUE(ui().messages().isEmpty());
  const auto lista = copias->list();
  ASSERT_EQ(lista.size(), 1);
  EXPECT_EQ(lista[0].operation, QStringLiteral("Ordenar por nombre"));
  EXPECT_EQ(QFileInfo(lista[0].path).dir().dirName(), QStringLiteral("Copias de seguridad"));
  EXPECT_TRUE(QFileInfo(lista[0].path).fileName().startsWith(QStringLiteral("Empresa 2")));

  auto cn = host->connection();
  cn->ExecuteSQL(QStringLiteral("UPDATE Arboles SET Nombre='Cambiado', Clave='9900000000000000'"));
  cn->ExecuteSQL(QStringLiteral("DELETE FROM Clientes"));
  ASSERT_FALSE(cn->HasError());
  ASSERT_NE(Dump(), antes);
  QString error;
  ASSERT_TRUE(copias->restore(lista[0].path, &error)) << error.toStdString();
  EXPECT_EQ(Dump(), antes);
  // The state it replaced is kept as a copy of its own.
  ASSERT_EQ(copias->list().size(), 2);
  EXPECT_EQ(copias->list()[0].operation, QStringLiteral("Antes de restaurar"));
  // The connection goes on working on the restored rows, and a new program sees them.
  EXPECT_EQ(cn->ExecuteSQL(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE Nombre='Cambiado'"), 2, -1), 0);
  auto otro = Connection::open(db, &error);
  ASSERT_TRUE(otro) << error.toStdString();
  EXPECT_EQ(DatabaseDump::of(*otro), antes);
}

TEST_F(BackupServiceTest, OnlyTheNewestCopiesAreKept) {
  QString error;
  for (int i = 0; i < BackupService::kKept + 3; ++i)
    ASSERT_FALSE(copias->make(QStringLiteral("Copia %1").arg(i, 2, 10, QLatin1Char('0')), &error).isEmpty())
        << error.toStdString();
  const auto lista = copias->list();
  ASSERT_EQ(lista.size(), BackupService::kKept);
  EXPECT_EQ(lista.first().operation, QStringLiteral("Copia 22"));
  EXPECT_EQ(lista.last().operation, QStringLiteral("Copia 03"));
}

TEST_F(BackupServiceTest, RestoreIsRefusedWhileTheDatabaseIsInUse) {
  QString error;
  const QString copia = copias->make(QStringLiteral("Manual"), &error);
  ASSERT_FALSE(copia.isEmpty());
  host->connection()->ExecuteSQL(QStringLiteral("DELETE FROM Clientes"));
  const QString antes = Dump();

  // A window of this session holds a table lock.
  ASSERT_FALSE(host->locks().LockTable(3, true, QStringLiteral("Arboles"), 0, QStringLiteral("Tipo=3"), 3));
  EXPECT_FALSE(copias->restore(copia, &error));
  EXPECT_TRUE(error.contains(QString::fromUtf8("Cierre antes"))) << error.toStdString();
  host->locks().LockTable(3, false, QStringLiteral("Arboles"), 0, QStringLiteral("Tipo=3"), 3);

  // Another process has the database open: it holds the read lock SQLite
  // takes on the file (a child of this process would inherit SQLite's idea
  // that the lock is already taken, so it takes the lock by hand).
  int aviso[2], fin[2];
  ASSERT_EQ(pipe(aviso), 0);
  ASSERT_EQ(pipe(fin), 0);
  const pid_t hijo = fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    const int fd = open(QFile::encodeName(db).constData(), O_RDONLY);
    struct flock lectura {};
    lectura.l_type = F_RDLCK;
    lectura.l_whence = SEEK_SET;
    lectura.l_start = 0x40000002;  // SQLite's shared-lock range
    lectura.l_len = 510;
    if (fd < 0 || fcntl(fd, F_SETLK, &lectura) != 0) _exit(1);
    char c = 'x';
    if (write(aviso[1], &c, 1) != 1) _exit(1);
    if (read(fin[0], &c, 1) < 0) _exit(1);
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(aviso[0], &c, 1), 1);
  EXPECT_TRUE(copias->openElsewhere());
  EXPECT_FALSE(copias->restore(copia, &error));
  EXPECT_TRUE(error.contains(QString::fromUtf8("Otro programa"))) << error.toStdString();
  EXPECT_EQ(Dump(), antes);
  ASSERT_EQ(write(fin[1], &c, 1), 1);
  waitpid(hijo, nullptr, 0);

  // Alone again: the copy comes back.
  EXPECT_FALSE(copias->openElsewhere());
  EXPECT_TRUE(copias->restore(copia, &error)) << error.toStdString();
  EXPECT_NE(Dump(), antes);
}

TEST_F(BackupServiceTest, TheSettingTurnsOffOnlyTheCopiesBeforeOperations) {
  const struct {
    const char* valor;
    qsizetype copias;
  } casos[] = {{"0", 0}, {"1", 1}, {"", 2}};
  for (const auto& c : casos) {
    host->app()->SetConfig(QString::fromLatin1(BackupService::kConfigKey), QString::fromLatin1(c.valor));
    EXPECT_TRUE(host->app()->CopiaDeSeguridad(QStringLiteral("Mover rama")));
    EXPECT_EQ(copias->list().size(), c.copias) << c.valor;
  }
  QString error;
  host->app()->SetConfig(QString::fromLatin1(BackupService::kConfigKey), QStringLiteral("0"));
  EXPECT_FALSE(copias->make(QStringLiteral("Manual"), &error).isEmpty()) << error.toStdString();
}

TEST_F(BackupServiceTest, ACopyThatCannotBeMadeLetsThePersonDecide) {
  // A file where the folder should be.
  QFile estorbo(dir.filePath(BackupService::kFolderName));
  ASSERT_TRUE(estorbo.open(QIODevice::WriteOnly));
  estorbo.close();
  for (const bool seguir : {false, true}) {
    ui().clear();
    ui().queueAnswer(seguir);
    EXPECT_EQ(host->app()->CopiaDeSeguridad(QStringLiteral("Unir categorías")), seguir);
    ASSERT_EQ(ui().messages().size(), 1);
    EXPECT_TRUE(ui().messages()[0].text.contains(QStringLiteral("Unir categorías")));
  }
}

TEST(BackupServiceMemory, ADatabaseInMemoryNeedsNoCopyAndHasNone) {
  auto host = Host::open(QStringLiteral(":memory:"));
  host->useScriptedUserInterface();
  EXPECT_TRUE(host->app()->CopiaDeSeguridad(QStringLiteral("Ordenar por nombre")));
  EXPECT_TRUE(host->scriptedUserInterface().messages().isEmpty());
  BackupService copias(host->connection(), &host->locks());
  EXPECT_FALSE(copias.unavailableReason().isEmpty());
  QString error;
  EXPECT_FALSE(copias.restore(QStringLiteral("x.db"), &error));
  EXPECT_EQ(error, copias.unavailableReason());
}

}  // namespace
}  // namespace zolmar
