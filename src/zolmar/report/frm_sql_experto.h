#pragma once
// The SQL editor for people who know the database: it shows the statement the
// report would run and lets the person change it and run it instead.

#include "zolmar/ui/frm_basico.h"

class QPlainTextEdit;

namespace zolmar {

class btn;

class FrmSqlExperto : public FrmBasico {
  Q_OBJECT
 public:
  explicit FrmSqlExperto(const QString& sql, QWidget* parent = nullptr);

  QString Sql() const;
  void setSql(const QString& sql);
  // True when the person chose to run the statement.
  bool Ejecutar() const { return ejecutar_; }

  QPlainTextEdit* txtSQL;
  btn* btnEjecutar;
  btn* btnCancelar;

 private:
  bool ejecutar_ = false;
};

}  // namespace zolmar
