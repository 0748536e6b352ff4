#include "comando_informe.h"

#include <QFile>

#include "reports/frm_informe.h"
#include "reports/frm_rpt_arboles.h"
#include "tree/taz_arboles.h"
#include "zolmar/report/id_list.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

namespace zolmar {

QString ComandoInforme::Uso() {
  return QStringLiteral(
      "  report TIPO (--pdf F | --csv F | --xlsx F) [--tree] [--leaves] [--name TEXTO] [--ids LISTA]\n"
      "         [--config NOMBRE]      escribe el listado (o con --tree el dibujo) del árbol, desde los\n"
      "                                valores por defecto o desde la configuración guardada NOMBRE\n");
}

bool ComandoInforme::AnalizarSalida(const QStringList& args, qint32& i, ReportOutput& salida,
                                    QString& error) {
  const QString& a = args.at(i);
  const bool esSalida =
      a == QLatin1String("--pdf") || a == QLatin1String("--csv") || a == QLatin1String("--xlsx");
  if (!esSalida) return false;
  if (i + 1 >= args.size()) {
    error = QStringLiteral("Falta el valor de %1").arg(a);
  } else if (salida.kind != ReportOutputKind::None) {
    error = QStringLiteral("Indique un solo fichero de salida");
  } else {
    salida.kind = a == QLatin1String("--pdf")   ? ReportOutputKind::Pdf
                  : a == QLatin1String("--csv") ? ReportOutputKind::Csv
                                                : ReportOutputKind::Xlsx;
    salida.file = args.at(++i);
  }
  return true;
}

QString ComandoInforme::Analizar(const QStringList& args) {
  if (args.isEmpty()) return QStringLiteral("La orden report necesita un TIPO");
  bool ok = false;
  tipo_ = args.at(0).toInt(&ok);
  if (!ok || tipo_ < 1 || tipo_ > 3)
    return QStringLiteral("El TIPO debe ser 1, 2 o 3, no %1").arg(args.at(0));
  for (qint32 i = 1; i < args.size(); ++i) {
    const QString& a = args.at(i);
    QString error;
    if (AnalizarSalida(args, i, salida_, error)) {
      if (!error.isEmpty()) return error;
    } else if (a == QLatin1String("--tree")) {
      arbol_ = true;
    } else if (a == QLatin1String("--leaves")) {
      hojas_ = true;
    } else if ((a == QLatin1String("--name") || a == QLatin1String("--ids")) && i + 1 >= args.size()) {
      return QStringLiteral("Falta el valor de %1").arg(a);
    } else if (a == QLatin1String("--name")) {
      conNombre_ = true;
      nombre_ = args.at(++i);
    } else if (a == QLatin1String("--ids")) {
      conIds_ = true;
      ids_ = args.at(++i);
    } else if (AnalizarConfiguracion(args, i, config_, error)) {
      if (!error.isEmpty()) return error;
    } else {
      return QStringLiteral("Argumento inesperado: %1").arg(a);
    }
  }
  if (salida_.kind == ReportOutputKind::None) return QStringLiteral("Falta --pdf, --csv o --xlsx FICHERO");
  if (arbol_ && (hojas_ || !nombre_.isEmpty() || !ids_.isEmpty()))
    return QStringLiteral("--tree dibuja el árbol entero: no admite --leaves, --name ni --ids");
  return IdList::Check(ids_);
}

int ComandoInforme::ProbarSalida(const ReportOutput& salida, QTextStream& err) {
  QFile probe(salida.file);
  if (probe.open(QIODevice::WriteOnly)) return 0;
  err << "arboles: No se puede escribir " << salida.file << ": " << probe.errorString() << "\n";
  return 2;
}

int ComandoInforme::Escribir(arboles::FrmInforme& frm, const ReportOutput& salida, QTextStream& out,
                             QTextStream& err) {
  ReportFramework* informe = frm.oRptForm;
  const bool ok = informe->Generar(salida);
  const qint32 filas = informe->Filas();
  const QString error = informe->LastError();
  frm.Unload();
  if (!ok) {
    err << "arboles: " << error << "\n";
    return 1;
  }
  out << filas << (filas == 1 ? " fila escrita en " : " filas escritas en ") << salida.file << "\n";
  return 0;
}

int ComandoInforme::Ejecutar(arboles::cTAZ_Arboles& taz) {
  if (const int status = ProbarSalida(salida_, err_)) return status;
  auto* frm = new arboles::FrmRptArboles();
  frm->setAttribute(Qt::WA_DeleteOnClose);
  frm->SinConfiguracionGuardada(config_);
  frm->Run(taz, tipo_, arbol_ ? arboles::TAZ_Arboles_ProcesosArbol : arboles::TAZ_Arboles_ProcesosListados,
           false, false);
  if (const int status = ComprobarConfiguracion(*frm, config_, err_)) return status;
  // Only what is given replaces the configuration named.
  if (!arbol_) {
    if (conNombre_) frm->getNombre->setText(nombre_);
    if (conIds_) frm->getZolmarID->setText(ids_);
    if (hojas_) frm->chkLeafNodes->setChecked(true);
  }
  return Escribir(*frm, salida_, out_, err_);
}

bool ComandoInforme::AnalizarConfiguracion(const QStringList& args, qint32& i, QString& config,
                                           QString& error) {
  if (args.at(i) != QLatin1String("--config")) return false;
  if (i + 1 >= args.size() || args.at(i + 1).trimmed().isEmpty())
    error = QStringLiteral("Falta el valor de --config");
  else
    config = args.at(++i).trimmed();
  return true;
}

int ComandoInforme::ComprobarConfiguracion(arboles::FrmInforme& frm, const QString& config,
                                           QTextStream& err) {
  if (!frm.oRptForm->PreSetInicialFalta()) return 0;
  err << "arboles: No existe la configuración " << config << " de este informe\n";
  frm.Unload();
  return 2;
}

}  // namespace zolmar
