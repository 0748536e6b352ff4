#pragma once
// One corpus of hostile input for every entry point: texts a person may
// type or a file may carry, and numbers an administrator may pass.

#include <QByteArray>
#include <QList>
#include <QStringList>

class CorpusHostil {
 public:
  static QStringList Textos();
  static QStringList Numeros();
  // Whole documents that are not what the importer expects.
  static QList<QByteArray> Ficheros();
  // Statements that only a broken quoting would send.
  static bool Inyectada(const QString& sentencia);
};
