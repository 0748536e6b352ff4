// FrmArboles: creating siblings and child levels, and allocating their keys.

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

constexpr qint32 kBorrado = 2;

}  // namespace

// The sibling path: the record browser's own new command.
void FrmArboles::CtlFicha_NewRequest(bool& Cancel) {
  if (CtlFicha->HasRecord()) {
    const qint32 padre = Campo(QStringLiteral("ID_Padre")).toInt();
    if (Valor(QStringLiteral("SELECT Activo FROM Arboles WHERE ZolmarID=") + QString::number(padre), 0)
            .toInt() &
        kBorrado) {
      Informar(QStringLiteral("No se puede crear la ficha porque la del<BR>") +
               QStringLiteral("nivel superior tiene la marca de \"BORRADO\"."));
      Cancel = true;
      return;
    }
    if ((Campo(QStringLiteral("Opciones")).toInt() & TAZ_Arboles_OpcionesCotalia) &&
        ClaveArbol::ObtenerNivel(Campo(QStringLiteral("Clave")).toString()) >= 2) {
      RechazarRamaReservada();
      Cancel = true;
      return;
    }
    if (RechazarMaxHijos(padre)) {
      Cancel = true;
      return;
    }
  }
  bool ok = true;
  if (!NuevaClave(false, ok)) {
    Cancel = true;
    return;
  }
  TreeArbol->setEnabled(false);
}

bool FrmArboles::RechazarRamaReservada() {
  Avisar(QStringLiteral("No se permite añadir manualmente categorías dentro de esta rama<BR>") +
             QStringLiteral("porque está reservada para el servicio <B>Cotalia</B>."),
         QStringLiteral("No puede modificar esta ficha"));
  return true;
}

bool FrmArboles::RechazarMaxHijos(qint32 nID_Padre) {
  const qint32 hijos =
      Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE Tipo=") + QString::number(nTipoArbol_) +
                QStringLiteral(" AND ID_Padre=") + QString::number(nID_Padre),
            0)
          .toInt();
  if (hijos < ClaveArbol::MaxHijos) return false;
  Informar(ClaveArbol::MensajeMaxHijos);
  return true;
}

// The child level: btnAccion 0 on a node without the deleted mark.
void FrmArboles::AnadirNivel() {
  if (Campo(QStringLiteral("Opciones")).toInt() & TAZ_Arboles_OpcionesCotalia) {
    RechazarRamaReservada();
    return;
  }
  const QString id = QString::number(IdActual());
  const QString usos = QStringLiteral("SELECT ZolmarID FROM clientes") + QStringLiteral(" WHERE ID_Grupo=") +
                       id + QStringLiteral(" UNION ALL SELECT ZolmarID FROM proveedores") +
                       QStringLiteral(" WHERE ID_Grupo=") + id +
                       QStringLiteral(" UNION ALL SELECT ZolmarID FROM articulos") +
                       QStringLiteral(" WHERE ID_Categoria1=") + id +
                       QStringLiteral(" UNION ALL SELECT ZolmarID FROM categorias") +
                       QStringLiteral(" WHERE ID_Categoria=") + id;
  if (Valor(usos, 0).toInt() > 0) {
    btnAccion[0]->ShowTip(oAppGlobal_->Translate(
        QStringLiteral("No puede añadir más niveles: la ficha de este nivel ya está siendo usada")));
    return;
  }
  if (RechazarMaxHijos(IdActual())) return;
  bool ok = true;
  const bool preparada = NuevaClave(true, ok);
  if (!ok) {
    btnAccion[0]->ShowTip(oAppGlobal_->Translate(QStringLiteral("No se pueden añadir más niveles")));
    return;
  }
  if (!preparada) return;
  // Starting the empty record raises the new-record defaults (the parent's
  // auxiliary names) and the record-changed handling.
  CtlFicha->setMode(zolmar::CtlFicha::Adding);
  getNombre->SetFocus();
  sayZolmarID->setText(oAppGlobal_->Translate(QStringLiteral("(Nuevo)")));
  TreeArbol->setEnabled(false);
}

// Prepares the key and the parent of the new node and shows it as "K=NEWKEY".
// lOk is False only when the node is on the last level. Returns False when
// no key was prepared: also when the parent's greatest segment in use is
// already "FF" (gaps left by deletions), since a two-digit segment past it
// does not exist; renumbering the tree closes the gaps.
bool FrmArboles::NuevaClave(bool lNuevoNivel, bool& lOk) {
  lOk = true;
  zolmar::TreeNodes& nodos = TreeArbol->Nodes();
  if (!CtlFicha->HasRecord()) {
    claveNueva_ = ClaveArbol::Rellenar(QStringLiteral("01"));
    idPadre_ = 0;
    nodos.tryAdd(QString(), zolmar::TreeNodes::tvwLast, ClaveNueva, QString());
  } else {
    QString k = Campo(QStringLiteral("Clave")).toString();
    qint32 p = 0;
    for (qint32 i = 7; i >= 0; --i) {
      p = 2 * i;
      if (k.right(2) != ClaveArbol::SegmentoVacio) {
        if (lNuevoNivel)
          p += 2;
        else
          k = k.left(p);
        break;
      }
      k = k.left(p);
    }
    if (k.size() >= ClaveArbol::Longitud) {
      lOk = false;
      return false;
    }
    QString sql = QStringLiteral("SELECT MAX(SUBSTRING(clave,") + QString::number(p + 1) +
                  QStringLiteral(",2))") + QStringLiteral("FROM arboles") + QStringLiteral(" WHERE tipo=") +
                  QString::number(nTipoArbol_);
    if (p >= 1)
      sql += QStringLiteral(" AND left(clave,") + QString::number(p) + QStringLiteral(")=") +
             Cn()->SQLLiteral(k);
    const QVariant mayor = Valor(sql, QStringLiteral("00"));
    const QString segmento = ClaveArbol::SiguienteSegmento(mayor.isNull() ? QString() : mayor.toString());
    if (segmento.isEmpty()) {
      Informar(ClaveArbol::MensajeMaxHijos);
      return false;
    }
    claveNueva_ = ClaveArbol::Rellenar(k + segmento);
    const qint32 idPadreActual = Campo(QStringLiteral("ID_Padre")).toInt();
    idPadre_ = lNuevoNivel ? IdActual() : idPadreActual;
    if (!lNuevoNivel && idPadreActual == 0)
      nodos.tryAdd(QString(), zolmar::TreeNodes::tvwLast, ClaveNueva, QString());
    else
      nodos.tryAdd(QStringLiteral("K=") + QString::number(idPadre_), zolmar::TreeNodes::tvwChild, ClaveNueva,
                   QString());
  }
  MarcarNodo(false, claveResaltada_);
  MarcarNodo(true, ClaveNueva);
  claveResaltada_ = ClaveNueva;
  return true;
}

}  // namespace arboles
