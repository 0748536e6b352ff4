#pragma once
// Real dialogs: rich-text message boxes, the wait window over the active
// window and a nested event loop while the module waits for a window.

#include <QLabel>
#include <QPointer>
#include <memory>

#include "zolmar/services/user_interface.h"

class QMessageBox;

namespace zolmar {

class QtUserInterface : public UserInterface {
 public:
  QtUserInterface() = default;
  ~QtUserInterface() override;

  void showMessage(const QString& text, qint32 buttons, const QString& title, qint32 icon) override;
  bool askYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) override;
  qint32 askRecordQuestion(qint32 kind, const QString& text, const QString& title) override;
  qint32 chooseItem(const QString& title, const QStringList& items) override;
  void showWait(const QString& text) override;
  void waitFormClosed(QWidget* form) override;
  bool askHalt(const QString& message, bool force) override;

  // The box a message of that kind is shown in, not yet shown.
  static std::unique_ptr<QMessageBox> messageBox(const QString& text, qint32 buttons, const QString& title,
                                                 qint32 icon, QWidget* parent);

  // The wait window while it is shown (tests look at it).
  QLabel* waitWindow() const { return wait_; }

 private:
  static void prepareBox(QMessageBox& box, const QString& text, const QString& title, qint32 icon);
  void placeWait();

  QPointer<QLabel> wait_;
};

}  // namespace zolmar
