// The statement of the tree report, the filter subquery and the tree drawing.

#include <QFontMetricsF>
#include <QPainter>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "reports/frm_rpt_arboles.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

namespace arboles {

QList<std::pair<QString, QString>> FrmRptArboles::VariablesInforme() const {
  return {{QStringLiteral("NombreDeLaEmpresa"), NombreEmpresa()},
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
    // Of more than 500 matches, the first 500 in the order the person chose.
    if (!oRptForm->Orden().isEmpty()) ORDER = QStringLiteral(" ORDER BY ") + oRptForm->Orden();
  }
  WHERE = QStringLiteral(" WHERE tipo=") + QString::number(nTipoArbol_);
  WHERE = WHERE + oCn_->BuildCondition(getZolmarID->Text(), QStringLiteral("Arboles.ZolmarID"), 7);
  WHERE = WHERE + oCn_->BuildCondition(getNombre->Text(),
                                       getNombre->Alias() + QStringLiteral(".") + getNombre->Campo(), 0);
  // A caller's leaves-only holds whatever the box shows, in every process
  // that hands ids back (the drawing alone shows the whole tree).
  const bool hojas =
      chkLeafNodes->Value() == 1 || (lOnlyLeafNodes_ && (lFiltro_ || P != TAZ_Arboles_ProcesosArbol));
  if (hojas)
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
  TOP = NuevaConsulta();
  if (P == TAZ_Arboles_ProcesosBusqueda) {
    SQL = QStringLiteral("SELECT TOP 500 ") + FIELDS + QStringLiteral(" FROM ") + FROM + WHERE + ORDER;
    oRptForm->EjecutarBusqueda(*oDatos, SQL);
  } else {
    SQL = QStringLiteral("SELECT ") + TOP + FIELDS + QStringLiteral(" FROM ") + FROM + WHERE + ORDER;
    dibujo_->Olvidar();
    oRptForm->EjecutarInforme(*oDatos, SQL);
    for (const auto& [name, value] : VariablesInforme()) oRptForm->SetVariable(name, value);
  }
  MostrarRegistros(P == TAZ_Arboles_ProcesosBusqueda ? oRptForm->FilasBusqueda() : oRptForm->Filas());
  result = oRptForm;
}

QString FrmRptArboles::PrefijoFila(qint32 row) {
  const RecordsetPtr& rs = oRptForm->Engine().Data().rows;
  if (!rs || !dibujo_) return QString();
  rs->SetPosition(row);
  return dibujo_->Prefijo(*rs);
}

void FrmRptArboles::oRpt_GetText(const QString& field, QString& text) {
  if (oRptForm->Proceso() != TAZ_Arboles_ProcesosArbol ||
      field.compare(QLatin1String("F_NOMBRE"), Qt::CaseInsensitive) != 0)
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
