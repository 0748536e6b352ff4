#pragma once
// Entry field: one line of text with change and validation events, an
// optional drop-down and search button, and the bound field it edits.

#include <QVariant>
#include <QWidget>

class QKeyEvent;
class QLineEdit;
class QToolButton;

namespace zolmar {

class get : public QWidget {
  Q_OBJECT
 public:
  // TipoDato: how Value() reads the text.
  enum DataType : qint32 { Texto = 0, Entero = 1, Decimal = 2, Fecha = 3, Logico = 4 };
  // Alignment: as the text is placed in the box.
  enum TextAlignment : qint32 { Izquierda = 0, Derecha = 1, Centro = 2 };

  explicit get(QWidget* parent = nullptr);

  QString Text() const;
  // Raises Change when the text differs.
  void setText(const QString& text);
  // The text read as TipoDato (null for an empty number or date).
  QVariant Value() const;
  void setValue(const QVariant& value);

  // Raises the Validate event; returns the Cancel it came back with.
  bool Validate();

  qint32 MaxLength() const;
  void setMaxLength(qint32 length);  // 0: no limit
  qint32 Alignment() const { return alignment_; }
  void setAlignment(qint32 alignment);
  qint32 TipoDato() const { return tipoDato_; }
  void setTipoDato(qint32 type) { tipoDato_ = type; }
  QString ToolTip() const;
  void setToolTipText(const QString& tip);
  bool EnabledCombo() const { return comboEnabled_; }
  void setEnabledCombo(bool on);
  bool EnabledBuscar() const { return buscarEnabled_; }
  void setEnabledBuscar(bool on);
  // A button that opens the window where the value itself is kept.
  bool EnabledAbrir() const { return abrirEnabled_; }
  void setEnabledAbrir(bool on);
  // An entry placed in a grid cell is validated by the grid when the cursor
  // leaves the cell, not when the focus goes.
  void setValidateOnFocusOut(bool on) { validateOnFocusOut_ = on; }
  bool ShownEnabled() const { return shownEnabled_; }
  void setShownEnabled(bool on);
  void SetFocus();

  // Read-only entries ("say") never take typing.
  bool ReadOnly() const { return readOnly_; }
  void setReadOnly(bool on);
  // Lock applied by a record browser while it only shows data.
  void setDataLocked(bool on);
  // True while typing is refused (read-only, locked by the browser or shown disabled).
  bool Locked() const { return readOnly_ || dataLocked_ || !shownEnabled_; }

  // Bound field: table alias and column.
  QString Alias() const { return alias_; }
  void setAlias(const QString& alias) { alias_ = alias; }
  QString Campo() const { return campo_; }
  void setCampo(const QString& campo) { campo_ = campo; }

  // A short message about the entry (a refused value) that stays until the
  // person types in it again: the window's status bar, or a message box.
  void ShowTip(const QString& text);
  QString LastTip() const { return lastTip_; }

  // The person's actions (keys: F4 Buscar, Alt+Down the drop-down, Shift+F4 Abrir).
  void Type(const QString& text);  // replaces the text as typed keys would
  void PressBuscar();
  void PressCombo();
  void PressAbrir();

  QLineEdit* lineEdit() const { return edit_; }

 signals:
  void Change();
  void Validating(bool& Cancel);
  void Buscar();
  void Combo();
  void Abrir();
  void GotFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void applyLock();
  bool buttonKey(const QKeyEvent* key);

  QLineEdit* edit_;
  QToolButton* comboButton_;
  QToolButton* buscarButton_;
  QToolButton* abrirButton_;
  qint32 alignment_ = Izquierda;
  qint32 tipoDato_ = Texto;
  bool comboEnabled_ = false;
  bool buscarEnabled_ = false;
  bool abrirEnabled_ = false;
  bool validateOnFocusOut_ = true;
  bool shownEnabled_ = true;
  bool readOnly_ = false;
  bool dataLocked_ = false;
  bool validating_ = false;
  QString alias_;
  QString campo_;
  QString lastTip_;
};

}  // namespace zolmar
