#include "tree/reenganchador_arbol.h"

#include <QHash>
#include <algorithm>

#include "host/host_types.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"

namespace arboles {

namespace {

enum Estado : char { Pendiente, Visitando, Visto };

}  // namespace

ReenganchadorArbol::ReenganchadorArbol(std::shared_ptr<IGlobales> oGlobales, qint32 nTipoArbol)
    : oGlobales_(std::move(oGlobales)), nTipoArbol_(nTipoArbol) {}

QVector<ReenganchadorArbol::Fila> ReenganchadorArbol::Leer() {
  QVector<Fila> filas;
  const auto rs = recordsetOf(oGlobales_->GetConnection()->ExecuteSQL(
      QStringLiteral("SELECT ZolmarID, ID_Padre FROM Arboles WHERE Tipo=") + QString::number(nTipoArbol_), 5,
      QVariant()));
  if (!rs) return filas;
  filas.reserve(rs->RecordCount());
  while (rs->Read())
    filas.append(
        {rs->Field(QStringLiteral("ZolmarID")).toInt(), rs->Field(QStringLiteral("ID_Padre")).toInt()});
  return filas;
}

// Every chain of parent links is walked once: it ends at the top level, at a
// node already seen, at a parent that is not in this tree, or by closing a cycle.
QVector<qint32> ReenganchadorArbol::Desenganchados() {
  const QVector<Fila> filas = Leer();
  QHash<qint32, qint32> indice;
  indice.reserve(filas.size());
  for (qint32 i = 0; i < filas.size(); ++i) indice.insert(filas[i].id, i);
  QVector<Estado> estado(filas.size(), Pendiente);
  QVector<qint32> posicion(filas.size(), -1);  // place in the chain being walked
  QVector<qint32> cadena;
  QVector<qint32> sueltos;
  for (qint32 inicio = 0; inicio < filas.size(); ++inicio) {
    cadena.clear();
    for (qint32 actual = inicio; estado[actual] != Visto;) {
      if (estado[actual] == Visitando) {
        qint32 menor = filas[actual].id;
        for (qint32 k = posicion[actual]; k < cadena.size(); ++k) menor = qMin(menor, filas[cadena[k]].id);
        sueltos.append(menor);
        break;
      }
      estado[actual] = Visitando;
      posicion[actual] = cadena.size();
      cadena.append(actual);
      if (filas[actual].idPadre == 0) break;
      const auto padre = indice.constFind(filas[actual].idPadre);
      if (padre == indice.cend()) {
        sueltos.append(filas[actual].id);
        break;
      }
      actual = *padre;
    }
    for (qint32 k : cadena) estado[k] = Visto;
  }
  std::sort(sueltos.begin(), sueltos.end());
  return sueltos;
}

qint32 ReenganchadorArbol::Reenganchar() {
  reenganchados_ = Desenganchados();
  const auto cn = oGlobales_->GetConnection();
  for (qint32 id : reenganchados_)
    cn->ExecuteSQL(QStringLiteral("UPDATE Arboles SET ID_Padre=0 WHERE ZolmarID=") + QString::number(id), 1,
                   QVariant());
  return reenganchados_.size();
}

}  // namespace arboles
