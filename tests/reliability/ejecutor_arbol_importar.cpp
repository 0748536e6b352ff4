// EjecutorArbol: a tree document imported through the host's exchange
// framework and the module's handler. Branches named like existing nodes are
// reused, the rest created at the end of their parent's children.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include "ejecutor_arbol.h"
#include "import/imp_exp.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/exchange/exchange_document.h"
#include "zolmar/exchange/exchange_import.h"
#include "zolmar/host.h"

namespace {

struct Rama {
  qint32 id = 0;
  qint32 padre = 0;  // the branch's parent in the document, 0 for the top level
  QString nombre;
};

QByteArray Documento(const QVector<Rama>& ramas, qint32 tipo) {
  QJsonArray contenido;
  for (qsizetype i = 0; i < ramas.size(); ++i)
    contenido.append(QJsonObject{{"zolmarID", qint32(i + 1)},
                                 {"ID_RamaOriginal", ramas[i].id},
                                 {"ID_RamaPadreOriginal", ramas[i].padre},
                                 {"Nombre", ramas[i].nombre}});
  return QJsonDocument(QJsonObject{{"TipoDocumento", 9}, {"TipoArbol", tipo}, {"Contenido", contenido}})
      .toJson();
}

// The branches in the order the import walks them: each one's children
// after it, in the order they come in the document.
QVector<Rama> EnProfundidad(const QVector<Rama>& ramas, qint32 padre = 0) {
  QVector<Rama> orden;
  for (const Rama& r : ramas)
    if (r.padre == padre) orden << r << EnProfundidad(ramas, r.id);
  return orden;
}

}  // namespace

QString EjecutorArbol::Importar(const OperacionArbol& op) {
  // Up to five branches, parents first. Most carry the name of a node in
  // their parent's branch (in capitals now and then), so that the search by
  // name is put to work; names never repeat in the tree, so it has one
  // answer. A branch is that node (its parent's own included, anywhere for
  // the top level) or, negative here, a new one.
  QRandomGenerator azar(op.nodo ^ (static_cast<quint64>(op.destino) << 32));
  QVector<Rama> ramas;
  QMap<qint32, qint32> nodoDe{{0, 0}};
  const qint32 cuantas = 1 + static_cast<qint32>(azar.bounded(5u));
  for (qint32 i = 1; i <= cuantas; ++i) {
    Rama r{
        i, i == 1 || azar.bounded(3u) == 0 ? 0 : static_cast<qint32>(azar.bounded(quint32(i - 1))) + 1, {}};
    const qint32 padre = nodoDe.value(r.padre);
    QVector<qint32> enRama;
    for (qint32 id : modelo_.Nodos())
      if (padre >= 0 && modelo_.EnRama(id, padre)) enRama << id;
    if (enRama.isEmpty() || azar.bounded(3u) == 0) {
      r.nombre = NombreNuevo();
    } else {
      r.nombre = modelo_.Nombre(enRama[static_cast<qsizetype>(azar.bounded(quint32(enRama.size())))]);
      if (azar.bounded(2u)) r.nombre = r.nombre.toUpper();
    }
    const qint32 existente = padre >= 0 ? modelo_.BuscarEnRama(r.nombre, padre) : 0;
    nodoDe[i] = existente ? existente : -i;
    ramas << r;
  }
  QStringList texto;
  for (const Rama& r : ramas) texto << QStringLiteral("%1 '%2' bajo %3").arg(r.id).arg(r.nombre).arg(r.padre);
  descripcion_ += QStringLiteral(" [%1]").arg(texto.join(QStringLiteral(", ")));

  // New branches go last among their parent's children, in the order the
  // import meets them; one that does not fit fails the whole document.
  ModeloArbol previsto = modelo_;
  QVector<Rama> nuevas;
  bool cabe = true;
  for (const Rama& r : EnProfundidad(ramas)) {
    if (nodoDe.value(r.id) > 0) continue;
    const qint32 padre = nodoDe.value(r.padre);
    if (previsto.Nivel(padre) >= 8 || previsto.Hijos(padre).size() >= 255) cabe = false;
    previsto.Anadir(-r.id, padre, r.nombre);
    nuevas << r;
  }

  auto handler = std::make_shared<arboles::cImp_Exp>();
  handler->Configure(taz_);
  zolmar::ExchangeDocument documento;
  if (!documento.parse(Documento(ramas, tipo_), QStringLiteral("secuencia.json")))
    return QStringLiteral("documento rechazado: ") + documento.error();
  const auto r = zolmar::ExchangeImport(host_.appGlobal(), handler).importDocument(documento);
  if ((r.result == 0) != cabe)
    return cabe ? QStringLiteral("importación fallida: ") + r.status : QStringLiteral("importado sin caber");
  if (!cabe) return {};
  if (r.created != nuevas.size())
    return QStringLiteral("%1 ramas creadas, se esperaban %2").arg(r.created).arg(nuevas.size());

  // The new rows, found by parent and name.
  QMap<qint32, qint32> real;
  for (const Rama& rama : nuevas) {
    const qint32 previo = nodoDe.value(rama.padre);
    const qint32 padre = previo < 0 ? real.value(previo) : previo;
    const arboles::SqlArray filas =
        Leer(QStringLiteral("SELECT ZolmarID FROM Arboles WHERE Tipo=?1 AND id_padre=?2 AND Nombre=?3"),
             {tipo_, padre, rama.nombre});
    const qint32 id = filas.rows ? filas.at(0, 0).toInt() : 0;
    if (id == 0) return QStringLiteral("la rama '%1' no está bajo %2").arg(rama.nombre, Nodo(padre));
    real[-rama.id] = id;
    modelo_.Anadir(id, padre, rama.nombre);
  }
  return {};
}
