#pragma once
// Base of every window: load and unload hooks, registration with the host,
// close handling with a refusal, key preview, and the placement: over the
// host's main window, where the person left it, on the screen and with the
// top edge at least 70 pixels below the top of the screen.
//
// Unload modes given to Form_QueryUnload: 0 closed by the person (or asked by
// the host through AppQueryUnload), 1 closed by code (Unload()).

#include <QWidget>
#include <functional>
#include <memory>

namespace arboles {
class IAppGlobal;
}

namespace zolmar {

class btn;

class FrmBasico : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMinTop = 70;
  enum UnloadMode : qint32 { FormControlMenu = 0, FormCode = 1 };

  explicit FrmBasico(QWidget* parent = nullptr);
  ~FrmBasico() override;

  // The host globals the window registers with, and the name it registers under.
  void SetAppGlobal(std::shared_ptr<arboles::IAppGlobal> appGlobal, const QString& formName);
  std::shared_ptr<arboles::IAppGlobal> AppGlobal() const { return app_; }
  QString FormName() const { return formName_; }

  // Runs Form_Load once.
  void Load();
  bool IsLoaded() const { return loaded_; }
  // Loads, registers and shows the window without blocking.
  void Show();
  // Closes by code; False when the window refused.
  bool Unload();
  bool IsClosed() const { return closed_; }
  // The host's question before it closes: True when the window refuses.
  virtual bool AppQueryUnload();

  // Moves the window down to the minimum top edge when it sits higher.
  void KeepBelowTop();
  // Shrinks and moves the window into the free part of its screen, below the
  // minimum top edge.
  void KeepOnScreen();

  // Host form services for this window (True when there is no host).
  bool FormGuard();
  bool CloseCheck();

  // A key as the person presses and releases it, through the key preview.
  void PressKey(qint32 keyCode, qint32 shift = 0);

  // A dialog's accept and cancel keys (as the host maps them in mode) press
  // its two buttons; accept only when canAccept allows. Return presses the
  // accept button too (or the focused button) unless the focused control
  // uses it. True, with KeyCode set to 0, when the key was one of them.
  bool DialogKey(qint32& KeyCode, qint32 Shift, qint32 mode, btn* accept, btn* cancel,
                 const std::function<bool()>& canAccept = {});

 signals:
  void Closed();

 protected:
  virtual void Form_Load() {}
  virtual void Form_QueryUnload(bool& Cancel, qint32 UnloadMode);
  virtual void Form_Unload(bool& Cancel);
  // Setting KeyCode to 0 keeps the key from the focused control.
  virtual void Form_KeyDown(qint32& KeyCode, qint32 Shift);
  virtual void Form_KeyUp(qint32& KeyCode, qint32 Shift);

  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The first time it is shown: over the host's main window, where the
  // person last left a window of its name, and on the screen.
  void PlaceFirstTime();
  enum class ReturnTarget { Default, FocusedButton, Control };
  ReturnTarget ReturnGoesTo() const;
  void registerWindow();
  void unregisterWindow();
  bool previewKey(QEvent* event);

  std::shared_ptr<arboles::IAppGlobal> app_;
  QString formName_;
  qint32 handle_ = 0;
  qint32 unloadMode_ = FormControlMenu;
  bool loaded_ = false;
  bool closed_ = false;
  bool registered_ = false;
  bool placed_ = false;
};

}  // namespace zolmar
