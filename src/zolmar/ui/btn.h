#pragma once
// Push button of the control library; also a two-state check button.

#include <QPushButton>

namespace zolmar {

class btn : public QPushButton {
  Q_OBJECT
 public:
  explicit btn(QWidget* parent = nullptr);
  btn(const QString& caption, QWidget* parent = nullptr);

  // Presses the button: raises Clicked when it is enabled.
  void Click();

  bool Enabled() const { return isEnabled(); }
  // Shown as enabled but refusing the press (a greyed look without blocking focus).
  bool ShownEnabled() const { return shownEnabled_; }
  void setShownEnabled(bool on);
  QString ToolTip() const { return toolTip(); }
  void setToolTipText(const QString& tip) { setToolTip(tip); }
  QString Caption() const { return text(); }
  void setCaption(const QString& caption) { setText(caption); }

  // Check-button mode: Value is 0 or 1; a press toggles it.
  void setCheckButton(bool on);
  bool IsCheckButton() const { return isCheckable(); }
  qint32 Value() const { return isChecked() ? 1 : 0; }
  // Setting the value by code raises Clicked when it changes, as a check button does.
  void setValue(qint32 value);

  // A picture of the host's button library by number (401 a record list);
  // the desktop's standard icons stand in for it.
  QIcon Picture(qint32 number) const;
  // Colours of the host's button library by number: 18 paints data that came
  // from outside and stays as it came; any other number the button text.
  static QColor ColorByIndex(qint32 index);

  // A short message about the button (a refused action) that stays until
  // the person acts: the window's status bar, or a message box.
  void ShowTip(const QString& text);
  QString LastTip() const { return lastTip_; }

 signals:
  void Clicked();

 private:
  void onQtClicked();
  void RaiseClicked();

  bool shownEnabled_ = true;
  QString lastTip_;
};

}  // namespace zolmar
