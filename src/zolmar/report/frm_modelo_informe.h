#pragma once
// The report model editor: which fields of the catalogue the report shows
// (ticked, in catalogue order) and the extra SQL parts a person who knows the
// database may add: fields, a condition and joins.

#include <QStringList>

#include "zolmar/report/report_field.h"
#include "zolmar/ui/frm_basico.h"

class QListWidget;

namespace zolmar {

class btn;
class get;

class FrmModeloInforme : public FrmBasico {
  Q_OBJECT
 public:
  explicit FrmModeloInforme(QWidget* parent = nullptr);

  // Loads the catalogue with the selected expressions ticked.
  void Cargar(const ReportFields& catalogue, const QStringList& selected, const QString& extraFields,
              const QString& extraCondition, const QString& extraJoins);
  // The person's actions.
  void Marcar(const QString& caption, bool on);
  bool Marcado(const QString& caption) const;

  bool Aceptado() const { return aceptado_; }
  QStringList Seleccion() const;  // expressions, catalogue order

  QListWidget* lstCampos;
  get* getCamposExtra;
  get* getCondicionExtra;
  get* getUnionesExtra;
  btn* btnAceptar;
  btn* btnCancelar;

 private:
  ReportFields catalogue_;
  bool aceptado_ = false;
};

}  // namespace zolmar
