#pragma once
// Every row of every table of a database as text, so that a test can tell
// whether an operation left the database exactly as it found it.

#include <QString>

namespace zolmar {

class Connection;

class DatabaseDump {
 public:
  // Tables in name order, rows in rowid order (ZolmarID on a server), each
  // value with its kind (NULL, 0 and '' differ). The host's locks table is included.
  static QString of(Connection& cn);
};

}  // namespace zolmar
