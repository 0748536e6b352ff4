#pragma once
// The comment editor: one text, Aceptar / Cancelar.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace zolmar {

class FrmComentario : public QWidget {
  Q_OBJECT
 public:
  explicit FrmComentario(QWidget* parent = nullptr);

  QString Text() const;
  void setText(const QString& text);
  bool Accepted() const { return accepted_; }

  // The person's actions.
  void Type(const QString& text) { setText(text); }
  void ClickAceptar();
  void ClickCancelar();

  QPlainTextEdit* txtComentario;
  QPushButton* btnAceptar;
  QPushButton* btnCancelar;

 private:
  bool accepted_ = false;
};

}  // namespace zolmar
