#include "tree/reconstructor_claves.h"

#include "host/host_types.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "tree/clave_arbol.h"

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
    oGlobales_->GetConnection()->ExecuteSQL(QStringLiteral("UPDATE Arboles SET Clave='") +
                                                ClaveArbol::Rellenar(prefijo) +
                                                QStringLiteral("' WHERE ZolmarID=") + QString::number(id),
                                            1, QVariant());
    ++sentencias_;
    ReconstruirClaves(id, prefijo);
  }
}

}  // namespace arboles
