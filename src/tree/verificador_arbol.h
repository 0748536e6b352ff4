#pragma once
// Checks one tree against the invariants of its keys, parent links and paths,
// reading it once (linear in the number of nodes).

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

namespace arboles {

class IGlobales;

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
    qint32 id = 0;
    qint32 idPadre = 0;
    QString clave;
    QString nombre;
    QString ruta;
    qint32 nivel = -1;  // depth through parent links; -1 unknown, -2 on a cycle or a broken chain
    bool enCiclo = false;
    bool rutaAlDia = false;  // RutaPadre is what the parent links give
  };

  void Leer();
  void CalcularNiveles();
  void SeguirCadena(qint32 inicio);
  void CalcularRutas();
  QString RutaEsperada(const Nodo& n) const;
  void IndexarHermanos();
  void VerificarPadre(const Nodo& n);
  void VerificarClave(const Nodo& n);
  void VerificarHermano(const Nodo& n);
  void VerificarRuta(const Nodo& n);
  void Anotar(const Nodo& n, const QString& texto, bool aviso = false);

  std::shared_ptr<IGlobales> oGlobales_;
  qint32 nTipoArbol_;
  QVector<Nodo> nodos_;
  QHash<qint32, qint32> indice_;           // id -> position in nodos_
  QHash<quint64, qint32> hermanos_;        // key (as a number) -> first node holding it
  QHash<qint32, QString> rutasEsperadas_;  // only of the nodes whose path is stale
  QVector<Problema> problemas_;
};

}  // namespace arboles
