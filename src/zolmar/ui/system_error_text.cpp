#include "zolmar/ui/system_error_text.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <algorithm>

namespace zolmar {

namespace {

using Pair = QPair<QLatin1String, const char*>;

// The reasons a person meets: files that cannot be written or read, and
// database files that cannot be opened.
const QList<Pair>& known() {
  static const QList<Pair> table = {
      {QLatin1String("No such file or directory"), "no existe el fichero o la carpeta"},
      {QLatin1String("Permission denied"), "no tiene permiso"},
      {QLatin1String("Is a directory"), "es una carpeta"},
      {QLatin1String("Not a directory"), "una parte de la ruta no es una carpeta"},
      {QLatin1String("No space left on device"), "no queda espacio en el disco"},
      {QLatin1String("Read-only file system"), "el disco es de solo lectura"},
      {QLatin1String("Disk quota exceeded"), "se ha superado la cuota de disco"},
      {QLatin1String("File too large"), "el fichero supera el tamaño permitido"},
      {QLatin1String("File name too long"), "el nombre del fichero es demasiado largo"},
      {QLatin1String("Input/output error"), "error de lectura o escritura en el disco"},
      {QLatin1String("Too many open files"), "hay demasiados ficheros abiertos"},
      {QLatin1String("Text file busy"), "el fichero está en uso"},
      {QLatin1String("Device or resource busy"), "el dispositivo está ocupado"},
      {QLatin1String("unable to open database file"), "no se puede abrir el fichero de la base de datos"},
      {QLatin1String("file is not a database"), "el fichero no es una base de datos"},
      {QLatin1String("file is encrypted or is not a database"), "el fichero no es una base de datos"},
      {QLatin1String("database disk image is malformed"), "el fichero de la base de datos está dañado"},
      {QLatin1String("disk I/O error"), "error de lectura o escritura en el disco"},
      {QLatin1String("database or disk is full"), "la base de datos o el disco están llenos"},
      {QLatin1String("attempt to write a readonly database"), "la base de datos es de solo lectura"},
      {QLatin1String("database is locked"), "la base de datos está bloqueada por otro proceso"},
      {QLatin1String("out of memory"), "no queda memoria"},
      {QLatin1String("Filename refers to a directory"), "es una carpeta"},
      {QLatin1String("Unknown error"), "error desconocido"},
  };
  return table;
}

// The same reason as Qt gives it once its own catalogue is installed.
QString qtTranslation(QLatin1String english) {
  return QCoreApplication::translate("QIODevice", QByteArray(english.data(), english.size()).constData());
}

}  // namespace

QString SystemErrorText::Reason(const QString& original) {
  const QString reason = original.trimmed();
  // QSaveFile names the file inside its reason.
  if (reason.startsWith(QLatin1String("Existing file ")) &&
      reason.endsWith(QLatin1String(" is not writable")))
    return QStringLiteral("no tiene permiso para escribir en el fichero");
  for (const Pair& p : known())
    if (reason.compare(p.first, Qt::CaseInsensitive) == 0 || reason == qtTranslation(p.first))
      return QString::fromUtf8(p.second);
  return QLatin1Char('[') + reason + QLatin1Char(']');
}

QString SystemErrorText::Translate(const QString& message) {
  QString text = message;
  // Longer reasons first: one may contain another ("file is encrypted or is not a database").
  QList<Pair> table = known();
  std::stable_sort(table.begin(), table.end(),
                   [](const Pair& a, const Pair& b) { return a.first.size() > b.first.size(); });
  for (const Pair& p : table) {
    text.replace(p.first, QString::fromUtf8(p.second), Qt::CaseInsensitive);
    if (const QString qt = qtTranslation(p.first); qt != p.first)
      text.replace(qt, QString::fromUtf8(p.second));
  }
  return text;
}

}  // namespace zolmar
