#pragma once
// Rebuilds the keys of a tree from its parent links alone: siblings numbered
// in ZolmarID order, depth first. The parent links are the trusted data.

#include <QString>
#include <QVector>
#include <memory>

namespace arboles {

class IGlobales;

class ReconstructorClaves {
 public:
  ReconstructorClaves(std::shared_ptr<IGlobales> oGlobales, qint32 nTipoArbol);

  // Rebuilds every descendant of nID_Padre, whose prefix is cClavePadre; the
  // whole tree is ReconstruirClaves(0, ""). A parent whose children cannot be
  // read, or that has more than 255 of them, keeps them as they are. No lock
  // and no transaction: each UPDATE commits on its own.
  void ReconstruirClaves(qint32 nID_Padre, const QString& cClavePadre);

  // The whole repair: hangs from the top level the nodes no parent link joins
  // to it (ReenganchadorArbol), rebuilds every key and, when it hung any, the
  // ancestor paths (theirs and their descendants' changed).
  void Reparar();

  // A node the last Reparar hung from the top level, for the person to check.
  struct NodoReenganchado {
    qint32 id = 0;
    QString nombre;
  };
  const QVector<NodoReenganchado>& Reenganchados() const { return reenganchados_; }
  // "Nº id nombre" of each, one a line with the host's "<BR>"; "" when none.
  QString ListaReenganchados() const;

  // Statements sent by the last runs (reads and writes), for progress reports.
  qint64 Sentencias() const { return sentencias_; }
  // Keys that got another value plus nodes re-attached by the last runs: zero
  // means running again would write the same data.
  qint64 Cambios() const { return cambios_; }

 private:
  std::shared_ptr<IGlobales> oGlobales_;
  qint32 nTipoArbol_;
  qint64 sentencias_ = 0;
  qint64 cambios_ = 0;
  QVector<NodoReenganchado> reenganchados_;
};

}  // namespace arboles
