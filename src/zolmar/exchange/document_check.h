#pragma once
// What the framework refuses in a tree document before the module sees it:
// two branches with one id, a branch whose parent is not in the document,
// parents that form a cycle, more levels or more branches per parent than a
// tree key holds. The status names the first branch at fault by its
// ID_RamaOriginal and its name; nothing has been written then.

#include <QString>

namespace zolmar {

class ExchangeDocument;

class DocumentCheck {
 public:
  // Empty when the document can be imported.
  static QString refusal(const ExchangeDocument& document);
};

}  // namespace zolmar
