#pragma once
// The demo company's full catalogue, on top of the small company the tests
// use: about 300 article categories on three levels, 2,000 articles with
// barcodes over the leaves, price lists, compound articles, 200 customers and
// 80 suppliers in their groups with their categories, and comments on some
// nodes. Deterministic: every run writes the same rows.

#include <QString>

namespace zolmar {

class Connection;

class DemoCatalogue {
 public:
  static constexpr int kArticles = 2000;
  static constexpr int kCustomers = 200;
  static constexpr int kSuppliers = 80;

  // Writes the catalogue inside the caller's transaction. False with *error.
  static bool fill(Connection& cn, QString* error);
};

}  // namespace zolmar
