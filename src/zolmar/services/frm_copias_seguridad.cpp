#include "zolmar/services/frm_copias_seguridad.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "host/host_types.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/backup_service.h"

namespace zolmar {

FrmCopiasSeguridad::FrmCopiasSeguridad(std::shared_ptr<AppGlobal> app, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(std::move(app)),
      copias_(std::make_unique<BackupService>(app_->connection(), app_->locks())) {
  setObjectName(QStringLiteral("FrmCopiasSeguridad"));
  setWindowTitle(tr_(QStringLiteral("Copias de seguridad")));
  lblCarpeta = new QLabel(this);
  lblCarpeta->setWordWrap(true);
  lblCarpeta->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lstCopias = new QTreeWidget(this);
  lstCopias->setRootIsDecorated(false);
  lstCopias->setHeaderLabels(
      {tr_(QStringLiteral("Fecha")), tr_(QString::fromUtf8("Operación")), tr_(QString::fromUtf8("Tamaño"))});
  lstCopias->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  btnCopiar = new QPushButton(tr_(QStringLiteral("&Hacer una copia ahora")), this);
  btnRestaurar = new QPushButton(tr_(QStringLiteral("&Restaurar...")), this);
  btnCerrar = new QPushButton(tr_(QStringLiteral("&Cerrar")), this);
  auto* botones = new QHBoxLayout;
  botones->addWidget(btnCopiar);
  botones->addStretch();
  botones->addWidget(btnRestaurar);
  botones->addWidget(btnCerrar);
  auto* todo = new QVBoxLayout(this);
  todo->addWidget(lblCarpeta);
  todo->addWidget(lstCopias);
  todo->addLayout(botones);
  connect(btnCopiar, &QPushButton::clicked, this, &FrmCopiasSeguridad::ClickCopiar);
  connect(btnRestaurar, &QPushButton::clicked, this, &FrmCopiasSeguridad::ClickRestaurar);
  connect(btnCerrar, &QPushButton::clicked, this, &QWidget::close);
  connect(lstCopias, &QTreeWidget::itemDoubleClicked, this, &FrmCopiasSeguridad::ClickRestaurar);
  resize(640, 420);
  Cargar();
}

FrmCopiasSeguridad::~FrmCopiasSeguridad() = default;

QString FrmCopiasSeguridad::tr_(const QString& text) const { return app_->Translate(text); }

void FrmCopiasSeguridad::Cargar() {
  lstCopias->clear();
  const QString motivo = copias_->unavailableReason();
  // On a server there is nothing here to list or restore: the person is told whose job it is.
  lblCarpeta->setText(motivo.isEmpty() ? tr_(QStringLiteral("Carpeta: %1")).arg(copias_->folder())
                                       : tr_(motivo));
  btnCopiar->setEnabled(motivo.isEmpty());
  // Day first, as the office reads dates, whatever the system's language.
  const QLocale es(QLocale::Spanish, QLocale::Spain);
  for (const auto& copia : copias_->list()) {
    auto* fila = new QTreeWidgetItem(lstCopias, {copia.made.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
                                                 copia.operation, es.formattedDataSize(copia.bytes)});
    fila->setData(0, Qt::UserRole, copia.path);
  }
  lstCopias->resizeColumnToContents(0);
  if (lstCopias->topLevelItemCount() > 0) lstCopias->setCurrentItem(lstCopias->topLevelItem(0));
  btnRestaurar->setEnabled(lstCopias->topLevelItemCount() > 0);
}

void FrmCopiasSeguridad::ClickCopiar() {
  QString error;
  if (copias_->make(QStringLiteral("Copia manual"), &error).isEmpty())
    app_->ShowMessage(error, 0, tr_(QStringLiteral("Copias de seguridad")), arboles::IconError);
  Cargar();
}

void FrmCopiasSeguridad::ClickRestaurar() {
  QTreeWidgetItem* fila = lstCopias->currentItem();
  if (!fila) return;
  const QString pregunta = tr_(QString::fromUtf8(
      "¿Desea restaurar la copia del <B>%1</B> (%2)?<BR><BR>La base de datos volverá a estar como entonces "
      "y se perderá todo lo hecho después; antes se guarda una copia de su estado actual."));
  if (!app_->AskYesNo(app_->FormatMessage(pregunta, {fila->text(0), fila->text(1)}),
                      arboles::ButtonsYesNo + arboles::DefaultSecondButton,
                      tr_(QString::fromUtf8("Confirmación")), arboles::IconQuestion))
    return;
  QString error;
  if (copias_->restore(fila->data(0, Qt::UserRole).toString(), &error))
    app_->ShowMessage(tr_(QStringLiteral("Copia restaurada.")), 0, tr_(QStringLiteral("Copias de seguridad")),
                      arboles::IconInformation);
  else
    app_->ShowMessage(error, 0, tr_(QStringLiteral("Copias de seguridad")), arboles::IconWarning);
  Cargar();
}

}  // namespace zolmar
