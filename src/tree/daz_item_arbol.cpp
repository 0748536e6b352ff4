#include "tree/daz_item_arbol.h"

#include <QFontDatabase>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_host_objects.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/get.h"

namespace arboles {

namespace {

constexpr qint32 kMarcaPendiente = 2;
constexpr qint32 kMarcaRechazada = 3;
constexpr qint32 kModoElegirUno = 2;

// Plain decimal digits only: other scripts' digits are searched as names.
bool esNumero(const QString& texto) {
  if (texto.isEmpty()) return false;
  for (QChar c : texto)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

}  // namespace

void cDAZ_ItemArbol::Configure(const QString& cNombre, qint32 nTipoArbol, const QString& cTip,
                               bool lIndexar) {
  cNombre_ = cNombre;
  nTipoArbol_ = nTipoArbol;
  cTip_ = cTip;
  lIndexar_ = lIndexar;
}

void cDAZ_ItemArbol::I_DAZ_ConfigureControl(QWidget* oControl) {
  auto* entrada = qobject_cast<zolmar::get*>(oControl);
  if (!entrada) return;
  entrada->setTipoDato(zolmar::get::Texto);
  entrada->setMaxLength(7);
  entrada->setAlignment(zolmar::get::Derecha);
  entrada->setToolTipText(cTip_);
  // Ids read best in the numeric (fixed-pitch) font.
  entrada->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

QString cDAZ_ItemArbol::ConsultaLista(cTAZ_Arboles& oTAZ_Arboles, const QString& cTexto, bool lTodas,
                                      const QString& cFiltro) const {
  QString sql =
      QString::fromUtf8("SELECT TOP 500 zolmarID, Nombre, RutaPadre AS [Categoría del Nivel Superior]") +
      QStringLiteral(" FROM arboles") + QStringLiteral(" WHERE activo=0") + QStringLiteral(" AND tipo=") +
      QString::number(nTipoArbol_);
  if (!cFiltro.isEmpty()) sql += QStringLiteral(" AND ") + cFiltro;
  // Only leaves: a node with a live child is never offered.
  if (!lTodas)
    sql += QStringLiteral(" AND (ZolmarID NOT IN") +
           QStringLiteral(" (SELECT ID_Padre FROM arboles WHERE activo=0))");
  if (!cTexto.isEmpty()) sql += Acotar(oTAZ_Arboles, cTexto);
  return sql;
}

// An explicit id reference first, then a short number as an id, else the
// text is a name search.
QString cDAZ_ItemArbol::Acotar(cTAZ_Arboles& oTAZ_Arboles, const QString& cTexto) const {
  const qint32 id = oTAZ_Arboles.oAppGlobal ? oTAZ_Arboles.oAppGlobal->TextToID(cTexto) : 0;
  if (id >= 1) return QStringLiteral(" AND Arboles.ZolmarID=") + QString::number(id);
  if (esNumero(cTexto) && cTexto.size() < 10)
    return QStringLiteral(" AND arboles.ZolmarID=") + QString::number(cTexto.toLongLong());
  const std::shared_ptr<IConnection> oCn = oTAZ_Arboles.oGlobales->GetConnection();
  // The condition comes back as "WHERE <condition>".
  const QString condicion = oCn->NameSearchWhere(cTexto, QStringLiteral("nombre")).trimmed();
  if (condicion.isEmpty()) return QString();
  return QStringLiteral(" AND ") + condicion.mid(5);
}

bool cDAZ_ItemArbol::Validate(cTAZ_Arboles& oTAZ_Arboles, zolmar::get* oCtlSAY, zolmar::get& oCtlGET,
                              bool lForzarLista, bool lTodas, const QString& cFiltro,
                              qint32 nID_ArtSinCtlSay) {
  const QString texto = oCtlGET.Text().trimmed();
  if (texto.isEmpty() && !lForzarLista) {
    if (oCtlSAY) oCtlSAY->setValue(0);
    return true;
  }
  const std::shared_ptr<IAppGlobal> oAppGlobal = oTAZ_Arboles.oAppGlobal;
  std::shared_ptr<ICommonSearchList> lista = oAppGlobal ? oAppGlobal->CreateCommonSearchList() : nullptr;
  if (!lista) return false;
  if (oCtlSAY)
    lista->SetDisplayControl(oCtlSAY);
  else
    lista->SetCurrentID(nID_ArtSinCtlSay);
  lista->SetQuery(ConsultaLista(oTAZ_Arboles, texto, lTodas, cFiltro));
  lista->SetStatusColumn(QStringLiteral("Activo"));
  lista->SetOptions(true, true, kModoElegirUno);
  bool lFlag = true;
  const qint32 resultado = lista->Run(oTAZ_Arboles, &oCtlGET, lFlag, lForzarLista);
  const bool lFinal = lista->Flag();
  lista.reset();

  if (resultado == 0) {
    if (!lFinal) oAppGlobal->MarkControl(&oCtlGET, kMarcaPendiente);
    return false;
  }
  if (resultado == -1) {
    oAppGlobal->MarkControl(&oCtlGET, kMarcaRechazada);
    return false;
  }
  if (lForzarLista) oCtlGET.SetFocus();
  return true;
}

}  // namespace arboles
