// FrmBuscaArbol: reading the rows of each mode and filling the tree.

#include <QRegularExpression>
#include <QSet>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_list_object.h"
#include "host/i_recordset.h"
#include "picking/frm_busca_arbol.h"
#include "tree/clave_arbol.h"
#include "zolmar/ui/tree_view.h"

namespace arboles {

namespace {

const QString kId = QStringLiteral("ZolmarID");
const QString kNombre = QStringLiteral("Nombre");
const QString kPadre = QStringLiteral("ID_Padre");
const QString kCriterio = QStringLiteral("CriterioHijos");
const QString kClave = QStringLiteral("Clave");
const QString kActivo = QStringLiteral("Activo");

QString rtrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s.at(n - 1).isSpace()) --n;
  return s.left(n);
}

bool tieneCampo(const IRecordset& rs, const QString& campo) {
  for (qint32 i = 0; i < rs.FieldCount(); ++i)
    if (rs.FieldName(i).compare(campo, Qt::CaseInsensitive) == 0) return true;
  return false;
}

// Host menu grid: column 1 the caption, column 2 the level.
constexpr qint32 kColumnaTitulo = 1;
constexpr qint32 kColumnaNivel = 2;
constexpr qint32 kEscalaIdMenu = 100000;

QString tituloMenu(const QVariant& celda) { return celda.toString().remove(QLatin1Char('&')).trimmed(); }

}  // namespace

// Only whole numbers survive: the list goes into an IN (...) of the query.
QString FrmBuscaArbol::NormalizarLista(const QString& lista) {
  QStringList ids;
  for (const QString& parte : lista.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    bool ok = false;
    const qint32 id = parte.trimmed().toInt(&ok);
    if (ok) ids << QString::number(id);
  }
  return ids.join(QLatin1Char(','));
}

void FrmBuscaArbol::LlenarArbol() {
  TreeArbol->setVisible(false);
  TreeArbol->Nodes().Clear();
  filas_.clear();
  marcas_.clear();
  posDeId_.clear();
  rs_ = LeerFilas();
  if (rs_) {
    if (lArbolMaterias_) AsignarPadresMaterias(*rs_);
    CachearFilas(*rs_);
    if (lMultiSeleccion_ && !cListaIds_.isEmpty()) MarcarAntecesoresPreseleccion();
    AnadirNodos();
  }
  SeleccionarInicial();
  TreeArbol->setVisible(true);
}

RecordsetPtr FrmBuscaArbol::LeerFilas() {
  if (lArbolOpcionesMenu_) return FilasOpcionesMenu();
  const QString sql = lArbolMaterias_ ? ConsultaMaterias() : ConsultaArbol();
  return recordsetOf(oCn_->ExecuteSQL(sql, 7));
}

QString FrmBuscaArbol::ConsultaArbol() const {
  const QString marca = cListaIds_.isEmpty() ? QStringLiteral("0")
                                             : QStringLiteral("(CASE WHEN ZolmarID IN(") + cListaIds_ +
                                                   QStringLiteral(") THEN 1 ELSE 0 END)");
  return QStringLiteral("SELECT zolmarID, nombre, id_padre, CriterioHijos, Clave, ") + marca +
         QStringLiteral(" as Activo") + QStringLiteral(" FROM Arboles") + QStringLiteral(" WHERE tipo = ") +
         QString::number(nTipoArbol_) + QStringLiteral(" AND (Activo & ") + QStringLiteral("2") +
         QStringLiteral(")=0") + QStringLiteral(" ORDER BY clave");
}

// Codes that start with a digit (places, periods) sort after the subjects.
QString FrmBuscaArbol::ConsultaMaterias() const {
  return QStringLiteral(
             "SELECT ZolmarID, Codigo + ' - ' + Nombre AS Nombre, 0 AS ID_Padre, '' AS CriterioHijos, Codigo "
             "AS "
             "Clave,") +
         QStringLiteral(
             " (CASE WHEN ISNUMERIC(LEFT(Codigo,1))=1 THEN 'zzzzz' + Codigo ELSE Codigo END) AS Orden") +
         QStringLiteral(" FROM ZolmarInstalacion..IBIC") + QStringLiteral(" WHERE Codigo<>'$version$'") +
         QStringLiteral(" ORDER BY Orden");
}

// The parent of a subject is the subject whose code is the longest proper
// prefix of its own; one hash look-up per shortened code.
void FrmBuscaArbol::AsignarPadresMaterias(IRecordset& rs) {
  QHash<QString, qint32> idDeCodigo;
  for (qint32 p = 1; p <= rs.RecordCount(); ++p) {
    rs.SetPosition(p);
    idDeCodigo.insert(rtrim(rs.Field(kClave).toString()), rs.Field(kId).toInt());
  }
  for (qint32 p = 1; p <= rs.RecordCount(); ++p) {
    rs.SetPosition(p);
    const QString codigo = rtrim(rs.Field(kClave).toString());
    for (qsizetype n = codigo.size() - 1; n > 0; --n) {
      const auto it = idDeCodigo.constFind(codigo.left(n));
      if (it == idDeCodigo.constEnd()) continue;
      rs.SetField(kPadre, *it);
      break;
    }
  }
}

// Menu options come from the host's menu grid (IAppGlobal::GetMenuGrid):
// column 1 is the caption ("-" a separator), column 2 the level (1 for a
// menu of the bar, 2 for its entries, ...). A row's id is its grid row times
// 100000; its key is its parent's key followed by its grid row zero-filled to
// six digits, so key order is menu order; its path is the captions from the
// bar down to itself joined with ":" and ended with ": ", as in the menu
// list of cTAZ_Arboles. Separators and "Salir" are not offered.
RecordsetPtr FrmBuscaArbol::FilasOpcionesMenu() const {
  const std::shared_ptr<IListObject> menu = oAppGlobal_->GetMenuGrid();
  if (!menu || !oGlobales_) return nullptr;
  using Campo = RecordsetField;
  // Built in memory, not selected: a statement of one term per option would
  // outgrow what the database accepts in a large menu.
  const RecordsetPtr rs = oGlobales_->CreateRecordset({{QStringLiteral("ZolmarID"), Campo::Integer, 0},
                                                       {QStringLiteral("Nombre"), Campo::Text, 200},
                                                       {QStringLiteral("ID_Padre"), Campo::Integer, 0},
                                                       {QStringLiteral("CriterioHijos"), Campo::Text, 1},
                                                       {QStringLiteral("Clave"), Campo::Text, 20},
                                                       {QStringLiteral("RutaPadre"), Campo::Text, 200},
                                                       {kActivo, Campo::Integer, 0}});
  if (!rs) return nullptr;
  struct Nivel {
    qint32 id;
    QString clave;
    QString ruta;
  };
  QVector<Nivel> pila;  // the open ancestors, one per level
  QSet<qint32> preseleccion;
  for (const QString& id : cListaIds_.split(QLatin1Char(','), Qt::SkipEmptyParts))
    preseleccion.insert(id.toInt());
  for (qint32 fila = 1; fila <= menu->RowCount(); ++fila) {
    const QString titulo = tituloMenu(menu->Cell(kColumnaTitulo, fila));
    const qint32 nivel = qMax(1, menu->Cell(kColumnaNivel, fila).toInt());
    if (titulo.isEmpty() || titulo == QLatin1String("-") || titulo == QLatin1String("Salir")) continue;
    while (pila.size() >= nivel) pila.removeLast();
    const Nivel* padre = pila.isEmpty() ? nullptr : &pila.last();
    const Nivel propio{
        fila * kEscalaIdMenu,
        (padre ? padre->clave : QString()) + QString::number(fila).rightJustified(6, QLatin1Char('0')),
        (padre ? padre->ruta + QLatin1Char(':') : QString()) + titulo};
    rs->AddRow({propio.id, titulo, padre ? padre->id : 0, QString(), propio.clave,
                propio.ruta + QStringLiteral(": "), preseleccion.contains(propio.id) ? 1 : 0});
    pila.append(propio);
  }
  rs->Sort(kClave);
  rs->SetPosition(0);
  return rs;
}

void FrmBuscaArbol::CachearFilas(IRecordset& rs) {
  const qint32 n = rs.RecordCount();
  const bool conMarca = tieneCampo(rs, kActivo);
  QSet<qint32> preseleccion;
  if (!conMarca)
    for (const QString& id : cListaIds_.split(QLatin1Char(','), Qt::SkipEmptyParts))
      preseleccion.insert(id.toInt());
  filas_.resize(n);
  marcas_.resize(n);
  posDeId_.reserve(n);
  for (qint32 i = 0; i < n; ++i) {
    rs.SetPosition(i + 1);
    Fila& f = filas_[i];
    f.id = rs.Field(kId).toInt();
    f.idPadre = rs.Field(kPadre).toInt();
    f.clave = rtrim(rs.Field(kClave).toString());
    marcas_[i] = conMarca ? (rs.Field(kActivo).toInt() == 1) : preseleccion.contains(f.id);
    posDeId_.insert(f.id, i);
  }
}

// Every ancestor of a preselected row is checked. Each row is climbed from
// at most once: the walk stops at an ancestor already climbed from.
void FrmBuscaArbol::MarcarAntecesoresPreseleccion() {
  QVector<quint8> subido(filas_.size(), 0);
  for (qint32 i = qint32(filas_.size()) - 1; i >= 0; --i) {
    if (!marcas_[i] || subido[i]) continue;
    for (qint32 p = i; p >= 0 && !subido[p]; p = posDeId_.value(filas_[p].idPadre, -1)) {
      subido[p] = 1;
      marcas_[p] = 1;
    }
  }
}

// A row whose parent is not shown (a branch under a BORRADO node) is not
// offered either.
void FrmBuscaArbol::AnadirNodos() {
  zolmar::TreeNodes& nodos = TreeArbol->Nodes();
  for (qint32 i = 0; i < filas_.size(); ++i) {
    Fila& f = filas_[i];
    rs_->SetPosition(i + 1);
    QString texto = rtrim(rs_->Field(kNombre).toString());
    if (f.idPadre == 0) {
      const QString criterio = rs_->Field(kCriterio).toString();
      if (!criterio.trimmed().isEmpty()) texto += QStringLiteral(" - (") + criterio + QLatin1Char(')');
      f.nodo = nodos.tryAdd(QString(), zolmar::TreeNodes::tvwLast, ClaveDeId(f.id), texto);
    } else {
      f.nodo = nodos.tryAdd(ClaveDeId(f.idPadre), zolmar::TreeNodes::tvwChild, ClaveDeId(f.id), texto);
    }
    if (!f.nodo || !lMultiSeleccion_) continue;
    if (marcas_[i]) {
      f.nodo.setChecked(true);
      ExpandirAntecesores(f.nodo);
    }
  }
}

// Without a node for the current id (a BORRADO node, an id of another
// tree) nothing is selected and accepting returns 0.
void FrmBuscaArbol::SeleccionarInicial() {
  zolmar::TreeNode nodo;
  if (nIdSeleccionado_ > 0)
    nodo = TreeArbol->Node(ClaveDeId(nIdSeleccionado_));
  else if (!filas_.isEmpty())
    nodo = filas_.first().nodo;
  if (!nodo) {
    nIdSeleccionado_ = 0;
    return;
  }
  TreeArbol->setSelectedItem(nodo);
  nodo.EnsureVisible();
  nIdSeleccionado_ = IdDeClave(nodo.Key());
  Resaltar(nIdSeleccionado_, true);
}

void FrmBuscaArbol::ExpandirAntecesores(const zolmar::TreeNode& node) {
  for (zolmar::TreeNode p = node.Parent(); p; p = p.Parent())
    if (!p.Expanded()) p.setExpanded(true);
}

QString FrmBuscaArbol::PrefijoDescendientes(const QString& clave) const {
  if (lArbolMaterias_ || lArbolOpcionesMenu_) return clave;
  return ClaveArbol::Prefijo(clave);
}

}  // namespace arboles
