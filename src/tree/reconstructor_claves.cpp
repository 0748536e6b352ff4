#include "tree/reconstructor_claves.h"

#include <QStringList>

#include "host/host_types.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "tree/clave_arbol.h"
#include "tree/mantenimiento_arbol.h"
#include "tree/reenganchador_arbol.h"

namespace arboles {

ReconstructorClaves::ReconstructorClaves(std::shared_ptr<IGlobales> oGlobales, qint32 nTipoArbol)
    : oGlobales_(std::move(oGlobales)), nTipoArbol_(nTipoArbol) {}

void ReconstructorClaves::ReconstruirClaves(qint32 nID_Padre, const QString& cClavePadre) {
  const auto cn = oGlobales_->GetConnection();
  const QString sql = QStringLiteral("SELECT * FROM arboles") + QStringLiteral(" WHERE Tipo=") +
                      QString::number(nTipoArbol_) + QStringLiteral(" AND ID_Padre=") +
                      QString::number(nID_Padre) + QStringLiteral(" ORDER BY ID_padre, ZolmarID");
  const auto rs = recordsetOf(cn->ExecuteSQL(sql, 5, QVariant()));
  ++sentencias_;
  if (cn->HasError() || !rs || rs->RecordCount() > ClaveArbol::MaxHijos) return;
  qint16 contador = 0;
  while (rs->Read()) {
    ++contador;
    const QString prefijo = cClavePadre + ClaveArbol::NumeroASegmento(contador);
    const qint32 id = rs->Field(QStringLiteral("ZolmarID")).toInt();
    const QString clave = ClaveArbol::Rellenar(prefijo);
    if (clave != rs->Field(QStringLiteral("Clave")).toString()) ++cambios_;
    oGlobales_->GetConnection()->ExecuteSQL(QStringLiteral("UPDATE Arboles SET Clave='") + clave +
                                                QStringLiteral("' WHERE ZolmarID=") + QString::number(id),
                                            1, QVariant());
    ++sentencias_;
    ReconstruirClaves(id, prefijo);
  }
}

// Keys are rebuilt from the parent links only below the top level, so a node
// whose parent row is missing, belongs to another tree type or sits in a parent
// cycle would keep a key that cannot be placed, and the tree would stay damaged
// after every rebuild. Such nodes are hung from the top level first, so the
// repair places every node (short of the children of a parent with more than
// 255, which keep their keys).
void ReconstructorClaves::Reparar() {
  ReenganchadorArbol reenganchador(oGlobales_, nTipoArbol_);
  const qint32 reenganchados = reenganchador.Reenganchar();
  sentencias_ += reenganchados + 1;
  cambios_ += reenganchados;
  reenganchados_.clear();
  const auto cn = oGlobales_->GetConnection();
  for (qint32 id : reenganchador.Reenganchados())
    reenganchados_.append({id, cn->ExecuteSQL(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=") +
                                                  QString::number(id),
                                              2, QString())
                                   .toString()
                                   .trimmed()});
  sentencias_ += reenganchados;
  ReconstruirClaves(0, QString());
  if (reenganchados > 0) MantenimientoArbol(oGlobales_, nullptr).UpdateRutaPadre(nTipoArbol_, false);
}

QString ReconstructorClaves::ListaReenganchados() const {
  QStringList lineas;
  for (const NodoReenganchado& n : reenganchados_)
    lineas << QStringLiteral("Nº ") + QString::number(n.id) + QLatin1Char(' ') + n.nombre;
  return lineas.join(QStringLiteral("<BR>"));
}

}  // namespace arboles
