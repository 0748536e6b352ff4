// FrmImportarCategorias: GuardarCategorias, the checked categories written
// below the reserved branch in one transaction.

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_insert_builder.h"
#include "host/i_recordset.h"
#include "import/frm_importar_categorias.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"

namespace arboles {

namespace {

const QString kTransaccion = QStringLiteral("GuardarCategorias");
const QString kCeros = QStringLiteral("0000000000000000");
constexpr qint32 kMaxNombre = 50;
constexpr qint32 kMaxRuta = 150;

}  // namespace

// Every statement of the save is checked; a failure leaves through Fallo.
QVariant FrmImportarCategorias::Consultar(const QString& sql, qint32 mode, const QVariant& def) {
  const QVariant valor = oCn_->ExecuteSQL(sql, mode, def);
  if (oCn_->HasError()) throw Fallo();
  return valor;
}

QString FrmImportarCategorias::SiguienteSegmento(const QString& cMayor) const {
  return ClaveArbol::NumeroASegmento(ClaveArbol::SegmentoANumero(cMayor) + 1);
}

// The rows are walked in key order without removing the unchecked ones, so
// that a failed save leaves the window whole, with the person's marks.
bool FrmImportarCategorias::GuardarCategorias() {
  oAppGlobal_->ShowWait(oAppGlobal_->Translate(QStringLiteral("Importando las categorías seleccionadas...")));
  oCn_->BeginTrans(kTransaccion);
  bool ramaCreada = false;
  try {
    if (idRama_ == 0) {
      CrearRama();
      ramaCreada = true;
    } else if (segmentoRama_.isEmpty()) {
      throw Fallo();
    }
    QString claveActual;
    oDatos_->SetPosition(0);
    while (oDatos_->Read()) {
      if (oDatos_->Field(QStringLiteral("Activo")).toInt() != 1) continue;
      const qint32 importada = oDatos_->Field(QStringLiteral("zolmarID")).toInt();
      if (importada <= 0) {
        InsertarCategoria(claveActual);
        continue;
      }
      claveActual =
          Consultar(QStringLiteral("SELECT Clave FROM Arboles WHERE ZolmarID=") + QString::number(importada),
                    2, QString())
              .toString();
      if (claveActual.isEmpty()) throw Fallo();
    }
    oCn_->CommitTrans(kTransaccion);
  } catch (const Fallo&) {
    oCn_->RollbackTrans(kTransaccion);
    oAppGlobal_->ShowWait(QString());
    if (ramaCreada) {
      idRama_ = 0;
      segmentoRama_.clear();
    }
    return false;
  }
  oAppGlobal_->ShowWait(QString());
  return true;
}

void FrmImportarCategorias::CrearRama() {
  QString mayor = Consultar(QStringLiteral("SELECT MAX(LEFT(Clave,2)) FROM Arboles WHERE Tipo=") +
                                QString::number(TipoArbolArticulos),
                            2, QStringLiteral("00"))
                      .toString();
  if (mayor.isEmpty()) mayor = QStringLiteral("00");
  const QString clave = (SiguienteSegmento(mayor) + kCeros).left(ClaveArbol::Longitud);
  auto insert = oGlobales_->CreateInsertBuilder(oCn_, QStringLiteral("Arboles"));
  insert->AddField(QStringLiteral("Tipo"), TipoArbolArticulos);
  insert->AddField(QStringLiteral("Clave"), clave);
  insert->AddField(QStringLiteral("Nombre"), NombreRama);
  insert->AddField(
      QStringLiteral("CriterioHijos"),
      oAppGlobal_->Translate(QStringLiteral("Para el servicio \"") + NombreRama + QStringLiteral("\"")));
  insert->AddField(QStringLiteral("UsoAux"), QStringLiteral("111111"));
  insert->AddField(QStringLiteral("Opciones"), TAZ_Arboles_OpcionesCotalia);
  const qint32 id = Consultar(insert->Sql(), 9, 0).toInt();
  if (id <= 0) throw Fallo();
  idRama_ = id;
  segmentoRama_ = clave.left(2);
}

// The new key goes after the greatest segment in use under the parent's
// prefix; the parent prefix comes from the key of the row handled before,
// which in key order is the parent itself or one of its descendants.
void FrmImportarCategorias::InsertarCategoria(QString& cClaveActual) {
  const qint32 nivel = oDatos_->Field(QStringLiteral("Nivel")).toInt();
  const QString prefijo = nivel == 0 ? segmentoRama_ : cClaveActual.left(2 * nivel + 2);
  QString mayor = Consultar(QStringLiteral("SELECT MAX(SUBSTRING(Clave,") + QString::number(2 * nivel + 3) +
                                QStringLiteral(",2))") + QStringLiteral(" FROM Arboles") +
                                QStringLiteral(" WHERE Tipo=") + QStringLiteral("3") +
                                QStringLiteral(" AND Clave LIKE '") + prefijo + QStringLiteral("%'"),
                            2, QStringLiteral("00"))
                      .toString();
  if (mayor.isEmpty()) mayor = QStringLiteral("00");
  const QString clave = (prefijo + SiguienteSegmento(mayor) + kCeros).left(ClaveArbol::Longitud);
  cClaveActual = clave;
  const qsizetype largoOrden = oDatos_->Field(QStringLiteral("Clave")).toString().size();
  const qint32 padre =
      Consultar(QStringLiteral("SELECT ZolmarID FROM Arboles") + QStringLiteral(" WHERE Tipo=") +
                    QStringLiteral("3") + QStringLiteral(" AND Clave LIKE '") + clave.left(largoOrden) +
                    QStringLiteral("00%'"),
                2, 0)
          .toInt();
  const QString ruta = (Consultar(QStringLiteral("SELECT RutaPadre + Nombre FROM arboles WHERE ZolmarID=") +
                                      QString::number(padre),
                                  2, QString())
                            .toString() +
                        QStringLiteral(":"))
                           .left(kMaxRuta);
  auto insert = oGlobales_->CreateInsertBuilder(oCn_, QStringLiteral("Arboles"));
  insert->AddField(QStringLiteral("Tipo"), TipoArbolArticulos);
  insert->AddField(QStringLiteral("Clave"), clave);
  insert->AddField(QStringLiteral("Nombre"),
                   oDatos_->Field(QStringLiteral("Nombre")).toString().left(kMaxNombre));
  insert->AddField(QStringLiteral("CriterioHijos"),
                   oDatos_->Field(QStringLiteral("CriterioHijos")).toString());
  insert->AddField(QStringLiteral("ID_Padre"), padre);
  insert->AddField(QStringLiteral("UsoAux"), QStringLiteral("111111"));
  insert->AddField(QStringLiteral("RutaPadre"), ruta);
  insert->AddField(QStringLiteral("Opciones"), TAZ_Arboles_OpcionesCotalia);
  insert->AddField(QStringLiteral("CodigoExterno"), oDatos_->Field(QStringLiteral("ID_IT")).toInt());
  insert->AddField(QStringLiteral("NivelExterno"), nivel);
  Consultar(insert->Sql() + QStringLiteral(" ; "), 1, QVariant());
}

}  // namespace arboles
