#include "zolmar/services/qt_catalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "zolmar/services/translator.h"

namespace zolmar {

namespace {

// The catalogue name of a configured language: "es" for every Spanish
// spelling, otherwise its first two letters ("EN", "en-GB").
QString catalogueLanguage(const QString& language) {
  if (Translator::isSpanish(language)) return QStringLiteral("es");
  return language.trimmed().left(2).toLower();
}

}  // namespace

bool QtCatalogue::install(const QString& language) {
  static std::unique_ptr<QTranslator> installed;
  if (!QCoreApplication::instance()) return false;
  if (installed) QCoreApplication::removeTranslator(installed.get());
  installed.reset();
  const QString name = catalogueLanguage(language);
  for (const QChar c : name)
    if (!c.isLetter()) return false;
  auto translator = std::make_unique<QTranslator>();
  if (name.isEmpty() ||
      !translator->load(QStringLiteral("qt_") + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace zolmar
