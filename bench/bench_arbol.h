#pragma once
// A generated article tree (roots x children x leaves, names "Nodo r-c-h" in
// key order) in a database file of its own, with the tree class configured.

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "bench_host.h"
#include "host/i_app_global.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"

namespace bench {

struct Arbol {
  QTemporaryDir dir;
  std::unique_ptr<zolmar::Host> host;
  std::shared_ptr<arboles::cTAZ_Arboles> taz;
  QStringList hojas;
  int nodos = 0;

  // roots x children x leaves, names "Nodo r-c-h" in key order.
  Arbol(int raices, int hijos, int nietos) {
    host = bench::abrirEmpresa(dir.filePath("bench.db"));
    auto cn = host->connection();
    QString error;
    int id = 0;
    auto insertar = [&](int padre, const QString& clave, const QString& nombre) {
      cn->executeNative(
          "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre, Activo) VALUES (?1, 3, ?2, ?3, ?4, "
          "0)",
          0, {}, {++id, clave, nombre, padre});
      return id;
    };
    using arboles::ClaveArbol;
    cn->atomically(
        [&] {
          for (int r = 1; r <= raices; ++r) {
            const QString kr = ClaveArbol::NumeroASegmento(r);
            const int idr = insertar(0, ClaveArbol::Rellenar(kr), QString("Nodo %1").arg(r));
            for (int c = 1; c <= hijos; ++c) {
              const QString kc = kr + ClaveArbol::NumeroASegmento(c);
              const int idc = insertar(idr, ClaveArbol::Rellenar(kc), QString("Nodo %1-%2").arg(r).arg(c));
              for (int h = 1; h <= nietos; ++h)
                hojas << QString::number(insertar(idc,
                                                  ClaveArbol::Rellenar(kc + ClaveArbol::NumeroASegmento(h)),
                                                  QString("Nodo %1-%2-%3").arg(r).arg(c).arg(h)));
            }
          }
          return true;
        },
        &error);
    nodos = id;
    taz = std::make_shared<arboles::cTAZ_Arboles>();
    auto app = host->appGlobal();
    taz->I_TAZ_Configure(app->GetGlobales(), app);
  }
};

}  // namespace bench
