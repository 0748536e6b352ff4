// Random sequences of tree operations, each step checked against the model.
// ARBOLES_SOAK=1 runs many long sequences on trees of up to 300 nodes.

#include <gtest/gtest.h>
// rapidcheck's integration needs GoogleTest declared first.
#include <rapidcheck/gtest.h>

#include <sstream>

#include "common/host_fixture.h"
#include "ejecutor_arbol.h"
#include "generadores.h"
#include "soak.h"

class SecuenciasArbol : public HostFixture {};

RC_GTEST_FIXTURE_PROP(SecuenciasArbol, CadaPasoDejaElArbolComoElModelo,
                      (const std::vector<OperacionArbol>& pasos)) {
  const auto padres = *rc::gen::container<std::vector<uint32_t>>(
      static_cast<std::size_t>(*rc::gen::inRange(0, Soak::Activo() ? 300 : 40)),
      rc::gen::arbitrary<uint32_t>());
  // The article tree most often: it carries every kind of reference.
  const qint32 tipo = *rc::gen::weightedElement<qint32>({{1, 1}, {1, 2}, {4, 3}});
  EjecutorArbol ejecutor(*host, taz, tipo);
  ejecutor.Sembrar(padres);
  RC_ASSERT(ejecutor.Comprobar().toStdString() == "");
  std::ostringstream hechos;
  hechos << "árbol de tipo " << tipo << ", inicial de " << padres.size() << " nodos\n";
  for (const OperacionArbol& op : pasos) {
    const QString error = ejecutor.Aplicar(op);
    hechos << "  " << ejecutor.Descripcion().toStdString() << "\n";
    Soak::Contar(Soak::Operaciones);
    const QString diferencia = error.isEmpty() ? ejecutor.Comprobar() : error;
    if (diferencia.startsWith(QStringLiteral("perdid"))) Soak::Contar(Soak::FilasPerdidas);
    if (!diferencia.isEmpty()) RC_FAIL(hechos.str() + "=> " + diferencia.toStdString());
  }
  Soak::Contar(Soak::Secuencias);
}
