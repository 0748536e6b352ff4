#include "modelo_arbol.h"

#include <QSet>
#include <algorithm>

namespace {

const QString kAsignaciones = QStringLiteral("Categorias");

}  // namespace

QString ModeloArbol::Columna(const QString& tabla) {
  if (tabla == QLatin1String("Articulos")) return QStringLiteral("ID_Categoria1");
  if (tabla == QLatin1String("Clientes") || tabla == QLatin1String("Proveedores"))
    return QStringLiteral("ID_Grupo");
  if (tabla == kAsignaciones) return QStringLiteral("id_categoria");
  return QStringLiteral("ID_Categoria");
}

void ModeloArbol::Anadir(qint32 id, qint32 padre, const QString& nombre) {
  nodos_.insert(id, {padre, nombre, false});
  hijos_[padre].append(id);
}

void ModeloArbol::Quitar(qint32 id) {
  hijos_[Padre(id)].removeAll(id);
  nodos_.remove(id);
  for (auto it = referencias_.begin(); it != referencias_.end();)
    it = it.key().first == kAsignaciones && it->nodo == id ? referencias_.erase(it) : std::next(it);
}

void ModeloArbol::Colgar(qint32 id, qint32 padre, qint32 posicion) {
  hijos_[Padre(id)].removeAll(id);
  nodos_[id].padre = padre;
  auto& hermanos = hijos_[padre];
  hermanos.insert(std::clamp<qint32>(posicion, 0, hermanos.size()), id);
}

void ModeloArbol::Intercambiar(qint32 id, qint32 desplazamiento) {
  auto& hermanos = hijos_[Padre(id)];
  const qint32 i = hermanos.indexOf(id);
  const qint32 j = i + desplazamiento;
  if (j >= 0 && j < hermanos.size()) std::swap(hermanos[i], hermanos[j]);
}

void ModeloArbol::OrdenarPorNombre() {
  for (auto& hermanos : hijos_)
    std::sort(hermanos.begin(), hermanos.end(), [this](qint32 a, qint32 b) {
      return QString::compare(Nombre(a), Nombre(b), Qt::CaseInsensitive) < 0;
    });
}

void ModeloArbol::OrdenarPorId() {
  for (auto& hermanos : hijos_) std::sort(hermanos.begin(), hermanos.end());
}

void ModeloArbol::Referenciar(const QString& tabla, qint32 fila, qint32 nodo, qint32 quien) {
  referencias_.insert({tabla, fila}, {nodo, quien});
}

void ModeloArbol::Reapuntar(qint32 desde, qint32 hasta) {
  QSet<qint32> yaAsignados;
  for (auto it = referencias_.begin(); it != referencias_.end(); ++it)
    if (it->nodo == hasta && it.key().first == kAsignaciones) yaAsignados.insert(it->quien);
  for (auto it = referencias_.begin(); it != referencias_.end();) {
    const bool asignacion = it.key().first == kAsignaciones;
    if (it->nodo == desde && asignacion && (hasta == 0 || yaAsignados.contains(it->quien))) {
      it = referencias_.erase(it);
      continue;
    }
    if (it->nodo == desde) it->nodo = hasta;
    ++it;
  }
}

const QVector<qint32>& ModeloArbol::Hijos(qint32 padre) const {
  static const QVector<qint32> ninguno;
  const auto it = hijos_.find(padre);
  return it == hijos_.end() ? ninguno : *it;
}

qint32 ModeloArbol::Nivel(qint32 id) const {
  qint32 nivel = 0;
  for (qint32 n = id; n != 0; n = Padre(n)) ++nivel;
  return nivel;
}

qint32 ModeloArbol::Altura(qint32 id) const {
  qint32 mayor = 0;
  for (qint32 h : Hijos(id)) mayor = std::max(mayor, Altura(h));
  return mayor + 1;
}

bool ModeloArbol::EnRama(qint32 id, qint32 raiz) const {
  for (qint32 n = id; n != 0; n = Padre(n))
    if (n == raiz) return true;
  return raiz == 0;
}

QString ModeloArbol::Ruta(qint32 id) const {
  QString ruta;
  for (qint32 n = Padre(id); n != 0; n = Padre(n)) ruta.prepend(Nombre(n) + QLatin1Char(':'));
  return ruta.left(150);
}

qint32 ModeloArbol::Referencias(qint32 nodo, const QStringList& tablas) const {
  qint32 n = 0;
  for (auto it = referencias_.begin(); it != referencias_.end(); ++it)
    n += it->nodo == nodo && tablas.contains(it.key().first);
  return n;
}

qint32 ModeloArbol::BuscarEnRama(const QString& nombre, qint32 raiz) const {
  for (auto it = nodos_.begin(); it != nodos_.end(); ++it)
    if (it->nombre.compare(nombre, Qt::CaseInsensitive) == 0 && EnRama(it.key(), raiz)) return it.key();
  return 0;
}
