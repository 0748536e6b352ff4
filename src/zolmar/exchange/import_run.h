#pragma once
// The framework's import object (oTAZ_Data_Imp) of one run: it passes the
// handler's progress on and records how the handler ended.

#include <functional>

#include "host/i_imp_exp.h"

namespace zolmar {

class ImportRun : public arboles::IDataImp {
 public:
  using Progress = std::function<void(qint32 done, qint32 total)>;

  explicit ImportRun(Progress progress) : progress_(std::move(progress)) {}

  void FinImportacion(bool lTerminado, bool lCerrarAvance, bool lMostrarEstado) override;
  void Avance(qint32 nHechas, qint32 nTotal) override;

  bool finished() const { return finished_; }
  bool showSummary() const { return showSummary_; }

 private:
  Progress progress_;
  bool finished_ = false;
  bool showSummary_ = false;
};

}  // namespace zolmar
