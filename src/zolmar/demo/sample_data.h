#pragma once
// A demo company: the three trees, customers, suppliers, articles, price
// lists, category assignments, configuration and the demo user's rights.

#include <QString>

namespace zolmar {

class Connection;

class SampleData {
 public:
  static constexpr const char* kCompanyName = "Comercial Ribera del Duero, S.L.";
  static constexpr const char* kDemoUser = "demo";

  // Fills an empty company database in one transaction. False with *error.
  // The small company is what the tests know; withCatalogue adds the full
  // demo catalogue a person tries the program with.
  static bool fill(Connection& cn, QString* error = nullptr, bool withCatalogue = false);
};

}  // namespace zolmar
