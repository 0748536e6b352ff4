#pragma once
// Display texts of captions and messages, keyed by their Spanish text.
// A text without an entry is shown as it is.

#include <QHash>
#include <QString>
#include <functional>

namespace arboles {
class IConnection;
}  // namespace arboles

namespace zolmar {

class Translator {
 public:
  QString translate(const QString& spanish) const;
  void add(const QString& spanish, const QString& translated);
  void clear() { catalogue_.clear(); }
  // Loads the entries of one language from the translations table; returns
  // how many were read (0 when the table is absent).
  qint32 load(arboles::IConnection& cn, const QString& language);
  qsizetype size() const { return catalogue_.size(); }
  // Spanish is the language texts are written in: it needs no catalogue.
  static bool isSpanish(const QString& language);
  // Texts without an entry are shown through this function (a check of
  // untranslated texts marks them); none: shown as they are.
  void setUnlisted(std::function<QString(const QString&)> unlisted) { unlisted_ = std::move(unlisted); }

 private:
  QHash<QString, QString> catalogue_;
  std::function<QString(const QString&)> unlisted_;
};

}  // namespace zolmar
