#pragma once
// Qt's own texts (standard buttons, file choosers, print dialogs) in the
// person's language: Qt's catalogue of that language, installed on the
// application beside the company's own catalogue.

#include <QString>

namespace zolmar {

class QtCatalogue {
 public:
  // language: the configured one ("CFG_IDIOMA"), Spanish when empty. A
  // language Qt has no catalogue for leaves Qt's texts in English. Returns
  // whether a catalogue is installed.
  static bool install(const QString& language);
};

}  // namespace zolmar
