#include "zolmar/report/rpt_generar.h"

#include <QHBoxLayout>

#include "zolmar/ui/btn.h"

namespace zolmar {

ReportOutputKind ReportOutput::KindOfFile(const QString& file) {
  const QString lower = file.toLower();
  if (lower.endsWith(QStringLiteral(".pdf"))) return ReportOutputKind::Pdf;
  if (lower.endsWith(QStringLiteral(".csv"))) return ReportOutputKind::Csv;
  if (lower.endsWith(QStringLiteral(".xlsx"))) return ReportOutputKind::Xlsx;
  return ReportOutputKind::None;
}

RptGenerar::RptGenerar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("rptGenerar"));
  const char* captions[OptionCount] = {"Vista previa", "Enviar a...", "Imprimir"};
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addStretch(1);
  for (qint32 i = 0; i < OptionCount; ++i) {
    buttons_[i] = new btn(QString::fromUtf8(captions[i]), this);
    row->addWidget(buttons_[i]);
    connect(buttons_[i], &btn::Clicked, this, [this, i] { choose(i); });
  }
}

void RptGenerar::setOptionEnabled(qint32 option, bool on) { buttons_[option]->setEnabled(on); }

bool RptGenerar::OptionEnabled(qint32 option) const { return buttons_[option]->isEnabled(); }

void RptGenerar::choose(qint32 option) { emit Action(option, QString(), 1, true); }

}  // namespace zolmar
