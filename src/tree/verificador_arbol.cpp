#include "tree/verificador_arbol.h"

#include <algorithm>
#include <vector>

#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_row_view.h"
#include "tree/clave_arbol.h"
#include "tree/clave_compacta.h"
#include "tree/comparador_ruta.h"

namespace arboles {

namespace {

constexpr qint32 kDesconocido = -1;
constexpr qint32 kInalcanzable = -2;  // on a cycle, or below a missing or foreign parent
constexpr qint32 kVisitando = -3;

}  // namespace

VerificadorArbol::VerificadorArbol(std::shared_ptr<IGlobales> oGlobales, qint32 nTipoArbol)
    : oGlobales_(std::move(oGlobales)), nTipoArbol_(nTipoArbol) {}

QVector<VerificadorArbol::Problema> VerificadorArbol::Verificar() {
  textos_.Vaciar();
  ultimaRuta_ = {};
  nodos_.clear();
  indice_.Vaciar();
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
  const bool leido = oGlobales_->GetConnection()->ReadRows(sql, [this](const IRowView& fila) {
    Anadir(fila);
    return true;
  });
  if (!leido) {
    // A read that failed half-way checks nothing, as one that never started.
    textos_.Vaciar();
    nodos_.clear();
  }
  indice_.Construir(nodos_.size(), [this](qint32 i) { return nodos_[i].id; });
}

void VerificadorArbol::Anadir(const IRowView& fila) {
  Nodo n;
  n.id = fila.Int(0);
  const QByteArrayView clave = fila.Utf8(1);
  n.claveValida = ClaveCompacta::Leer(clave, &n.clave);
  if (!n.claveValida) n.claveLeida = textos_.Guardar(clave);
  n.nombre = textos_.Guardar(fila.Utf8(2));
  n.idPadre = fila.Int(3);
  const QByteArrayView ruta = fila.Utf8(4);
  if (n.claveValida) {
    AlmacenUtf8::Texto& ultima = ultimaRuta_[ClaveCompacta::Nivel(n.clave)];
    ultima = textos_.Guardar(ruta, ultima);
    n.ruta = ultima;
  } else {
    n.ruta = textos_.Guardar(ruta);
  }
  nodos_.append(n);
}

// Depth of every node through its parent links, each chain walked once.
void VerificadorArbol::CalcularNiveles() {
  QVector<qint32> cadena;
  for (qint32 i = 0; i < nodos_.size(); ++i)
    if (nodos_[i].nivel == kDesconocido) SeguirCadena(i, cadena);
}

void VerificadorArbol::SeguirCadena(qint32 inicio, QVector<qint32>& cadena) {
  cadena.clear();
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
    const qint32 padre = indice_.Posicion(n.idPadre);
    if (padre == IndiceIds::Ninguna) break;  // missing or foreign parent
    actual = padre;
  }
  // The last node of the chain sits right below the base.
  for (qint32 k = cadena.size() - 1, paso = 1; k >= 0; --k, ++paso)
    nodos_[cadena[k]].nivel = nivelBase < 0 ? kInalcanzable : nivelBase + paso;
}

// Paths in level order, so each parent's is known before its children's. A
// current path is its own expected value; only stale ones keep the text they
// should have, for the report and for their children.
void VerificadorArbol::CalcularRutas() {
  qint32 hondo = 0;
  for (const Nodo& n : nodos_) hondo = std::max(hondo, n.nivel);
  // Counted by level, then placed: read order within a level.
  QVector<qint32> desde(hondo + 2, 0);
  for (const Nodo& n : nodos_)
    if (n.nivel >= 1) ++desde[n.nivel + 1];
  for (qint32 nivel = 1; nivel <= hondo; ++nivel) desde[nivel + 1] += desde[nivel];
  QVector<qint32> orden(desde[hondo + 1]);
  for (qint32 i = 0; i < nodos_.size(); ++i)
    if (nodos_[i].nivel >= 1) orden[desde[nodos_[i].nivel]++] = i;
  for (qint32 i : orden) {
    Nodo& n = nodos_[i];
    if (n.idPadre == 0) {
      n.rutaAlDia = n.ruta.largo == 0;
      if (!n.rutaAlDia) rutasEsperadas_.insert(n.id, QString());
      continue;
    }
    const Nodo& padre = nodos_[indice_.Posicion(n.idPadre)];
    if (padre.rutaAlDia && ComparadorRuta::CoincideUtf8(textos_.Bytes(n.ruta), textos_.Bytes(padre.ruta),
                                                        textos_.Bytes(padre.nombre))) {
      n.rutaAlDia = true;
      continue;
    }
    // Stale, or only the decoded text can tell.
    const QString base = padre.rutaAlDia ? textos_.Cadena(padre.ruta) : rutasEsperadas_.value(padre.id);
    const QString nombre = textos_.Cadena(padre.nombre);
    n.rutaAlDia = ComparadorRuta::Coincide(textos_.Cadena(n.ruta), base, nombre);
    if (!n.rutaAlDia) rutasEsperadas_.insert(n.id, ComparadorRuta::Esperada(base, nombre));
  }
}

QString VerificadorArbol::RutaEsperada(const Nodo& n) const {
  return n.rutaAlDia ? textos_.Cadena(n.ruta) : rutasEsperadas_.value(n.id);
}

// Siblings whose prefixes agree share a segment exactly when they share the
// whole key, so one sort of the keys finds both kinds of repetition.
void VerificadorArbol::IndexarHermanos() {
  std::vector<std::pair<quint64, qint32>> claves;  // key, position
  claves.reserve(nodos_.size());
  for (qint32 i = 0; i < nodos_.size(); ++i) {
    const Nodo& n = nodos_[i];
    if (n.nivel >= 1 && n.nivel <= ClaveArbol::Niveles && n.claveValida) claves.emplace_back(n.clave, i);
  }
  // Read in key order, a sound tree's keys come sorted already.
  if (!std::is_sorted(claves.begin(), claves.end())) std::sort(claves.begin(), claves.end());
  for (size_t k = 1, primero = 0; k < claves.size(); ++k) {
    if (claves[k].first != claves[primero].first)
      primero = k;
    else
      nodos_[claves[k].second].mismaClave = claves[primero].second;
  }
}

void VerificadorArbol::VerificarPadre(const Nodo& n) {
  if (n.enCiclo) {
    Anotar(n, n.idPadre == n.id ? QStringLiteral("es su propio padre")
                                : QStringLiteral("forma parte de un ciclo de padres"));
    return;
  }
  if (n.idPadre == 0 || indice_.Contiene(n.idPadre)) return;
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
  } else if (!n.claveValida) {
    Anotar(n, QStringLiteral("la clave '%1' está mal formada").arg(Clave(n)));
  } else if (ClaveCompacta::Nivel(n.clave) != n.nivel) {
    Anotar(n, QStringLiteral("la clave %1 es de nivel %2 y el nodo está en el nivel %3")
                  .arg(Clave(n), QString::number(ClaveCompacta::Nivel(n.clave)), QString::number(n.nivel)));
  } else if (n.idPadre != 0 && !EmpiezaPorLaDelPadre(n)) {
    Anotar(n, QStringLiteral("la clave %1 no empieza por la de su padre %2")
                  .arg(Clave(n), QString::number(n.idPadre)));
  }
}

// The key of a node on the level it is at extends its parent's used prefix.
bool VerificadorArbol::EmpiezaPorLaDelPadre(const Nodo& n) const {
  const Nodo& padre = nodos_[indice_.Posicion(n.idPadre)];
  if (padre.claveValida) {
    const qint32 nivelPadre = ClaveCompacta::Nivel(padre.clave);
    return nivelPadre == n.nivel - 1 && ClaveCompacta::MismoPrefijo(n.clave, padre.clave, nivelPadre);
  }
  const QString prefijoPadre = ClaveArbol::Prefijo(Clave(padre));
  return Clave(n).startsWith(prefijoPadre) && prefijoPadre.size() == (n.nivel - 1) * 2;
}

void VerificadorArbol::VerificarHermano(const Nodo& n) {
  if (n.mismaClave < 0) return;
  const Nodo& primero = nodos_[n.mismaClave];
  if (primero.idPadre == n.idPadre)
    Anotar(n, QStringLiteral("el segmento %1 se repite con su hermano %2")
                  .arg(ClaveCompacta::Segmento(n.clave, n.nivel), QString::number(primero.id)));
  else
    Anotar(n,
           QStringLiteral("la clave %1 se repite con el nodo %2").arg(Clave(n), QString::number(primero.id)));
}

void VerificadorArbol::VerificarRuta(const Nodo& n) {
  if (n.nivel < 1 || n.rutaAlDia) return;
  Anotar(n,
         QStringLiteral("RutaPadre desactualizada: '%1' en lugar de '%2'")
             .arg(textos_.Cadena(n.ruta), RutaEsperada(n)),
         true);
}

void VerificadorArbol::Anotar(const Nodo& n, const QString& texto, bool aviso) {
  problemas_.append(
      {n.id, QStringLiteral("Nodo %1 (%2): %3").arg(n.id).arg(textos_.Cadena(n.nombre), texto), aviso});
}

QString VerificadorArbol::Clave(const Nodo& n) const {
  return n.claveValida ? ClaveCompacta::Texto(n.clave) : textos_.Cadena(n.claveLeida);
}

}  // namespace arboles
