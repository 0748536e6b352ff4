// cImp_Exp: where a branch of the document already is, and what the person
// is told about branches that joined a node on another level.

#include <algorithm>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "import/imp_exp.h"
#include "tree/clave_arbol.h"
#include "tree/taz_arboles.h"

namespace arboles {

QString cImp_Exp::BuscarRama(const QString& condicionTipo, const QString& prefijo, const QString& nombre) {
  const QString mismoNombre = QStringLiteral(" AND Nombre=") + oCn->SQLLiteral(nombre);
  if (!lExacta)
    return Consultar(QStringLiteral("SELECT Clave") + QStringLiteral(" FROM Arboles") + condicionTipo +
                         mismoNombre + QStringLiteral(" AND Clave LIKE '") + prefijo + QStringLiteral("%'"),
                     2, QString())
        .toString();
  // The parent's children: one segment more than its prefix, nothing after
  // it. A node marked deleted is left out of a document, so it stands for no
  // branch of one either.
  const QString ceros(std::max<qsizetype>(ClaveArbol::Longitud - prefijo.length() - 2, 0), QLatin1Char('0'));
  const auto hijos =
      recordsetOf(Consultar(QStringLiteral("SELECT Clave FROM Arboles") + condicionTipo + mismoNombre +
                                QStringLiteral(" AND (Activo & 2)=0 AND Clave LIKE '") + prefijo +
                                QStringLiteral("__") + ceros + QStringLiteral("' AND Clave<>'") +
                                ClaveArbol::Rellenar(prefijo) + QStringLiteral("' ORDER BY Clave"),
                            5, QVariant()));
  // Two branches of one name under one parent stay two.
  while (hijos && hijos->Read()) {
    const QString clave = hijos->Field(QStringLiteral("Clave")).toString();
    if (usadas_.contains(clave)) continue;
    usadas_.insert(clave);
    return clave;
  }
  return QString();
}

void cImp_Exp::AnotarUnion(const QString& condicionTipo, const QString& ruta, const QString& clave) {
  const auto nodo =
      recordsetOf(Consultar(QStringLiteral("SELECT RutaPadre, Nombre FROM Arboles") + condicionTipo +
                                QStringLiteral(" AND Clave=") + oCn->SQLLiteral(clave),
                            5, QVariant()));
  if (!nodo || !nodo->Read()) return;
  // Stored paths separate names with ":", the document's with "/".
  const QString destino =
      nodo->Field(QStringLiteral("RutaPadre")).toString().replace(QLatin1Char(':'), QLatin1Char('/')) +
      nodo->Field(QStringLiteral("Nombre")).toString();
  unidas_.push_back({ruta, destino});
}

QString cImp_Exp::ResumenRamasCreadas(qint32 nMaximo) const {
  if (tipo_ < TipoArbolClientes || tipo_ > TipoArbolArticulos || !oAppGlobal) return QString();
  static const char* const arboles[] = {"grupos de clientes", "grupos de proveedores",
                                        "categorías de artículos"};
  QString texto = oAppGlobal->FormatMessage(
      oAppGlobal->Translate(QString::fromUtf8("Importado en el árbol de <B>%1</B>.")),
      {oAppGlobal->Translate(QString::fromUtf8(arboles[tipo_ - 1]))});
  if (creadas_.isEmpty())
    return texto + QStringLiteral("<BR>") +
           oAppGlobal->Translate(QString::fromUtf8("No se ha creado ninguna rama nueva."));
  texto += QStringLiteral("<BR>") + oAppGlobal->Translate(QString::fromUtf8("Ramas creadas:"));
  const qsizetype mostradas = nMaximo > 0 ? std::min<qsizetype>(nMaximo, creadas_.size()) : creadas_.size();
  for (qsizetype i = 0; i < mostradas; ++i) texto += QStringLiteral("<BR>") + creadas_[i];
  if (mostradas < creadas_.size())
    texto += QStringLiteral("<BR>") +
             oAppGlobal->FormatMessage(oAppGlobal->Translate(QString::fromUtf8("... y %1 más")),
                                       {qint32(creadas_.size() - mostradas)});
  return texto;
}

QString cImp_Exp::ResumenRamasUnidas(qint32 nMaximo) const {
  if (unidas_.isEmpty() || !oAppGlobal) return QString();
  QString texto = oAppGlobal->Translate(
      QString::fromUtf8("Ramas del documento unidas a otra del mismo nombre en otro nivel del árbol:"));
  const qsizetype mostradas = nMaximo > 0 ? std::min<qsizetype>(nMaximo, unidas_.size()) : unidas_.size();
  const QString linea = oAppGlobal->Translate(QStringLiteral("<B>%1</B> se ha unido a <B>%2</B>"));
  for (qsizetype i = 0; i < mostradas; ++i)
    texto += QStringLiteral("<BR>") + oAppGlobal->FormatMessage(linea, {unidas_[i].rama, unidas_[i].destino});
  if (mostradas < unidas_.size())
    texto += QStringLiteral("<BR>") +
             oAppGlobal->FormatMessage(oAppGlobal->Translate(QString::fromUtf8("... y %1 más")),
                                       {qint32(unidas_.size() - mostradas)});
  return texto;
}

}  // namespace arboles
