#include "tree/verificador_arbol.h"

#include <algorithm>

#include "host/host_types.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_recordset.h"
#include "tree/clave_arbol.h"

namespace arboles {

namespace {

constexpr qint32 kDesconocido = -1;
constexpr qint32 kInalcanzable = -2;  // on a cycle, or below a missing or foreign parent
constexpr qint32 kVisitando = -3;
constexpr qint32 kLargoRuta = 150;

}  // namespace

VerificadorArbol::VerificadorArbol(std::shared_ptr<IGlobales> oGlobales, qint32 nTipoArbol)
    : oGlobales_(std::move(oGlobales)), nTipoArbol_(nTipoArbol) {}

QVector<VerificadorArbol::Problema> VerificadorArbol::Verificar() {
  nodos_.clear();
  indice_.clear();
  hermanos_.clear();
  rutasEsperadas_.clear();
  problemas_.clear();
  Leer();
  CalcularNiveles();
  CalcularRutas();
  IndexarHermanos();
  for (const Nodo& n : nodos_) {
    VerificarPadre(n);
    VerificarClave(n);
    VerificarHermano(n);
    VerificarRuta(n);
  }
  return problemas_;
}

void VerificadorArbol::Leer() {
  const QString sql =
      QStringLiteral("SELECT ZolmarID, Clave, Nombre, ID_Padre, RutaPadre FROM Arboles WHERE Tipo=") +
      QString::number(nTipoArbol_) + QStringLiteral(" ORDER BY Clave, ZolmarID");
  const auto rs = recordsetOf(oGlobales_->GetConnection()->ExecuteSQL(sql, 5, QVariant()));
  if (!rs) return;
  nodos_.reserve(rs->RecordCount());
  while (rs->Read()) {
    Nodo n;
    n.id = rs->Field(QStringLiteral("ZolmarID")).toInt();
    n.idPadre = rs->Field(QStringLiteral("ID_Padre")).toInt();
    n.clave = rs->Field(QStringLiteral("Clave")).toString();
    n.nombre = rs->Field(QStringLiteral("Nombre")).toString();
    n.ruta = rs->Field(QStringLiteral("RutaPadre")).toString();
    indice_.insert(n.id, nodos_.size());
    nodos_.append(n);
  }
}

// Depth of every node through its parent links, each chain walked once.
void VerificadorArbol::CalcularNiveles() {
  for (qint32 i = 0; i < nodos_.size(); ++i)
    if (nodos_[i].nivel == kDesconocido) SeguirCadena(i);
}

void VerificadorArbol::SeguirCadena(qint32 inicio) {
  QVector<qint32> cadena;
  qint32 actual = inicio;
  qint32 nivelBase = kInalcanzable;
  for (;;) {
    Nodo& n = nodos_[actual];
    if (n.nivel == kVisitando) {  // closed a cycle: from here to the end of the chain
      for (qint32 k = cadena.indexOf(actual); k < cadena.size(); ++k) nodos_[cadena[k]].enCiclo = true;
      break;
    }
    if (n.nivel != kDesconocido) {
      nivelBase = n.nivel;
      break;
    }
    n.nivel = kVisitando;
    cadena.append(actual);
    if (n.idPadre == 0) {
      nivelBase = 0;
      break;
    }
    const auto padre = indice_.constFind(n.idPadre);
    if (padre == indice_.cend()) break;  // missing or foreign parent
    actual = *padre;
  }
  // The last node of the chain sits right below the base.
  for (qint32 k = cadena.size() - 1, paso = 1; k >= 0; --k, ++paso)
    nodos_[cadena[k]].nivel = nivelBase < 0 ? kInalcanzable : nivelBase + paso;
}

namespace {

// Whether ruta is (base + nombre + ":") cut to the path's width, without building it.
bool RutaCoincide(const QString& ruta, const QString& base, const QString& nombre) {
  const qsizetype largo = std::min<qsizetype>(kLargoRuta, base.size() + nombre.size() + 1);
  if (ruta.size() != largo) return false;
  const qsizetype deBase = std::min(largo, base.size());
  if (QStringView(ruta).left(deBase) != QStringView(base).left(deBase)) return false;
  const qsizetype deNombre = std::min(largo - deBase, nombre.size());
  if (QStringView(ruta).mid(deBase, deNombre) != QStringView(nombre).left(deNombre)) return false;
  return deBase + deNombre == largo || ruta.at(largo - 1) == QLatin1Char(':');
}

}  // namespace

// Paths in level order, so each parent's is known before its children's. A
// current path is its own expected value; only stale ones keep the text they
// should have, for the report and for their children.
void VerificadorArbol::CalcularRutas() {
  QVector<qint32> orden;
  for (qint32 i = 0; i < nodos_.size(); ++i)
    if (nodos_[i].nivel >= 1) orden.append(i);
  std::stable_sort(orden.begin(), orden.end(),
                   [this](qint32 a, qint32 b) { return nodos_[a].nivel < nodos_[b].nivel; });
  for (qint32 i : orden) {
    Nodo& n = nodos_[i];
    if (n.idPadre == 0) {
      n.rutaAlDia = n.ruta.isEmpty();
      if (!n.rutaAlDia) rutasEsperadas_.insert(n.id, QString());
      continue;
    }
    const Nodo& padre = nodos_[indice_.value(n.idPadre)];
    const QString base = padre.rutaAlDia ? padre.ruta : rutasEsperadas_.value(padre.id);
    n.rutaAlDia = RutaCoincide(n.ruta, base, padre.nombre);
    if (!n.rutaAlDia) rutasEsperadas_.insert(n.id, (base + padre.nombre + QLatin1Char(':')).left(kLargoRuta));
  }
}

QString VerificadorArbol::RutaEsperada(const Nodo& n) const {
  return n.rutaAlDia ? n.ruta : rutasEsperadas_.value(n.id);
}

// Siblings whose prefixes agree share a segment exactly when they share the
// whole key, so one index of keys finds both kinds of repetition.
void VerificadorArbol::IndexarHermanos() {
  for (const Nodo& n : nodos_) {
    if (n.nivel < 1 || n.nivel > ClaveArbol::Niveles || !ClaveArbol::EsValida(n.clave)) continue;
    const quint64 clave = n.clave.toULongLong(nullptr, 16);
    if (!hermanos_.contains(clave)) hermanos_.insert(clave, n.id);
  }
}

void VerificadorArbol::VerificarPadre(const Nodo& n) {
  if (n.enCiclo) {
    Anotar(n, n.idPadre == n.id ? QStringLiteral("es su propio padre")
                                : QStringLiteral("forma parte de un ciclo de padres"));
    return;
  }
  if (n.idPadre == 0 || indice_.contains(n.idPadre)) return;
  const QVariant tipo = oGlobales_->GetConnection()->ExecuteSQL(
      QStringLiteral("SELECT Tipo FROM Arboles WHERE ZolmarID=") + QString::number(n.idPadre), 2, QVariant());
  if (tipo.isNull())
    Anotar(n, QStringLiteral("su padre %1 no existe").arg(n.idPadre));
  else
    Anotar(n, QStringLiteral("su padre %1 es del tipo %2").arg(n.idPadre).arg(tipo.toInt()));
}

void VerificadorArbol::VerificarClave(const Nodo& n) {
  if (n.nivel < 1) return;
  if (n.nivel > ClaveArbol::Niveles) {
    Anotar(n, QStringLiteral("está en el nivel %1, más allá de los 8 que admite la clave").arg(n.nivel));
  } else if (!ClaveArbol::EsValida(n.clave)) {
    Anotar(n, QStringLiteral("la clave '%1' está mal formada").arg(n.clave));
  } else if (ClaveArbol::ObtenerNivel(n.clave) != n.nivel) {
    Anotar(n,
           QStringLiteral("la clave %1 es de nivel %2 y el nodo está en el nivel %3")
               .arg(n.clave, QString::number(ClaveArbol::ObtenerNivel(n.clave)), QString::number(n.nivel)));
  } else if (n.idPadre != 0) {
    const QString prefijoPadre = ClaveArbol::Prefijo(nodos_[indice_.value(n.idPadre)].clave);
    if (!n.clave.startsWith(prefijoPadre) || prefijoPadre.size() != (n.nivel - 1) * 2)
      Anotar(n, QStringLiteral("la clave %1 no empieza por la de su padre %2")
                    .arg(n.clave, QString::number(n.idPadre)));
  }
}

void VerificadorArbol::VerificarHermano(const Nodo& n) {
  if (n.nivel < 1 || n.nivel > ClaveArbol::Niveles || !ClaveArbol::EsValida(n.clave)) return;
  const qint32 primero = hermanos_.value(n.clave.toULongLong(nullptr, 16), n.id);
  if (primero == n.id) return;
  if (nodos_[indice_.value(primero)].idPadre == n.idPadre)
    Anotar(n, QStringLiteral("el segmento %1 se repite con su hermano %2")
                  .arg(ClaveArbol::Segmento(n.clave, n.nivel), QString::number(primero)));
  else
    Anotar(n, QStringLiteral("la clave %1 se repite con el nodo %2").arg(n.clave, QString::number(primero)));
}

void VerificadorArbol::VerificarRuta(const Nodo& n) {
  if (n.nivel < 1 || n.rutaAlDia) return;
  Anotar(n, QStringLiteral("RutaPadre desactualizada: '%1' en lugar de '%2'").arg(n.ruta, RutaEsperada(n)),
         true);
}

void VerificadorArbol::Anotar(const Nodo& n, const QString& texto, bool aviso) {
  problemas_.append({n.id, QStringLiteral("Nodo %1 (%2): %3").arg(n.id).arg(n.nombre, texto), aviso});
}

}  // namespace arboles
