#include "comando_informe_categorias.h"

#include "categories/taz_categorias.h"
#include "comando_informe.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "reports/frm_rpt_categorias.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/opt.h"

namespace zolmar {

QString ComandoInformeCategorias::Uso() {
  return QStringLiteral(
      "  report-categorias PROCESO (--pdf F | --csv F | --xlsx F) [--categoria ID]... [--any] [--exact]\n"
      "         [--config NOMBRE]      escribe las categorías de los clientes (1) o proveedores (2);\n"
      "                                --categoria filtra por la categoría y su rama (--exact: sólo ella),\n"
      "                                con todas las dadas o, con --any, con alguna;\n"
      "                                --config NOMBRE parte de esa configuración guardada\n");
}

QString ComandoInformeCategorias::Analizar(const QStringList& args) {
  if (args.isEmpty()) return QStringLiteral("La orden report-categorias necesita un PROCESO");
  bool ok = false;
  proceso_ = args.at(0).toInt(&ok);
  if (!ok || proceso_ < 1 || proceso_ > 2)
    return QStringLiteral("El PROCESO debe ser 1 (clientes) o 2 (proveedores), no %1").arg(args.at(0));
  for (qint32 i = 1; i < args.size(); ++i) {
    const QString& a = args.at(i);
    QString error;
    if (ComandoInforme::AnalizarSalida(args, i, salida_, error)) {
      if (!error.isEmpty()) return error;
    } else if (ComandoInforme::AnalizarConfiguracion(args, i, config_, error)) {
      if (!error.isEmpty()) return error;
    } else if (a == QLatin1String("--any")) {
      cualquiera_ = true;
    } else if (a == QLatin1String("--exact")) {
      exacta_ = true;
    } else if (a == QLatin1String("--categoria")) {
      if (i + 1 >= args.size()) return QStringLiteral("Falta el valor de %1").arg(a);
      const qint32 id = args.at(++i).toInt(&ok);
      if (!ok || id <= 0) return QStringLiteral("ID de categoría no válido: %1").arg(args.at(i));
      if (categorias_.size() == arboles::FrmRptCategorias::FilasCategoria)
        return QStringLiteral("Como mucho %1 categorías").arg(arboles::FrmRptCategorias::FilasCategoria);
      categorias_.append(id);
    } else {
      return QStringLiteral("Argumento inesperado: %1").arg(a);
    }
  }
  if (salida_.kind == ReportOutputKind::None) return QStringLiteral("Falta --pdf, --csv o --xlsx FICHERO");
  return QString();
}

int ComandoInformeCategorias::Ejecutar(arboles::cTAZ_Categorias& taz) {
  const auto cn = taz.oGlobales->GetConnection();
  for (const qint32 id : categorias_) {
    const qint32 tipo =
        cn->ExecuteSQL(QStringLiteral("SELECT Tipo FROM Arboles WHERE ZolmarID=%1").arg(id), 2, 0).toInt();
    if (tipo != arboles::TipoArbolArticulos) {
      err_ << "arboles: " << id << " no es una categoría de artículos\n";
      return 2;
    }
  }
  if (const int status = ComandoInforme::ProbarSalida(salida_, err_)) return status;
  auto* frm = new arboles::FrmRptCategorias();
  frm->setAttribute(Qt::WA_DeleteOnClose);
  frm->SinConfiguracionGuardada(config_);
  frm->Run(taz, proceso_, false);
  if (const int status = ComandoInforme::ComprobarConfiguracion(*frm, config_, err_)) return status;
  // Only what is given replaces the configuration named.
  if (exacta_) frm->chkUsoFiltro->setChecked(true);
  if (cualquiera_) frm->optTipoFiltro->setValue(1);
  if (!categorias_.isEmpty())
    for (qint32 i = 0; i < arboles::FrmRptCategorias::FilasCategoria; ++i)
      frm->sayID_Categoria[i]->setText(QString::number(categorias_.value(i)));
  return ComandoInforme::Escribir(*frm, salida_, out_, err_);
}

}  // namespace zolmar
