#include "zolmar/report/frm_modelo_informe.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

namespace zolmar {

FrmModeloInforme::FrmModeloInforme(QWidget* parent) : FrmBasico(parent) {
  setObjectName(QStringLiteral("FrmModeloInforme"));
  setWindowTitle(QStringLiteral("Modelo del informe"));
  resize(420, 480);
  lstCampos = new QListWidget(this);
  getCamposExtra = new get(this);
  getCondicionExtra = new get(this);
  getUnionesExtra = new get(this);
  btnAceptar = new btn(QStringLiteral("Aceptar"), this);
  btnCancelar = new btn(QStringLiteral("Cancelar"), this);
  auto* extras = new QFormLayout();
  extras->addRow(QStringLiteral("Campos adicionales"), getCamposExtra);
  extras->addRow(QString::fromUtf8("Condición adicional"), getCondicionExtra);
  extras->addRow(QStringLiteral("Uniones (JOIN)"), getUnionesExtra);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(btnAceptar);
  buttons->addWidget(btnCancelar);
  auto* all = new QVBoxLayout(this);
  all->addWidget(lstCampos, 1);
  all->addLayout(extras);
  all->addLayout(buttons);
  connect(btnAceptar, &btn::Clicked, this, [this] {
    aceptado_ = true;
    Unload();
  });
  connect(btnCancelar, &btn::Clicked, this, [this] { Unload(); });
}

void FrmModeloInforme::Cargar(const ReportFields& catalogue, const QStringList& selected,
                              const QString& extraFields, const QString& extraCondition,
                              const QString& extraJoins) {
  catalogue_ = catalogue;
  lstCampos->clear();
  for (const ReportField& f : catalogue) {
    auto* item = new QListWidgetItem(f.caption, lstCampos);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(selected.contains(f.expression) ? Qt::Checked : Qt::Unchecked);
  }
  getCamposExtra->setText(extraFields);
  getCondicionExtra->setText(extraCondition);
  getUnionesExtra->setText(extraJoins);
}

void FrmModeloInforme::Marcar(const QString& caption, bool on) {
  for (QListWidgetItem* item : lstCampos->findItems(caption, Qt::MatchExactly))
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

bool FrmModeloInforme::Marcado(const QString& caption) const {
  const auto items = lstCampos->findItems(caption, Qt::MatchExactly);
  return !items.isEmpty() && items.first()->checkState() == Qt::Checked;
}

QStringList FrmModeloInforme::Seleccion() const {
  QStringList expressions;
  for (qint32 i = 0; i < lstCampos->count() && i < catalogue_.size(); ++i)
    if (lstCampos->item(i)->checkState() == Qt::Checked) expressions << catalogue_.at(i).expression;
  return expressions;
}

}  // namespace zolmar
