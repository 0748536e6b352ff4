#include "tree/mantenimiento_arbol.h"

#include <QHash>
#include <QVector>
#include <optional>
#include <stdexcept>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "tree/bloqueo_tabla.h"
#include "tree/clave_arbol.h"

namespace arboles {

namespace {

// A statement that failed half-way through a renumbering would leave a key
// equal to a sibling's new one; the caller is told instead, as the documented
// contract says, and rolls back when it opened a transaction.
void Comprobar(const std::shared_ptr<IConnection>& cn) {
  if (cn->HasError()) throw std::runtime_error(cn->LastError().toStdString());
}

}  // namespace

MantenimientoArbol::MantenimientoArbol(std::shared_ptr<IGlobales> oGlobales,
                                       std::shared_ptr<IAppGlobal> oAppGlobal)
    : oGlobales_(std::move(oGlobales)), oAppGlobal_(std::move(oAppGlobal)) {}

std::shared_ptr<IRecordset> MantenimientoArbol::AbrirArbol(qint32 nTipoArbol, const QString& orden) {
  const QString sql = QStringLiteral("SELECT zolmarID, clave, nombre, id_padre") +
                      QStringLiteral(" FROM Arboles") + QStringLiteral(" WHERE tipo = ") +
                      QString::number(nTipoArbol) + orden;
  const auto cn = oGlobales_->GetConnection();
  auto rs = recordsetOf(cn->ExecuteSQL(sql, 7, QVariant()));
  Comprobar(cn);
  return rs;
}

void MantenimientoArbol::OrdenarClavesNombre(qint32 nTipoArbol, bool lBloquear, bool lOrdenarPorNombre) {
  std::optional<BloqueoTabla> bloqueo;
  if (lBloquear) {
    bloqueo.emplace(oAppGlobal_, QStringLiteral("Arboles"), QString());
    if (!bloqueo->Obtenido()) return;
  }
  const auto rs = AbrirArbol(nTipoArbol, lOrdenarPorNombre ? QStringLiteral(" ORDER BY id_padre, nombre")
                                                           : QStringLiteral(" ORDER BY id_padre, clave"));
  if (!rs) return;
  AsignarClaves(*rs, 0, QString());
  EscribirClaves(*rs);
}

// Children of a parent are contiguous because the rows come ordered by
// id_padre; the indexed Find jumps to the first of them.
void MantenimientoArbol::AsignarClaves(IRecordset& rs, qint32 nID_Padre, const QString& cPrefijo) {
  const qint32 posicion = rs.Position();
  if (rs.Find(QStringLiteral("id_padre=") + QString::number(nID_Padre), 0) >= 1) {
    qint32 contador = 0;
    for (;;) {
      if (rs.Field(QStringLiteral("ID_Padre")).toInt() != nID_Padre) break;
      ++contador;
      const QString clave = cPrefijo + ClaveArbol::NumeroASegmento(contador);
      rs.SetField(QStringLiteral("Clave"), clave);
      AsignarClaves(rs, rs.Field(QStringLiteral("zolmarID")).toInt(), clave);
      if (!rs.MoveNext()) break;
    }
  }
  rs.SetPosition(posicion);
}

void MantenimientoArbol::EscribirClaves(IRecordset& rs) {
  rs.SetPosition(0);
  while (rs.Read()) {
    const QString clave = ClaveArbol::Rellenar(rs.Field(QStringLiteral("Clave")).toString());
    const auto cn = oGlobales_->GetConnection();
    cn->ExecuteSQL(QStringLiteral("UPDATE arboles SET clave=") + cn->SQLLiteral(clave) +
                       QStringLiteral(" WHERE zolmarID= ") + rs.Field(QStringLiteral("zolmarID")).toString(),
                   1, QVariant());
    Comprobar(cn);
  }
}

void MantenimientoArbol::UpdateRutaPadre(qint32 nTipoArbol, bool lBloquear) {
  std::optional<BloqueoTabla> bloqueo;
  if (lBloquear) {
    bloqueo.emplace(oAppGlobal_, QStringLiteral("Arboles"), QString());
    if (!bloqueo->Obtenido()) return;
  }
  const auto rs = AbrirArbol(nTipoArbol, QStringLiteral(" ORDER BY id_padre, nombre"));
  if (!rs) return;
  const auto cn = oGlobales_->GetConnection();
  cn->ExecuteSQL(QStringLiteral("UPDATE arboles SET RutaPadre='' WHERE tipo= ") +
                     QString::number(nTipoArbol) + QStringLiteral(" ; "),
                 1, QVariant());
  Comprobar(cn);
  EscribirRutas(*rs);
}

// A node gets its parent's path as stored at that moment, so parents are
// written before their children: from the top level down, each parent's
// children in record-set order (id_padre, nombre). Ordering by id_padre alone
// would leave stale paths below a node whose parent has a greater id (a branch
// moved under a newer node). Rows no parent link reaches from the top level
// follow in record-set order.
void MantenimientoArbol::EscribirRutas(IRecordset& rs) {
  QHash<qint32, QVector<qint32>> hijos;  // parent id -> record-set positions
  for (qint32 p = 1; p <= rs.RecordCount(); ++p) {
    rs.SetPosition(p);
    hijos[rs.Field(QStringLiteral("ID_Padre")).toInt()].append(p);
  }
  QVector<quint8> escrita(rs.RecordCount() + 1, 0);
  QVector<qint32> pendientes;
  const auto apilarHijos = [&](qint32 idPadre) {
    const QVector<qint32> posiciones = hijos.value(idPadre);
    for (auto it = posiciones.crbegin(); it != posiciones.crend(); ++it) pendientes.append(*it);
  };
  const auto escribir = [&](qint32 posicion) {
    escrita[posicion] = 1;
    rs.SetPosition(posicion);
    EscribirRuta(rs);
    apilarHijos(rs.Field(QStringLiteral("zolmarID")).toInt());
  };
  apilarHijos(0);
  for (qint32 p = 0;;) {
    while (!pendientes.isEmpty()) {
      const qint32 posicion = pendientes.takeLast();
      if (!escrita[posicion]) escribir(posicion);
    }
    while (++p <= rs.RecordCount() && escrita[p]) {
    }
    if (p > rs.RecordCount()) break;
    escribir(p);
  }
}

void MantenimientoArbol::EscribirRuta(IRecordset& rs) {
  const qint32 idPadre = rs.Field(QStringLiteral("ID_Padre")).toInt();
  if (idPadre <= 0) return;
  const auto cn = oGlobales_->GetConnection();
  const QString ruta =
      cn->ExecuteSQL(QStringLiteral("SELECT RutaPadre + Nombre FROM arboles WHERE ZolmarID=") +
                         QString::number(idPadre),
                     2, QStringLiteral(""))
          .toString();
  Comprobar(cn);
  cn->ExecuteSQL(QStringLiteral("UPDATE arboles SET RutaPadre = LEFT(RutaPadre + ") +
                     cn->SQLLiteral(ruta + QLatin1Char(':')) + QStringLiteral(",150) WHERE zolmarID= ") +
                     rs.Field(QStringLiteral("zolmarID")).toString(),
                 1, QVariant());
  Comprobar(cn);
}

QString MantenimientoArbol::NameByID(qint32 nID) {
  if (nID <= 0) return QString();
  const QVariant v = oGlobales_->GetConnection()->ExecuteSQL(
      QStringLiteral("SELECT Nombre FROM arboles WHERE ZolmarID=") + QString::number(nID), 4,
      QStringLiteral(""));
  return isSqlArray(v) ? v.value<SqlArray>().at(0, 0).toString() : QString();
}

}  // namespace arboles
