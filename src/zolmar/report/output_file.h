#pragma once
// A report file as the person will find it: whole or as it was before.
// Written to a temporary file beside it and renamed over it on Commit; a
// short write (a full disk, a size limit), which QFile takes for success,
// is a failure here.

#include <QSaveFile>
#include <QString>

namespace zolmar {

class OutputFile {
 public:
  explicit OutputFile(const QString& file) : out_(file) {}
  // False, with the reason in Spanish, when no file can be made there.
  bool Open(QString* error);
  // Every byte, or false; after a failure nothing more is written.
  bool Write(const QByteArray& bytes);
  // Puts the file in place; false (and the old file kept) after any failure.
  bool Commit(QString* error);

 private:
  QSaveFile out_;
  bool failed_ = false;
};

}  // namespace zolmar
