#include "zolmar/report/frm_sql_experto.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "host/i_app_global.h"
#include "zolmar/ui/btn.h"

namespace zolmar {

const QString FrmSqlExperto::NombreVentana = QStringLiteral("INFORMES_SQL_EXPERTO");

bool FrmSqlExperto::Permitido(arboles::IAppGlobal& app, bool avisar) {
  return app.CanOpenWindow(NombreVentana, 1, avisar ? 1 : 0, 0);
}

FrmSqlExperto::FrmSqlExperto(const QString& sql, QWidget* parent) : FrmBasico(parent) {
  setObjectName(QStringLiteral("FrmSqlExperto"));
  setWindowTitle(QStringLiteral("SQL experto"));
  resize(640, 360);
  txtSQL = new QPlainTextEdit(this);
  txtSQL->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtSQL->setPlainText(sql);
  btnEjecutar = new btn(QStringLiteral("Ejecutar"), this);
  btnCancelar = new btn(QStringLiteral("Cancelar"), this);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(btnEjecutar);
  buttons->addWidget(btnCancelar);
  auto* all = new QVBoxLayout(this);
  all->addWidget(txtSQL, 1);
  all->addLayout(buttons);
  connect(btnEjecutar, &btn::Clicked, this, [this] {
    ejecutar_ = !Sql().trimmed().isEmpty();
    Unload();
  });
  connect(btnCancelar, &btn::Clicked, this, [this] { Unload(); });
}

QString FrmSqlExperto::Sql() const { return txtSQL->toPlainText(); }

void FrmSqlExperto::setSql(const QString& sql) { txtSQL->setPlainText(sql); }

}  // namespace zolmar
