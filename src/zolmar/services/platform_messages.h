#pragma once
// Qt's notes about its platform plugin ("XDG_RUNTIME_DIR not set", "This
// plugin does not support ...") say nothing to the person running a command
// or reading a benchmark; every other message still gets through.

#include <QString>

namespace zolmar {

class PlatformMessages {
 public:
  // Before the QApplication exists: a private runtime folder when the session
  // has none, so Qt has nothing to say about it.
  static void prepareRuntimeFolder();
  // Drops the plugin's notes; the rest goes to the handler installed before.
  static void install();
  static bool isChatter(const QString& message);
};

}  // namespace zolmar
