#include "zolmar/report/output_file.h"

#include "zolmar/ui/system_error_text.h"

namespace zolmar {

bool OutputFile::Open(QString* error) {
  // Unbuffered: a write that fails is seen when it happens, not lost in a flush.
  if (out_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return true;
  if (error) *error = SystemErrorText::Reason(out_.errorString());
  return false;
}

bool OutputFile::Write(const QByteArray& bytes) {
  // What is left after a short write is written again until the device says why it cannot.
  for (qint64 done = 0; !failed_ && done < bytes.size();) {
    const qint64 n = out_.write(bytes.constData() + done, bytes.size() - done);
    failed_ = n <= 0;
    done += qMax<qint64>(n, 0);
  }
  return !failed_;
}

bool OutputFile::Commit(QString* error) {
  if (failed_) {
    out_.cancelWriting();
  } else if (out_.commit()) {
    return true;
  }
  if (error) *error = SystemErrorText::Reason(out_.errorString());
  return false;
}

}  // namespace zolmar
