#pragma once
// The controls every report window shares, owned by the report framework:
// process, presets, model, sort, record limit, SQL editor, stored defaults,
// the filter / result frames (the search grid of a search process) and the
// output choices. A window places its own filters in FilterArea().

#include <QWidget>

class QStackedWidget;

namespace zolmar {

class btn;
class get;
class lbl;
class Grid;
class RptGenerar;

class ReportPanel : public QWidget {
  Q_OBJECT
 public:
  explicit ReportPanel(QWidget* parent = nullptr);

  QWidget* FilterArea() const { return filters_; }
  // 0 the filters, 1 the search results.
  void ShowFrame(qint32 index);
  qint32 VisibleFrame() const;

  lbl* lblTipoProceso;
  get* getTipoProceso;
  lbl* lblPreSets;
  get* getPreSets;
  btn* btnPreSets[2];  // 0 store the preset, 1 delete it
  lbl* lblModelo;
  get* getModelo;
  btn* btnModelo[2];  // 0 edit the model, 1 store it
  lbl* lblOrden;
  get* getOrden;
  btn* btnOrden[2];  // 0 choose the sort field, 1 descending
  btn* chkLimite;
  get* getLimite;
  btn* btnSQLExpert;
  btn* btnDefaults;
  btn* btnFrames[2];
  btn* btnReturnFilter;
  Grid* grdBusqueda;
  RptGenerar* rptGenerar;

 private:
  QStackedWidget* frames_;
  QWidget* filters_;
};

}  // namespace zolmar
