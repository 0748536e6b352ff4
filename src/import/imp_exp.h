#pragma once
// cImp_Exp: the module's handler of tree documents in the host's import
// framework. Data_Imp merges a document's branches into Arboles: a branch
// that already exists by name below its parent is reused, any other is
// created with the key after the greatest one in use. The exact import
// (lExacta) reproduces the document instead: it reuses only a child of the
// same name of the branch's own parent.

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

#include "host/i_imp_exp.h"

namespace arboles {

class cTAZ_Arboles;
class IAppGlobal;
class IConnection;
class IGlobales;
class IInsertBuilder;
class IListObject;
class IRecordset;

class cImp_Exp : public IImpExp {
 public:
  std::shared_ptr<cTAZ_Arboles> oTAZ_Arboles;
  std::shared_ptr<IAppGlobal> oAppGlobal;
  std::shared_ptr<IGlobales> oGlobales;
  std::shared_ptr<IConnection> oCn;
  // False, the framework's rule: a node of the branch's name found anywhere
  // below its parent (or the parent itself) is reused. True: only a child of
  // that name of the parent, each for one branch of the document.
  bool lExacta = false;

  // A branch of the last import reused away from its own level: its path in
  // the document and the path of the node it joined ("Bebidas/Vinos/Otros").
  struct RamaUnida {
    QString rama;
    QString destino;
  };
  const QVector<RamaUnida>& RamasUnidasEnOtroNivel() const { return unidas_; }
  // Those branches for the person, a line each (<BR>); after nMaximo of them
  // (0: no limit) how many more there are.
  QString ResumenRamasUnidas(qint32 nMaximo = 0) const;

  // The tree of the last import and the branches it created (their paths in
  // the document), for the person: after nMaximo of them (0: no limit) how
  // many more there are.
  QString ResumenRamasCreadas(qint32 nMaximo = 0) const;

  // With no tree class, one is created and configured on AppGlobal. With
  // neither argument nothing is set.
  void Configure(std::shared_ptr<cTAZ_Arboles> TAZ_Arboles = nullptr,
                 std::shared_ptr<IAppGlobal> AppGlobal = nullptr);

  qint32 Data_Imp(std::shared_ptr<IDataImp>& oTAZ_Data_Imp, QString& cStatus, RecordsetPtr& oDatosCabecera,
                  RecordsetPtr& oDatosContenido) override;

 private:
  void ImportarArbol(std::shared_ptr<IDataImp>& oTAZ_Data_Imp, QString& cStatus, IRecordset& oDatosCabecera,
                     RecordsetPtr& oDatosContenido);
  // Step by step over the sorted working list; false with cStatus set on failure.
  bool CrearRamas(IDataImp* oTAZ_Data_Imp, QString& cStatus, qint32 tipo, IRecordset& contenido,
                  IListObject& lista, IInsertBuilder& builder);
  // A new row below prefijo; its id, or 0 with cStatus set.
  qint32 CrearRama(QString& cStatus, qint32 tipo, const QString& prefijo, const QString& nombre,
                   IInsertBuilder& builder, QString* clave);
  // The key of the node that stands for a branch named nombre whose parent
  // is the node of key prefix prefijo; empty when there is none.
  QString BuscarRama(const QString& condicionTipo, const QString& prefijo, const QString& nombre);
  // Notes a branch reused away from its level; ruta is its document path.
  void AnotarUnion(const QString& condicionTipo, const QString& ruta, const QString& clave);
  // ExecuteSQL that raises the statement's error, as a failed host call does.
  QVariant Consultar(const QString& sql, qint32 mode, const QVariant& def);

  QSet<QString> usadas_;  // exact import: keys that already stand for a branch
  QVector<RamaUnida> unidas_;
  QStringList creadas_;
  qint32 tipo_ = 0;
};

}  // namespace arboles
