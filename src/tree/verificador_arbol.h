#pragma once
// Checks one tree against the invariants of its keys, parent links and paths,
// reading it once (linear in the number of nodes). A node takes a few
// numbers; its texts wait as UTF-8 in one buffer until a message needs them.

#include <QHash>
#include <QString>
#include <QVector>
#include <array>
#include <memory>

#include "tree/almacen_utf8.h"
#include "tree/clave_arbol.h"
#include "tree/indice_ids.h"

namespace arboles {

class IGlobales;
class IRowView;

class VerificadorArbol {
 public:
  struct Problema {
    qint32 id = 0;
    QString texto;
    // A stale path is derived data waiting to be rebuilt, not damage.
    bool aviso = false;
  };

  VerificadorArbol(std::shared_ptr<IGlobales> oGlobales, qint32 nTipoArbol);

  // Every problem found, one per node and kind, in key order; empty when sound
  // and every path current.
  QVector<Problema> Verificar();
  qint32 Nodos() const { return nodos_.size(); }

 private:
  struct Nodo {
    quint64 clave = 0;              // the key as a number, when well formed
    AlmacenUtf8::Texto claveLeida;  // the key as read, kept only when malformed
    AlmacenUtf8::Texto nombre;
    AlmacenUtf8::Texto ruta;
    qint32 id = 0;
    qint32 idPadre = 0;
    qint32 nivel = -1;       // depth through parent links; -1 unknown, -2 on a cycle or a broken chain
    qint32 mismaClave = -1;  // position of the first node holding the same key, when another one
    bool claveValida = false;
    bool enCiclo = false;
    bool rutaAlDia = false;  // RutaPadre is what the parent links give
  };

  void Leer();
  void Anadir(const IRowView& fila);
  void CalcularNiveles();
  void SeguirCadena(qint32 inicio, QVector<qint32>& cadena);
  void CalcularRutas();
  QString RutaEsperada(const Nodo& n) const;
  void IndexarHermanos();
  void VerificarPadre(const Nodo& n);
  void VerificarClave(const Nodo& n);
  bool EmpiezaPorLaDelPadre(const Nodo& n) const;
  void VerificarHermano(const Nodo& n);
  void VerificarRuta(const Nodo& n);
  void Anotar(const Nodo& n, const QString& texto, bool aviso = false);
  QString Clave(const Nodo& n) const;

  std::shared_ptr<IGlobales> oGlobales_;
  qint32 nTipoArbol_;
  AlmacenUtf8 textos_;
  // Siblings share their path, and in key order only the first one's
  // descendants come between two of them: the path last kept for a key of
  // each level is the one the next node of that level most likely repeats.
  std::array<AlmacenUtf8::Texto, ClaveArbol::Niveles + 1> ultimaRuta_{};
  QVector<Nodo> nodos_;
  IndiceIds indice_;                       // id -> position in nodos_
  QHash<qint32, QString> rutasEsperadas_;  // only of the nodes whose path is stale
  QVector<Problema> problemas_;
};

}  // namespace arboles
