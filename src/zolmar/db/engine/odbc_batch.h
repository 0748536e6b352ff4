#pragma once
// Statement text for an ODBC driver: a " ; " batch cut into its statements,
// and the ?1, ?2 ... placeholders of the host's own SQL turned into ODBC's
// plain ? markers with the values in the order they appear.

#include <QString>
#include <QStringList>
#include <QVariant>

namespace zolmar {

class OdbcBatch {
 public:
  // Statements separated by ';' outside quotes, brackets and comments; empty ones dropped.
  static QStringList split(const QString& sql);
  // "... ?2 ... ?1" with {a, b} -> "... ? ... ?" with {b, a}. False when a
  // placeholder names a value that was not given.
  static bool positional(const QString& sql, const QVariantList& params, QString* text,
                         QVariantList* ordered);

 private:
  // Index just past the quoted or bracketed run that starts at i.
  static qsizetype skipQuoted(const QString& sql, qsizetype i);
};

}  // namespace zolmar
