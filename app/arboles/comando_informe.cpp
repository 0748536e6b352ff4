#include "comando_informe.h"

#include <QSaveFile>

#include "reports/frm_rpt_arboles.h"
#include "tree/taz_arboles.h"
#include "zolmar/report/id_list.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/database_file_guard.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/system_error_text.h"

namespace zolmar {

QString ComandoInforme::Uso() {
  return QStringLiteral(
      "  report TIPO (--pdf F | --csv F | --xlsx F) [--tree] [--leaves] [--name TEXTO] [--ids LISTA]\n"
      "                                escribe el listado (o con --tree el dibujo) del árbol\n");
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
      nombre_ = args.at(++i);
    } else if (a == QLatin1String("--ids")) {
      ids_ = args.at(++i);
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
  if (const QString rechazo = DatabaseFileGuard::OutputRefusal(salida.file); !rechazo.isEmpty()) {
    err << "arboles: " << rechazo << "\n";
    return 2;
  }
  // A temporary file beside it tells whether it can be written; the file itself is not touched.
  QSaveFile probe(salida.file);
  if (probe.open(QIODevice::WriteOnly)) {
    probe.cancelWriting();
    return 0;
  }
  err << "arboles: No se puede escribir " << salida.file << ": "
      << SystemErrorText::Reason(probe.errorString()) << "\n";
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
  frm->Run(taz, tipo_, arbol_ ? arboles::TAZ_Arboles_ProcesosArbol : arboles::TAZ_Arboles_ProcesosListados,
           false, false);
  SinEleccionesAnteriores(*frm->oRptForm);
  if (!arbol_) {
    frm->getNombre->setText(nombre_);
    frm->getZolmarID->setText(ids_);
    frm->chkLeafNodes->setChecked(hojas_);
  }
  return Escribir(*frm, salida_, out_, err_);
}

void ComandoInforme::SinEleccionesAnteriores(ReportFramework& informe) {
  // What the person chose last in the window does not apply here.
  informe.SetRecordarConfiguracion(false);
  informe.SetSeleccion({});
  informe.SetExtras(QString(), QString(), QString());
  informe.SetOrden(QString());
  informe.SetLimite(false, 1);
}

}  // namespace zolmar
