#pragma once
// A cut in the database file's writes, as a full disk or a lost device
// leaves it: while one of these lives it is SQLite's default file system, and
// it passes writes on to the real one until a number of bytes has been
// written in all; the write that crosses that number is cut short and every
// write after it fails. Connections must be opened and closed within its life.

#include <QtGlobal>

class CorteEscritura {
 public:
  // limite < 0: nothing is cut, the bytes are only counted.
  explicit CorteEscritura(qint64 limite);
  ~CorteEscritura();
  CorteEscritura(const CorteEscritura&) = delete;
  CorteEscritura& operator=(const CorteEscritura&) = delete;

  qint64 Escritos() const;
  bool Cortado() const;
};
