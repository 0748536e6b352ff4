#include "soak.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// rapidcheck reads RC_PARAMS once, at its first property; a value the person
// set wins.
class ResumenSoak : public ::testing::Environment {
 public:
  void TearDown() override {
    std::printf(
        "SOAK sequences=%lld operations=%lld faults_injected=%lld crashes_survived=%lld inputs_tried=%lld "
        "rows_lost=%lld corrupt_files=%lld\n",
        static_cast<long long>(Soak::Valor(Soak::Secuencias)),
        static_cast<long long>(Soak::Valor(Soak::Operaciones)),
        static_cast<long long>(Soak::Valor(Soak::Fallos)), static_cast<long long>(Soak::Valor(Soak::Choques)),
        static_cast<long long>(Soak::Valor(Soak::Entradas)),
        static_cast<long long>(Soak::Valor(Soak::FilasPerdidas)),
        static_cast<long long>(Soak::Valor(Soak::FicherosCorruptos)));
  }
};

const bool kPreparado = [] {
  setenv("RC_PARAMS", Soak::Activo() ? "max_success=100 max_size=80" : "max_success=6 max_size=25", 0);
  ::testing::AddGlobalTestEnvironment(new ResumenSoak);
  return true;
}();

}  // namespace

bool Soak::Activo() {
  const char* v = std::getenv("ARBOLES_SOAK");
  return v && *v && std::string_view(v) != "0";
}
