#pragma once
// Writes one tree of the database as an exchange document, its ids as the
// original ids, so that the tree can be imported into another company
// database. Rows marked deleted are left out, with every branch below them.

#include <QString>

namespace arboles {
class IConnection;
}

namespace zolmar {

class TreeExport {
 public:
  // Number of branches written, or -1 with *error set (the file is then
  // left as it was).
  static qint32 write(arboles::IConnection& cn, qint32 tipo, const QString& path, QString* error);
};

}  // namespace zolmar
