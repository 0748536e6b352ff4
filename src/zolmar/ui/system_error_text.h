#pragma once
// The reasons the system and SQLite give for a failure, in Spanish, for the
// messages a person reads ("No such file or directory", "unable to open
// database file"). A reason not known here is kept as it came, in brackets.

#include <QString>

namespace zolmar {

class SystemErrorText {
 public:
  // One reason, as QFile::errorString() or sqlite3_errmsg() gives it.
  static QString Reason(const QString& original);
  // A whole message: each known reason inside it is translated, the rest kept.
  static QString Translate(const QString& message);
};

}  // namespace zolmar
