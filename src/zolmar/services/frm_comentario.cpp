#include "zolmar/services/frm_comentario.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolmar {

FrmComentario::FrmComentario(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FrmComentario"));
  setWindowTitle(QStringLiteral("Comentario"));
  setWindowModality(Qt::ApplicationModal);
  txtComentario = new QPlainTextEdit(this);
  btnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
  btnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnAceptar);
  buttons->addWidget(btnCancelar);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(txtComentario);
  layout->addLayout(buttons);
  resize(420, 260);
  connect(btnAceptar, &QPushButton::clicked, this, &FrmComentario::ClickAceptar);
  connect(btnCancelar, &QPushButton::clicked, this, &FrmComentario::ClickCancelar);
}

QString FrmComentario::Text() const { return txtComentario->toPlainText(); }

void FrmComentario::setText(const QString& text) { txtComentario->setPlainText(text); }

void FrmComentario::ClickAceptar() {
  accepted_ = true;
  close();
}

void FrmComentario::ClickCancelar() {
  accepted_ = false;
  close();
}

}  // namespace zolmar
