// The statement of the category report, its category filter and the filter
// subquery handed back in filter mode.

#include <QDate>
#include <QStringList>

#include "categories/taz_categorias.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "reports/frm_rpt_categorias.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/opt.h"

namespace arboles {

namespace {

const QString kUnionArboles =
    QStringLiteral(" LEFT JOIN Arboles ON Categorias.ID_Categoria=Arboles.ZolmarID");

}  // namespace

QString FrmRptCategorias::FiltroCategorias() {
  const QString P = QString::number(oRptForm->Proceso());
  const bool cualquiera = optTipoFiltro->Value() == 1;
  QString CF;
  for (qint32 i = 0; i < FilasCategoria; ++i) {
    const qint32 id = sayID_Categoria[i]->Text().toInt();
    if (id == 0) continue;
    QString nodo;
    if (chkUsoFiltro->Value() == 1) {
      nodo = QStringLiteral(" AND Arboles.ZolmarID=") + QString::number(id);
    } else {
      const QString patron = oCn_->ExecuteSQL(QStringLiteral("SELECT DBO.SubArboles(") + QString::number(id) +
                                                  QStringLiteral(")"),
                                              2, QString())
                                 .toString();
      nodo = QStringLiteral(" AND Arboles.Clave LIKE ") + oCn_->SQLLiteral(patron, 0);
    }
    const RecordsetPtr lista = recordsetOf(oCn_->ExecuteSQL(
        QStringLiteral("SELECT DISTINCT ZolmarID FROM Arboles WHERE Tipo=") + QStringLiteral("3") + nodo, 5));
    // Our connection answers an empty list where the server answers none;
    // either way the row adds nothing (an empty IN() is not valid SQL).
    if (!lista || lista->RecordCount() == 0) continue;
    QStringList ids;
    while (lista->Read()) ids << lista->Field(lista->FieldName(0)).toString();
    CF = CF +
         (cualquiera ? QStringLiteral(" OR Categorias.ID_Quien IN(SELECT ID_Quien FROM Categorias")
                     : QStringLiteral(" AND Categorias.ID_Quien IN(SELECT ID_Quien FROM Categorias")) +
         kUnionArboles + QStringLiteral(" WHERE Categorias.ID_Categoria IN(") + ids.join(QLatin1Char(',')) +
         QStringLiteral(")") + QStringLiteral(" AND Categorias.Tipo=") + P + QStringLiteral(")");
  }
  if (CF.isEmpty()) return CF;
  return QStringLiteral("(") + CF.mid(cualquiera ? 4 : 5) + QStringLiteral(")");
}

void FrmRptCategorias::oRptForm_GenerarDatos(zolmar::ReportFramework*& result) {
  QString FIELDS, ORDER, WHERE, FROM, TOP, SQL;
  if (!oRptForm->GetFields(FIELDS, ORDER)) return;
  const QString P = QString::number(oRptForm->Proceso());
  const QString CF = FiltroCategorias();
  if (lFiltro_ && cFiltro_ != QLatin1String("*")) {
    FIELDS = QStringLiteral("Categorias.ZolmarID");
    ORDER = QString();
  }
  if (!oRptForm->CamposExtra().isEmpty()) FIELDS = FIELDS + QStringLiteral(",") + oRptForm->CamposExtra();
  if (!oRptForm->Orden().isEmpty()) ORDER = QStringLiteral(" ORDER BY ") + oRptForm->Orden();

  WHERE = oCn_->BuildCondition(sayID_Quien->Text(), QStringLiteral("Categorias.ID_Quien"), 3);
  WHERE = WHERE + oCn_->BuildCondition(sayID_Cat->Text(), QStringLiteral("Categorias.ID_Categoria"), 3);
  if (!CF.isEmpty()) WHERE = WHERE + QStringLiteral(" AND ") + CF;
  WHERE = WHERE + QStringLiteral(" AND Categorias.Tipo=") + P;
  if (!oRptForm->CondicionExtra().isEmpty())
    WHERE = WHERE + QStringLiteral(" AND ") + oRptForm->CondicionExtra();
  if (!WHERE.isEmpty()) WHERE = QStringLiteral(" WHERE ") + WHERE.mid(4);

  FROM = QStringLiteral("Categorias") + kUnionArboles;
  const QString usado = (FIELDS + WHERE + ORDER).toUpper();
  if (usado.contains(QLatin1String("NOMBRECLIENTES.")))
    FROM =
        FROM + QStringLiteral(" LEFT JOIN Clientes ON Categorias.ID_Quien=Clientes.ZolmarID") +
        QStringLiteral(" LEFT JOIN Nombres AS NombreClientes ON Clientes.ID_Nombre=NombreClientes.ZolmarID");
  if (usado.contains(QLatin1String("NOMBREPROVEEDORES.")))
    FROM = FROM + QStringLiteral(" LEFT JOIN Proveedores ON Categorias.ID_Quien=Proveedores.ZolmarID") +
           QStringLiteral(
               " LEFT JOIN Nombres AS NombreProveedores ON Proveedores.ID_Nombre=NombreProveedores.ZolmarID");
  if (!oRptForm->UnionesExtra().isEmpty()) FROM = FROM + QStringLiteral(" ") + oRptForm->UnionesExtra();

  if (lFiltro_) {
    if (cFiltro_ == QLatin1String("***")) {
      cFiltro_ = QStringLiteral("SELECT TOP 1 Categorias.ID_Quien FROM ") + FROM + WHERE;
    } else if (cFiltro_ == QLatin1String("**")) {
      // Nothing chosen: no subquery of every customer or supplier.
      const bool sinFiltro = WHERE == QLatin1String(" WHERE  Categorias.Tipo=1") ||
                             WHERE == QLatin1String(" WHERE  Categorias.Tipo=2");
      cFiltro_ =
          sinFiltro ? QString() : QStringLiteral("SELECT DISTINCT Categorias.ID_Quien FROM ") + FROM + WHERE;
    }
    if (cFiltro_ != QLatin1String("*")) return;
  }
  // The header would print a text that is not a date, or drop a page number.
  for (auto [campo, error] :
       {std::pair{getFechaInforme, ErrorFechaInforme()}, std::pair{getFirstPage, ErrorPrimeraPagina()}})
    if (Rechazar(campo, error)) {
      oRptForm->Rechazar(error);
      return;
    }
  TOP = NuevaConsulta();
  SQL = QStringLiteral("SELECT ") + TOP + FIELDS + QStringLiteral(" FROM ") + FROM + WHERE + ORDER;
  oRptForm->EjecutarInforme(*oDatos, SQL);
  PonerVariables();
  MostrarRegistros(oRptForm->Filas());
  result = oRptForm;
}

QString FrmRptCategorias::ErrorFechaInforme() const {
  const QString texto = getFechaInforme->Text().trimmed();
  if (texto.isEmpty()) return QString();
  for (const char* formato : {"d/M/yyyy", "d-M-yyyy", "d.M.yyyy"})
    if (QDate::fromString(texto, QLatin1String(formato)).isValid()) return QString();
  return oAppGlobal_->FormatMessage(
      Traducir(QString::fromUtf8("La fecha del informe \"%1\" no es una fecha válida (dd/mm/aaaa).")),
      {texto});
}

QString FrmRptCategorias::ErrorPrimeraPagina() const {
  const QString texto = getFirstPage->Text().trimmed();
  if (texto.isEmpty()) return QString();
  bool ok = false;
  const qint32 n = texto.toInt(&ok);
  if (ok && n >= 1) return QString();
  return oAppGlobal_->FormatMessage(
      Traducir(QString::fromUtf8("La primera página \"%1\" debe ser un número mayor que cero.")), {texto});
}

bool FrmRptCategorias::Rechazar(zolmar::get* campo, const QString& error) {
  campo->ShowTip(error);
  return !error.isEmpty();
}

void FrmRptCategorias::PonerVariables() {
  const qint32 primera = getFirstPage->Text().trimmed().isEmpty() ? 1 : getFirstPage->Text().toInt();
  oRptForm->SetVariable(QStringLiteral("NombreDeLaEmpresa"), NombreEmpresa());
  oRptForm->SetVariable(QStringLiteral("FechaInforme"), getFechaInforme->Text());
  oRptForm->SetVariable(QStringLiteral("TituloInforme"), getTituloInforme->Text());
  oRptForm->SetVariable(QStringLiteral("PrimeraPagina"), QString::number(primera));
}

QList<std::pair<QString, QString>> FrmRptCategorias::VariablesDiseno() const {
  return {{QStringLiteral("NombreDeLaEmpresa"), NombreEmpresa()}};
}

}  // namespace arboles
