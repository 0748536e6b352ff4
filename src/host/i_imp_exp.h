#pragma once
// Exchange documents: the host's import framework hands a document to the
// module's handler (cImp_Exp) and gives it the import object it reports to.

#include <QString>
#include <memory>

#include "host/host_types.h"

namespace arboles {

// oTAZ_Data_Imp: the framework's side of one import run.
class IDataImp {
 public:
  virtual ~IDataImp() = default;
  // The handler reached the end of the document. lTerminado: every row was
  // processed; lCerrarAvance: the progress display may close; lMostrarEstado:
  // the framework shows its summary of the run.
  virtual void FinImportacion(bool lTerminado, bool lCerrarAvance, bool lMostrarEstado) = 0;
  // Rows processed so far; long documents show it as a progress bar.
  virtual void Avance(qint32 /*nHechas*/, qint32 /*nTotal*/) {}
};

// The handler of one kind of document.
class IImpExp {
 public:
  virtual ~IImpExp() = default;
  // 0 when cStatus comes back empty, -1 otherwise (0 with a status text when
  // there is nothing to import).
  virtual qint32 Data_Imp(std::shared_ptr<IDataImp>& oTAZ_Data_Imp, QString& cStatus,
                          RecordsetPtr& oDatosCabecera, RecordsetPtr& oDatosContenido) = 0;
};

}  // namespace arboles
