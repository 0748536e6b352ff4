#pragma once
// The document keys of an exchange document's branches, kept in column 1 of
// the import's working list: 2 characters per level (the branch's position
// among its parent's branches in the document, in upper-case hexadecimal),
// no trailing zeros; 16 spaces while a row has none.

#include <QHash>
#include <QString>

namespace arboles {

class IListObject;

class ClavesDocumento {
 public:
  static const QString SinClave;  // 16 spaces

  // Columns of the list: 1 key, 2 ID_RamaOriginal, 3 ID_RamaPadreOriginal.
  explicit ClavesDocumento(IListObject& lista) : lista_(lista) {}

  // Gives every row its key, first rows first; stops at the first row whose
  // key cannot be assigned (its parent is not in the document).
  void AsignarClaves();
  // The key of one row, its parent's assigned first; empty when the parent is
  // missing or the chain of parents is deeper than a tree key can hold.
  QString AsignarClave(qint32 fila, qint32 profundidad = 1);

 private:
  IListObject& lista_;
  // Keys handed out under each parent key: the rows of the list whose key is
  // one level below it, counted as they are assigned rather than by a scan.
  QHash<QString, qint32> hijos_;
};

}  // namespace arboles
