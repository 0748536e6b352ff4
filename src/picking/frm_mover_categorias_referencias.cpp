// FrmMoverCategorias: the records classified in the origin or destination
// selection, in the host's list window, and the records a merge moves.

#include "host/i_app_global.h"
#include "host/i_recordset.h"
#include "picking/frm_mover_categorias.h"
#include "tree/lista_referencias.h"
#include "tree/taz_arboles.h"
#include "zolmar/ui/list_window.h"

namespace arboles {

namespace {

struct TablaTraspasada {
  qint32 tipo;  // the tree whose merge re-points it
  const char* tabla;
  const char* condicion;  // the column that points at the node, with "="
  const char* nombre;     // as the person knows the records
};

// The customers' and suppliers' category assignments are nodes of the
// article tree: a merge of article categories carries them along.
const TablaTraspasada kTablas[] = {
    {TipoArbolArticulos, "Articulos", "ID_Categoria1=", "Artículos"},
    {TipoArbolArticulos, "Tarifas", "ID_Categoria=", "Tarifas"},
    {TipoArbolArticulos, "GruposComisionesX", "ID_Categoria=", "Grupos de comisiones"},
    {TipoArbolArticulos, "ArtCompuestos", "ID_Categoria=", "Artículos compuestos"},
    {TipoArbolArticulos, "Categorias", "ID_Categoria=", "Categorías de clientes y proveedores"},
    {TipoArbolClientes, "Clientes", "ID_Grupo=", "Clientes"},
    {TipoArbolProveedores, "Proveedores", "ID_Grupo=", "Proveedores"},
};

QString NombreTabla(const QString& tabla) {
  for (const TablaTraspasada& t : kTablas)
    if (tabla == QLatin1String(t.tabla)) return QString::fromUtf8(t.nombre);
  return tabla;
}

}  // namespace

void FrmMoverCategorias::btnReferencias_Click(qint32 Index) {
  const QString id = QString::number(nSeleccion_[Index == 0 ? 0 : 1]);
  const QString sql = ListaReferencias::Consulta(nTipoArbol_, id);
  if (sql.isEmpty()) return;
  // Unlike the editor, nothing is said when no row set comes back.
  const RecordsetPtr rs = Abrir(sql, 5);
  if (!rs) return;
  auto* lista =
      ListaReferencias::Crear(oAppGlobal_, QStringLiteral("FrmReferenciasCategoria"), nTipoArbol_, *rs);
  if (referencias_) referencias_->close();
  referencias_ = lista;
  lista->ShowList(false);
}

// One statement counts every table, so the question names what the batch
// will find.
QVector<FrmMoverCategorias::Traspaso> FrmMoverCategorias::ContarTraspaso(qint32 nOrigen) {
  QStringList partes;
  for (const TablaTraspasada& t : kTablas)
    if (t.tipo == nTipoArbol_)
      partes << QStringLiteral("SELECT '%1' AS Tabla, COUNT(*) AS Numero FROM %1 WHERE %2%3")
                    .arg(QLatin1String(t.tabla), QLatin1String(t.condicion))
                    .arg(nOrigen);
  QVector<Traspaso> traspaso;
  if (partes.isEmpty()) return traspaso;
  const RecordsetPtr rs = Abrir(partes.join(QStringLiteral(" UNION ALL ")), 5);
  while (rs && rs->Read())
    traspaso.append(
        {rs->Field(QStringLiteral("Tabla")).toString(), rs->Field(QStringLiteral("Numero")).toLongLong()});
  return traspaso;
}

QString FrmMoverCategorias::DescribirTraspaso(const QVector<Traspaso>& traspaso) const {
  qint64 total = 0;
  QStringList detalle;
  for (const Traspaso& t : traspaso) {
    if (t.filas == 0) continue;
    total += t.filas;
    detalle << oAppGlobal_->FormatMessage(Traducir("%1 de %2"),
                                          {t.filas, oAppGlobal_->Translate(NombreTabla(t.tabla))});
  }
  if (total == 0) return Traducir("No hay fichas clasificadas en la categoría de origen.");
  return (total == 1 ? Traducir("Se traspasará <B>1</B> ficha: ")
                     : oAppGlobal_->FormatMessage(Traducir("Se traspasarán <B>%1</B> fichas: "), {total})) +
         detalle.join(QStringLiteral(", ")) + QLatin1Char('.');
}

// A customer or supplier already in the destination keeps that one row: its
// row of the origin goes. The others move. Into the root ("Principal") there
// is no category to assign, so the origin's rows go.
QString FrmMoverCategorias::ReapuntarAsignaciones(const QString& origen, const QString& destino) {
  if (destino == QLatin1String("0"))
    return QStringLiteral("DELETE FROM Categorias WHERE ID_Categoria=") + origen;
  return QStringLiteral("DELETE FROM Categorias WHERE ID_Categoria=") + origen +
         QStringLiteral(" AND EXISTS (SELECT 1 FROM Categorias D WHERE D.Tipo=Categorias.Tipo") +
         QStringLiteral(" AND D.ID_Quien=Categorias.ID_Quien AND D.ID_Categoria=") + destino +
         QStringLiteral(") ; UPDATE Categorias SET ID_Categoria=") + destino +
         QStringLiteral(" WHERE ID_Categoria=") + origen;
}

}  // namespace arboles
