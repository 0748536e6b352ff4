// FrmCrearCategoriasRest: CreandoCategoriasRest, the checked subcategories and
// their families written below the branch "Restaurante" in one transaction.

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_insert_builder.h"
#include "host/i_recordset.h"
#include "import/frm_crear_categorias_rest.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"

namespace arboles {

namespace {

const QString kTransaccion = QStringLiteral("CreandoCategoriasRest");

}  // namespace

// Every query and insert is checked; a failure leaves through Fallo.
QVariant FrmCrearCategoriasRest::Consultar(const QString& sql, const QVariant& def) {
  const QVariant valor = oCn_->ExecuteSQL(sql, 2, def);
  if (oCn_->HasError()) throw Fallo();
  return valor;
}

// The segment after the greatest one in use, upper-case hexadecimal of two characters.
QString FrmCrearCategoriasRest::Siguiente(const QString& cSegmento) {
  return ClaveArbol::NumeroASegmento(ClaveArbol::SegmentoANumero(cSegmento) + 1);
}

bool FrmCrearCategoriasRest::HayMarcadas() {
  if (!rs_) return false;
  rs_->SetPosition(0);
  while (rs_->Read())
    if (rs_->Field(QStringLiteral("Activo")).toInt() == 1) return true;
  return false;
}

bool FrmCrearCategoriasRest::CreandoCategoriasRest() {
  if (!HayMarcadas()) {
    oAppGlobal_->ShowMessage(oAppGlobal_->Translate(QStringLiteral("No ha seleccionado ninguna categoría")),
                             1, oAppGlobal_->Translate(QStringLiteral("Información")), IconInformation);
    return false;
  }
  if (!oAppGlobal_->AskYesNo(
          oAppGlobal_->Translate(QStringLiteral("¿Desea crear las categorías seleccionadas?")), 4,
          oAppGlobal_->Translate(QStringLiteral("Confirmación")), IconQuestion))
    return false;
  if (!oAppGlobal_->CopiaDeSeguridad(QString::fromUtf8("Crear categorías de restaurante"))) return false;
  setEnabled(false);
  oAppGlobal_->ShowWait(oAppGlobal_->Translate(QStringLiteral("Creando categorías...")));
  oCn_->BeginTrans(kTransaccion);
  try {
    CrearCategorias();
  } catch (const Fallo&) {
    oCn_->RollbackTrans(kTransaccion);
    oAppGlobal_->ShowWait(QString());
    setEnabled(true);
    oAppGlobal_->ShowMessage(
        oAppGlobal_->Translate(QStringLiteral("Se ha producido un error creando las categorías")), 1,
        oAppGlobal_->Translate(QStringLiteral("Error")), IconError);
    return false;
  }
  oCn_->CommitTrans(kTransaccion);
  oAppGlobal_->ShowWait(QString());
  setEnabled(true);
  oAppGlobal_->ShowMessage(oAppGlobal_->Translate(QStringLiteral("El proceso ha concluido con éxito")), 0,
                           oAppGlobal_->Translate(QStringLiteral("Información")), IconInformation);
  return true;
}

// Only checked subcategories are created; a family comes with its first
// checked subcategory. Template families hang from the synthetic root.
void FrmCrearCategoriasRest::CrearCategorias() {
  QHash<qint32, QString> nombres;  // the template rows by id: the second cursor
  rs_->SetPosition(0);
  while (rs_->Read())
    nombres.insert(rs_->Field(QStringLiteral("ZolmarID")).toInt(),
                   rs_->Field(QStringLiteral("Nombre")).toString());
  QString claveRama;
  const qint32 idRama = RamaRestaurante(claveRama);
  rs_->SetPosition(0);
  while (rs_->Read()) {
    const qint32 idPadre = rs_->Field(QStringLiteral("ID_Padre")).toInt();
    if (idPadre <= 0 || idPadre == IdRaiz || rs_->Field(QStringLiteral("Activo")).toInt() != 1) continue;
    const QString familia = nombres.value(idPadre);
    const qint32 idFamilia = Familia(familia, idRama, claveRama);
    Subcategoria(rs_->Field(QStringLiteral("Nombre")).toString(), idFamilia, familia);
  }
}

qint32 FrmCrearCategoriasRest::RamaRestaurante(QString& cClave) {
  const QString restaurante = Restaurante();
  const qint32 id =
      Consultar(QStringLiteral("SELECT ZolmarID FROM Arboles") + QStringLiteral(" WHERE Nombre=") +
                    oCn_->SQLLiteral(restaurante) + QStringLiteral(" AND Tipo=") + QStringLiteral("3") +
                    QStringLiteral(" AND SUBSTRING(Clave,3,2)='00'"),
                0)
          .toInt();
  if (id > 0) {
    // The record set of the class may not hold a row another program added
    // since it was opened: then the key is read from the table.
    if (oTAZ_->I_TAZ_SeekID(id) == id)
      cClave = oTAZ_->I_TAZ_Field(QStringLiteral("Clave")).toString();
    else
      cClave = Consultar(QStringLiteral("SELECT Clave FROM Arboles WHERE ZolmarID=") + QString::number(id),
                         QString())
                   .toString();
    if (cClave.isEmpty()) throw Fallo();
    return id;
  }
  const QString mayor = Consultar(QStringLiteral("SELECT TOP 1 Clave FROM Arboles WHERE Tipo=") +
                                      QStringLiteral("3") + QStringLiteral(" ORDER BY Clave DESC"),
                                  QString())
                            .toString();
  const QString segmento = mayor.isEmpty() ? QStringLiteral("01") : Siguiente(mayor.left(2));
  cClave = segmento + QString(14, QLatin1Char('0'));
  auto insert = oGlobales_->CreateInsertBuilder(oCn_, QStringLiteral("Arboles"));
  insert->AddField(QStringLiteral("Tipo"), TipoArbolArticulos);
  insert->AddField(QStringLiteral("Clave"), cClave);
  insert->AddField(QStringLiteral("Nombre"), restaurante);
  insert->AddField(QStringLiteral("UsoAux"), QStringLiteral("111111"));
  const qint32 nuevo = oCn_->ExecuteSQL(insert->Sql(), 9, 0).toInt();
  if (oCn_->HasError() || nuevo <= 0) throw Fallo();
  return nuevo;
}

qint32 FrmCrearCategoriasRest::Familia(const QString& cNombre, qint32 nIdRama, const QString& cClaveRama) {
  const QString rama = QString::number(nIdRama);
  const qint32 id =
      Consultar(QStringLiteral("SELECT ZolmarID FROM Arboles") + QStringLiteral(" WHERE Nombre=") +
                    oCn_->SQLLiteral(cNombre) + QStringLiteral(" AND Tipo=") + QStringLiteral("3") +
                    QStringLiteral(" AND ID_Padre=") + rama,
                0)
          .toInt();
  if (id > 0) return id;
  const QString ultima =
      Consultar(QStringLiteral("SELECT TOP 1 Clave FROM Arboles") + QStringLiteral(" WHERE Tipo=") +
                    QStringLiteral("3") + QStringLiteral(" AND ID_Padre=") + rama +
                    QStringLiteral(" ORDER BY Clave DESC"),
                QString())
          .toString();
  const QString segmento = ultima.isEmpty() ? QStringLiteral("01") : Siguiente(ultima.mid(2, 2));
  return Insertar(cClaveRama.left(2) + segmento + QString(12, QLatin1Char('0')), cNombre, nIdRama,
                  Restaurante() + QStringLiteral(":"));
}

// A leaf of that name under the family is reused; a node of that name with
// children of its own is not a subcategory, so a new leaf is created.
void FrmCrearCategoriasRest::Subcategoria(const QString& cNombre, qint32 nIdFamilia,
                                          const QString& cFamilia) {
  const QString familia = QString::number(nIdFamilia);
  if (Consultar(QStringLiteral("SELECT ZolmarID FROM Arboles") + QStringLiteral(" WHERE Nombre=") +
                    oCn_->SQLLiteral(cNombre) + QStringLiteral(" AND Tipo=") + QStringLiteral("3") +
                    QStringLiteral(" AND ID_Padre=") + familia +
                    QStringLiteral(" AND ZolmarID NOT IN(SELECT ID_Padre FROM Arboles WHERE Tipo=") +
                    QStringLiteral("3") + QStringLiteral(")"),
                0)
          .toInt() > 0)
    return;
  const QString prefijo =
      Consultar(QStringLiteral("SELECT LEFT(Clave,4) FROM Arboles WHERE ZolmarID=") + familia, QString())
          .toString();
  if (prefijo.isEmpty()) throw Fallo();
  const QString mayor =
      Consultar(QStringLiteral("SELECT TOP 1 Clave FROM Arboles") + QStringLiteral(" WHERE Tipo=") +
                    QStringLiteral("3") + QStringLiteral(" AND Clave LIKE '") + prefijo +
                    QStringLiteral("%'") + QStringLiteral(" ORDER BY Clave DESC"),
                QString())
          .toString();
  if (mayor.isEmpty()) throw Fallo();
  Insertar(prefijo + Siguiente(mayor.mid(4, 2)) + QString(10, QLatin1Char('0')), cNombre, nIdFamilia,
           Restaurante() + QStringLiteral(":") + cFamilia + QStringLiteral(":"));
}

qint32 FrmCrearCategoriasRest::Insertar(const QString& cClave, const QString& cNombre, qint32 nIdPadre,
                                        const QString& cRuta) {
  auto insert = oGlobales_->CreateInsertBuilder(oCn_, QStringLiteral("Arboles"));
  insert->AddField(QStringLiteral("Tipo"), TipoArbolArticulos);
  insert->AddField(QStringLiteral("Clave"), cClave);
  insert->AddField(QStringLiteral("Nombre"), cNombre);
  insert->AddField(QStringLiteral("ID_Padre"), nIdPadre);
  insert->AddField(QStringLiteral("UsoAux"), QStringLiteral("111111"));
  insert->AddField(QStringLiteral("RutaPadre"), cRuta);
  const qint32 id = oCn_->ExecuteSQL(insert->Sql(), 9, 0).toInt();
  if (oCn_->HasError() || id <= 0) throw Fallo();
  return id;
}

}  // namespace arboles
