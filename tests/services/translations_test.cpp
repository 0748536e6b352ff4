#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTemporaryDir>

#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/app_global.h"

namespace zolmar {
namespace {

// A company whose catalogue has English and French texts; the language is
// set in its configuration and the host is opened again, as at start-up.
class TranslationsTest : public ::testing::Test {
 protected:
  std::unique_ptr<Host> reopenWithLanguage(const char* language) {
    const QString path = dir.filePath(QStringLiteral("empresa.db"));
    {
      auto host = Host::open(path);
      auto cn = host->connection();
      cn->ExecuteSQL(QStringLiteral("DELETE FROM ZolmarTraducciones ; DELETE FROM ZolmarConfig"));
      cn->ExecuteSQL(QString::fromUtf8(
          "INSERT INTO ZolmarTraducciones (Idioma, Texto, Traduccion) VALUES ('EN', 'Salir', 'Exit') ; "
          "INSERT INTO ZolmarTraducciones (Idioma, Texto, Traduccion) VALUES ('EN', 'Árboles', 'Trees') ; "
          "INSERT INTO ZolmarTraducciones (Idioma, Texto, Traduccion) VALUES ('FR', 'Salir', 'Quitter') ; "
          "INSERT INTO ZolmarTraducciones (Idioma, Texto, Traduccion) VALUES ('ES', 'Salir', 'Cerrar')"));
      if (language)
        host->app()->data().setConfiguration(QStringLiteral("CFG_IDIOMA"), QString::fromUtf8(language));
    }
    return Host::open(path);
  }

  QTemporaryDir dir;
};

TEST_F(TranslationsTest, TheConfiguredLanguageIsReadAtStartAndSpanishKeepsTheText) {
  const struct {
    const char* language;  // nullptr: not configured
    const char* salir;
    const char* arboles;
    const char* si;  // Qt's own Yes button, from Qt's catalogue of the language
  } cases[] = {
      {nullptr, "Salir", "Árboles", "&Sí"},
      {"ES", "Salir", "Árboles", "&Sí"},
      {"Español", "Salir", "Árboles", "&Sí"},
      {"EN", "Exit", "Trees", "&Yes"},
      {"en", "Exit", "Trees", "&Yes"},
      {" EN ", "Exit", "Trees", "&Yes"},
      {"FR", "Quitter", "Árboles", "&Oui"},
      {"DE", "Salir", "Árboles", "&Ja"},
      {"x' OR '1'='1", "Salir", "Árboles", "&Yes"},
  };
  for (const auto& c : cases) {
    auto host = reopenWithLanguage(c.language);
    const char* shown = c.language ? c.language : "(none)";
    EXPECT_EQ(host->appGlobal()->Translate(QStringLiteral("Salir")), QString::fromUtf8(c.salir)) << shown;
    EXPECT_EQ(host->appGlobal()->Translate(QString::fromUtf8("Árboles")), QString::fromUtf8(c.arboles))
        << shown;
    EXPECT_EQ(host->appGlobal()->Translate(QStringLiteral("Ayuda")), QStringLiteral("Ayuda")) << shown;
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8(c.si)) << shown;
  }
  reopenWithLanguage(nullptr);  // the other tests of this program expect Spanish
}

TEST_F(TranslationsTest, TheCatalogueIsKeptInMemoryAfterStart) {
  auto host = reopenWithLanguage("EN");
  host->connection()->ExecuteSQL(QStringLiteral("DELETE FROM ZolmarTraducciones"));
  EXPECT_EQ(host->appGlobal()->Translate(QStringLiteral("Salir")), QStringLiteral("Exit"));
  EXPECT_EQ(host->app()->translator().size(), 2);
  // Reading again is what sees the change.
  EXPECT_EQ(host->app()->loadTranslations(), 0);
  EXPECT_EQ(host->appGlobal()->Translate(QStringLiteral("Salir")), QStringLiteral("Salir"));
}

}  // namespace
}  // namespace zolmar
