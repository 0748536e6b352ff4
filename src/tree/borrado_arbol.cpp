#include "tree/borrado_arbol.h"

#include <QVector>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_ficha_db.h"
#include "host/i_globales.h"

namespace arboles {

namespace {

const QString kTransaccion = QStringLiteral("BorrandoArboles");
const QString kVivo = QStringLiteral(" AND (activo & ") + QString::number(2) + QStringLiteral(")=0");

QString usadaEnTabla(const QString& tabla) {
  return QStringLiteral("Esta ficha está siendo usada en la tabla de \"") + tabla +
         QStringLiteral("\" por la ficha Nº %1");
}

}  // namespace

BorradoArbol::BorradoArbol(std::shared_ptr<IGlobales> oGlobales, std::shared_ptr<IAppGlobal> oAppGlobal,
                           std::shared_ptr<IFichaDB> fichaDB)
    : oGlobales_(std::move(oGlobales)), oAppGlobal_(std::move(oAppGlobal)), fichaDB_(std::move(fichaDB)) {}

QString BorradoArbol::CanBeDeleted() {
  const QString id = QString::number(fichaDB_->Field(QStringLiteral("ZolmarID")).toInt());
  const qint32 tipo = fichaDB_->Field(QStringLiteral("Tipo")).toInt();
  QVector<Comprobacion> comprobaciones{
      {QStringLiteral("SELECT TOP 1 zolmarID FROM Arboles WHERE ID_Padre=") + id + kVivo,
       usadaEnTabla("Árboles")}};
  if (tipo == 1) {
    comprobaciones.append({QStringLiteral("SELECT TOP 1 zolmarID FROM Clientes WHERE ID_Grupo=") + id + kVivo,
                           usadaEnTabla("Clientes")});
  } else if (tipo == 2) {
    comprobaciones.append(
        {QStringLiteral("SELECT TOP 1 zolmarID FROM Proveedores WHERE ID_Grupo=") + id + kVivo,
         usadaEnTabla("Proveedores")});
  } else if (tipo == 3) {
    comprobaciones += {
        {QStringLiteral(
             "SELECT TOP 1 (CASE WHEN ID_GrupoClientes=0 THEN ID_TarifaHotel ELSE ID_GrupoClientes "
             "END) FROM tarifas WHERE ID_Categoria=") +
             id,
         usadaEnTabla("Tarifas")},
        {QStringLiteral("SELECT TOP 1 Id_grupo FROM GruposComisionesX WHERE ID_Categoria=") + id,
         QStringLiteral(
             "Esta ficha está siendo usada en el contenido la ficha Nº %1 de \"Grupos de comisiones\"")},
        {QStringLiteral("SELECT TOP 1 zolmarID FROM Articulos WHERE (ID_Categoria1=") + id +
             QStringLiteral(")") + kVivo,
         usadaEnTabla("Artículos")},
        {QStringLiteral("SELECT TOP 1 ID_Compuesto FROM ArtCompuestos WHERE ID_Categoria=") + id,
         QStringLiteral(
             "Esta ficha está siendo usada por algún componente del artículo compuesto con la ficha Nº %1")},
        {QStringLiteral("SELECT TOP 1 zolmarID FROM Data_ImpX WHERE ID_Categoria1=") + id,
         QStringLiteral(
             "Esta ficha está siendo usada en el contenido de la tabla de \"Importaciones\", con el ID. "
             "de contenido %1")},
    };
  }
  return PrimerUso(comprobaciones);
}

QString BorradoArbol::PrimerUso(const QVector<Comprobacion>& comprobaciones) {
  for (const Comprobacion& c : comprobaciones) {
    const auto cn = oGlobales_->GetConnection();
    const qint32 encontrado = cn->ExecuteSQL(c.sql, 2, 0).toInt();
    // A check that could not run proves nothing: the node may be in use.
    if (cn->HasError())
      return QString::fromUtf8("No se ha podido comprobar si la ficha está en uso:<BR>") + cn->LastError();
    if (encontrado >= 1) return oAppGlobal_->FormatMessage(c.mensaje, QVariantList{encontrado});
  }
  return QString();
}

bool BorradoArbol::Delete() {
  bool borrado = false;
  try {
    borrado = BorrarEnTransaccion();
  } catch (...) {
    borrado = false;
  }
  if (!borrado) oGlobales_->GetConnection()->RollbackTrans(kTransaccion);
  return borrado;
}

// False on any failure; the caller rolls back.
bool BorradoArbol::BorrarEnTransaccion() {
  auto oCn = oGlobales_->GetConnection();
  oCn->BeginTrans(kTransaccion);
  const qint32 id = fichaDB_->CurrentID();
  oCn->ExecuteSQL(QStringLiteral("DELETE FROM Categorias WHERE ID_Categoria=") + QString::number(id), 0,
                  QVariant(), true);
  if (oCn->HasError()) return false;
  if (!oAppGlobal_->DeleteComment(fichaDB_->Field(QStringLiteral("id_comentario")).toInt(), 0)) return false;
  if (fichaDB_->DeleteCurrent()) return false;
  oCn->CommitTrans(kTransaccion, 0);
  return true;
}

}  // namespace arboles
