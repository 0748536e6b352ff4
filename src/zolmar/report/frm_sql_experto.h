#pragma once
// The SQL editor for people who know the database: it shows the statement the
// report would run and lets the person change it and run it instead, as a
// query that reads and never writes. Only people granted the window
// NombreVentana in their window permissions are offered it.

#include "zolmar/ui/frm_basico.h"

class QPlainTextEdit;

namespace arboles {
class IAppGlobal;
}

namespace zolmar {

class btn;

class FrmSqlExperto : public FrmBasico {
  Q_OBJECT
 public:
  explicit FrmSqlExperto(const QString& sql, QWidget* parent = nullptr);

  static const QString NombreVentana;
  // Whether the person may use the window; avisar tells a refused one why.
  static bool Permitido(arboles::IAppGlobal& app, bool avisar);

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
