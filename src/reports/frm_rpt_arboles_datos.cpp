// The statement of the tree report, the filter subquery and the tree drawing.

#include <QFontMetricsF>
#include <QPainter>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "reports/frm_rpt_arboles.h"
#include "tree/taz_arboles.h"
#include "zolmar/report/report_query.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/st_bar.h"

namespace arboles {

QList<std::pair<QString, QString>> FrmRptArboles::VariablesInforme() const {
  const QString empresa = oAppGlobal_->GetConfig().value(QStringLiteral("CFG_EMPRESA:NOMBRE")).toString();
  return {{QStringLiteral("NombreDeLaEmpresa"), empresa},
          {QStringLiteral("TipoDeGrupo"), Traducir(QStringLiteral("Listado de")) + QStringLiteral(" ") +
                                              Traducir(TituloArbol(nTipoArbol_))}};
}

void FrmRptArboles::oRptForm_GenerarDatos(zolmar::ReportFramework*& result) {
  QString FIELDS, ORDER, WHERE, FROM, TOP, SQL;
  if (!oRptForm->GetFields(FIELDS, ORDER)) return;
  const qint32 P = oRptForm->Proceso();
  if (P != TAZ_Arboles_ProcesosBusqueda) {
    if (lFiltro_ && cFiltro_ != QLatin1String("*")) {
      FIELDS = QStringLiteral("Arboles.ZolmarID");
      ORDER = QString();
    }
    if (!oRptForm->CamposExtra().isEmpty()) FIELDS = FIELDS + QStringLiteral(",") + oRptForm->CamposExtra();
    if (!oRptForm->Orden().isEmpty()) ORDER = QStringLiteral(" ORDER BY ") + oRptForm->Orden();
    if (P == TAZ_Arboles_ProcesosArbol) ORDER = QStringLiteral("ORDER BY ARBOLES.CLAVE ASC");
  } else {
    FIELDS = QStringLiteral("Arboles.ZolmarID AS SearchedID, ") + FIELDS;
  }
  WHERE = QStringLiteral(" WHERE tipo=") + QString::number(nTipoArbol_);
  WHERE = WHERE + oCn_->BuildCondition(getZolmarID->Text(), QStringLiteral("Arboles.ZolmarID"), 7);
  WHERE = WHERE + oCn_->BuildCondition(getNombre->Text(),
                                       getNombre->Alias() + QStringLiteral(".") + getNombre->Campo(), 0);
  if (chkLeafNodes->Value() == 1)
    WHERE = WHERE + QStringLiteral(" AND (Arboles.ZolmarID NOT IN") +
            QStringLiteral(" (SELECT ID_Padre FROM Arboles WHERE activo=0))");
  if (!oRptForm->CondicionExtra().isEmpty())
    WHERE = WHERE + QStringLiteral(" AND ") + oRptForm->CondicionExtra();
  FROM = QStringLiteral("Arboles");
  if (!oRptForm->UnionesExtra().isEmpty()) FROM = FROM + QStringLiteral(" ") + oRptForm->UnionesExtra();
  if (lFiltro_) {
    if (cFiltro_ == QLatin1String("**"))
      cFiltro_ = QStringLiteral("SELECT Arboles.ZolmarID FROM ") + FROM + WHERE;
    else if (cFiltro_ == QLatin1String("***"))
      cFiltro_ = QStringLiteral("SELECT TOP 1 ") + FIELDS + QStringLiteral(" FROM ") + FROM + WHERE + ORDER;
    if (cFiltro_ != QLatin1String("*")) return;
  }
  delete oDatos;
  oDatos = new zolmar::ReportQuery(this);
  connect(oDatos, &zolmar::ReportQuery::QueryInProgress, this,
          [this](const QString& text, qint32 records) { oDatos_QueryInProgress(text, records); });
  if (zolmar::ReportRun* run = oRptForm->RunObject()) {
    run->Run(*oDatos);
    TOP = oRptForm->LimiteActivo()
              ? QStringLiteral(" TOP ") + QString::number(oRptForm->Limite()) + QStringLiteral(" ")
              : QStringLiteral(" ");
  } else {
    TOP = QStringLiteral(" TOP 250 ");
  }
  if (P == TAZ_Arboles_ProcesosBusqueda) {
    SQL = QStringLiteral("SELECT TOP 500 ") + FIELDS + QStringLiteral(" FROM ") + FROM + WHERE + ORDER;
    oRptForm->EjecutarBusqueda(*oDatos, SQL);
  } else {
    SQL = QStringLiteral("SELECT ") + TOP + FIELDS + QStringLiteral(" FROM ") + FROM + WHERE + ORDER;
    dibujo_->Olvidar();
    oRptForm->EjecutarInforme(*oDatos, SQL);
    for (const auto& [name, value] : VariablesInforme()) oRptForm->SetVariable(name, value);
  }
  stbEstado->setPanelText(0, Traducir(QStringLiteral("Registros: ")) +
                                 QString::number(P == TAZ_Arboles_ProcesosBusqueda ? oRptForm->FilasBusqueda()
                                                                                   : oRptForm->Filas()));
  stbEstado->Refresh();
  result = oRptForm;
}

void FrmRptArboles::oDatos_QueryInProgress(const QString& text, qint32 records) {
  if (!oRptForm->MuestraProgreso()) return;
  QString mensaje = Traducir(text);
  if (records > 0)
    mensaje +=
        QStringLiteral("\r") + QString::number(records) + Traducir(QStringLiteral(" registros recuperados."));
  oAppGlobal_->ShowWait(mensaje);
}

void FrmRptArboles::btnReturnFilter_Click() {
  if (!ready_) {
    oAppGlobal_->Signal(0);
    return;
  }
  cFiltro_ = QStringLiteral("**");
  zolmar::ReportFramework* result = nullptr;
  oRptForm_GenerarDatos(result);
  if (cFiltro_ != QLatin1String("**")) {
    Unload();
    return;
  }
  cFiltro_.clear();
}

QString FrmRptArboles::PrefijoFila(qint32 row) {
  const RecordsetPtr& rs = oRptForm->Engine().Data().rows;
  if (!rs || !dibujo_) return QString();
  rs->SetPosition(row);
  return dibujo_->Prefijo(*rs);
}

void FrmRptArboles::oRpt_GetText(const QString& field, QString& text) {
  if (oRptForm->Proceso() != TAZ_Arboles_ProcesosArbol || field.toUpper() != QLatin1String("F_NOMBRE"))
    return;
  const RecordsetPtr& rs = oRptForm->Engine().Data().rows;
  if (!rs) return;
  text = QString(2 * dibujo_->Prefijo(*rs).size(), QLatin1Char(' ')) + text;
}

void FrmRptArboles::oRpt_PaintRptItem(bool& painted, const zolmar::ReportItem& item) {
  if (oRptForm->Proceso() != TAZ_Arboles_ProcesosArbol || item.field != QLatin1String("F_NOMBRE")) return;
  painted = true;
  const QString prefijo = PrefijoFila(item.row);
  DibujoArbol::Pintar(*item.painter, item.rect, prefijo);
  const QFontMetricsF fm(item.painter->font(), item.painter->device());
  item.painter->drawText(item.rect, Qt::AlignLeft | Qt::AlignVCenter,
                         zolmar::ReportEngine::Fit(fm, item.text, item.rect.width()));
}

}  // namespace arboles
