// FrmArboles: the launcher of the import from the price-information service.
// It checks that the branch named after the service is the one the import
// created, asks, fetches the service's classification through the host's
// component "Cotalia.cCotalia" and opens the window that imports it.

#include <QPointer>

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_ficha_db.h"
#include "host/i_host_objects.h"
#include "tree/taz_arboles.h"
#include "tree/ventanas_arboles.h"
#include "zolmar/ui/ctl_ficha.h"

namespace arboles {

namespace {

constexpr qint32 kCodigoCorrecto = 100;

const QString kYaRealizado = QStringLiteral(
    "Ya había realizado este proceso con anterioridad, pero puede repetirlo para incorporar nuevas "
    "categorías.<BR>");
const QString kSeMostrara = QStringLiteral(
    "Se le mostrará un árbol con la clasificación <B>actual</B> elaborada para el servicio "
    "<B>Cotalia</B><BR>");
const QString kDesdeDonde = QStringLiteral(
    "desde donde podrá seleccionar los sectores, familias y subfamilias que quiera importar.<BR><BR>");
const QString kTengaEnCuenta = QStringLiteral(
    "<FONT COLOR='800000'>Tenga en cuenta que dichas categorías <B>siempre se añadirán en la rama dedicada a "
    "tal fin</B>.</FONT><BR><BR>");
const QString kContinuar = QStringLiteral("¿Desea continuar?");

}  // namespace

void FrmArboles::ImportarCategorias() {
  if (Valor(QStringLiteral("SELECT TOP 1 ZolmarID FROM Arboles") + QStringLiteral(" WHERE nombre='Cotalia'") +
                QStringLiteral(" AND (Opciones & ") + QStringLiteral("1") + QStringLiteral(")=0") +
                QStringLiteral(" AND Tipo=") + QStringLiteral("3"),
            0)
          .toInt() > 0) {
    oAppGlobal_->ShowMessage(
        oAppGlobal_->Translate(
            QStringLiteral("Ya existe una rama con el nombre <B>Cotalia</B> pero no es la que ha creado el "
                           "programa.<BR>")) +
            oAppGlobal_->Translate(QStringLiteral("Deberá borrarla o no podrá realizar este proceso.")),
        1, oAppGlobal_->Translate(QStringLiteral("No puede realizar la importación")), IconWarning);
    return;
  }
  const auto tr = [this](const QString& texto) { return oAppGlobal_->Translate(texto); };
  QString pregunta;
  if (oTAZ_Arboles_->ObtenerNivel(Campo(QStringLiteral("Clave")).toString()) == 1 &&
      (Campo(QStringLiteral("Opciones")).toInt() & TAZ_Arboles_OpcionesCotalia))
    pregunta = tr(kYaRealizado) + tr(kSeMostrara) + tr(kDesdeDonde) + tr(kContinuar);
  else if (Valor(QStringLiteral("SELECT TOP 1 ZolmarID FROM Arboles WHERE (Opciones & ") +
                     QStringLiteral("1") + QStringLiteral(")>0"),
                 0)
               .toInt() > 0)
    pregunta = tr(kYaRealizado) + tr(kSeMostrara) + tr(kDesdeDonde) + tr(kTengaEnCuenta) + tr(kContinuar);
  else
    pregunta =
        tr(QStringLiteral(
            "Va a añadirse una nueva rama al árbol de categorías, llamada <B>Cotalia</B>.<BR>")) +
        tr(QStringLiteral("Dicha rama quedará reservada para el servicio <B>Cotalia</B>: no podrá alterar su "
                          "contenido.<BR>")) +
        tr(kSeMostrara) + tr(kDesdeDonde) + tr(kTengaEnCuenta) + tr(kContinuar);
  if (!oAppGlobal_->AskYesNo(pregunta, 6, oAppGlobal_->Translate(QStringLiteral("Confirme, por favor")),
                             IconQuestion))
    return;

  oAppGlobal_->ShowWait(oAppGlobal_->Translate(
      QStringLiteral("Espere mientras se obtienen los datos desde el servidor de Cotalia...")));
  oAppGlobal_->SetWaitState(this, true);
  RecordsetPtr oDatos;
  qint32 nCodigo = 0;
  QString cDescripcion;
  if (auto cotalia = oAppGlobal_->CreatePriceService(QStringLiteral("Cotalia.cCotalia"))) {
    cotalia->Configure(oAppGlobal_);
    cotalia->ImportarCategorias(oDatos, nCodigo, cDescripcion);
  }
  if (!oDatos || nCodigo != kCodigoCorrecto) {
    oAppGlobal_->ShowWait(QString());
    oAppGlobal_->ShowMessage(
        oAppGlobal_->FormatMessage(
            oAppGlobal_->Translate(QStringLiteral("No se han podido obtener las categorías del servidor de "
                                                  "Cotalia.<BR>")) +
                oAppGlobal_->Translate(QStringLiteral("Código de error: %1<BR>")) +
                oAppGlobal_->Translate(QStringLiteral("Descripción del error: %2")),
            {nCodigo, cDescripcion}),
        0, oAppGlobal_->Translate(QStringLiteral("Información")), IconInformation);
  } else if (const auto& crear = VentanasArboles::instance().importarCategorias()) {
    QPointer<QWidget> frm = crear(*this, oDatos);
    if (frm) {
      oAppGlobal_->GetFormWaiter()->WaitFormClosed(frm);
      delete frm.data();
    }
    CtlFicha->Refresh();
    CtlFicha->ShowCurrent();
    CargarArbol();
    CtlFicha_RecordChanged();
  } else {
    oAppGlobal_->ShowWait(QString());
  }
  oAppGlobal_->SetWaitState(this, false);
}

}  // namespace arboles
