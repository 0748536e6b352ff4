#pragma once
// The SQLite ODBC driver the ODBC suites talk through, and the connection
// string of a company database in a scratch folder.

#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

namespace zolmar::testing {

inline const QString kOdbcDriver = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so");

inline bool odbcDriverInstalled() { return QFileInfo::exists(kOdbcDriver); }

inline QString odbcTarget(const QTemporaryDir& dir) {
  return "odbc:DRIVER=" + kOdbcDriver + ";Database=" + dir.filePath("empresa.db");
}

}  // namespace zolmar::testing
