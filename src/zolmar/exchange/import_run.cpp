#include "zolmar/exchange/import_run.h"

namespace zolmar {

void ImportRun::FinImportacion(bool lTerminado, bool lCerrarAvance, bool lMostrarEstado) {
  finished_ = lTerminado;
  showSummary_ = lMostrarEstado;
  if (lCerrarAvance && progress_) progress_(-1, -1);
}

void ImportRun::Avance(qint32 nHechas, qint32 nTotal) {
  if (progress_) progress_(nHechas, nTotal);
}

}  // namespace zolmar
