#pragma once
// Runs random steps on one tree through the module's own windows and classes,
// keeps the in-memory model in step, and compares the two after each step.

#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "host/host_types.h"
#include "modelo_arbol.h"
#include "operacion_arbol.h"

namespace arboles {
class cTAZ_Arboles;
class FrmArboles;
}  // namespace arboles
namespace zolmar {
class Host;
class Connection;
}  // namespace zolmar

class EjecutorArbol {
 public:
  // tipo: the tree the sequence works on (1 customers, 2 suppliers, 3 articles).
  EjecutorArbol(zolmar::Host& host, std::shared_ptr<arboles::cTAZ_Arboles> taz, qint32 tipo = 3);
  ~EjecutorArbol();

  // The starting tree, written straight into the table: node i hangs from
  // the top level or from an earlier node chosen by padres[i]; some leaves
  // get a record of the tree's own table and, in the article tree, some
  // nodes get price lists, commission groups, compound-article components
  // and customers' or suppliers' category assignments.
  void Sembrar(const std::vector<uint32_t>& padres);
  // One step through the module and the model; empty when the module did what
  // the model expected, else what differed. Descripcion() tells what it did.
  QString Aplicar(const OperacionArbol& op);
  // The first disagreement between the database and the model; empty if none.
  QString Comprobar();
  QString Descripcion() const { return descripcion_; }
  qint32 Nodos() const { return modelo_.Tamano(); }

 private:
  QString AnadirNodo(qint32 desde, bool hijo);
  QString Renombrar(qint32 id);
  QString Borrar(uint32_t eleccion, bool usados);
  QString Desmarcar(uint32_t eleccion);
  QString Orden(qint32 id, qint32 boton);
  QString Ordenar();
  QString Mantener(OperacionArbol::Tipo tipo);
  QString Organizar(const OperacionArbol& op);
  QString PrevisionOrganizar(qint32 origen, qint32 destino, bool unir) const;
  void AplicarOrganizar(qint32 origen, qint32 destino, bool unir, bool borrar);
  QString Importar(const OperacionArbol& op);

  void Sembrar(const QString& tabla, qint32 nodo, qint32 quien = 0);
  // Children that all carry the mark are no use of their parent: a deletion
  // (or a merge) deletes it and leaves them without it until a repair hangs
  // them at the top. The editor's own tests cover that; the sequences keep out of it.
  bool SoloHijosMarcados(qint32 id) const;
  // Whether the deletion finds the node in use (and marks it instead).
  bool EnUso(qint32 id) const;
  QString TablaPrincipal() const;
  std::unique_ptr<arboles::FrmArboles> AbrirEditor();
  QString NombreNuevo();
  qint32 Elegir(uint32_t eleccion, const QVector<qint32>& candidatos) const;
  QString Nodo(qint32 id) const;
  QMap<qint32, QString> ClavesActuales() const;
  // Read in the engine's own SQL, past the module's translator, so that the
  // module does not judge its own work.
  arboles::SqlArray Leer(const QString& sql, const QVariantList& valores = {}) const;
  qint64 Numero(const QString& sql) const;  // -1 without a row
  QString ComprobarClaves(const QMap<qint32, QString>& claves) const;
  QString ComprobarReferencias() const;

  zolmar::Host& host_;
  std::shared_ptr<zolmar::Connection> cn_;
  std::shared_ptr<arboles::cTAZ_Arboles> taz_;
  ModeloArbol modelo_;
  QString descripcion_;
  qint32 contador_ = 0;
  const qint32 tipo_;
};
