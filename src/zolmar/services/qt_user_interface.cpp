#include "zolmar/services/qt_user_interface.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "host/host_types.h"
#include "zolmar/services/message_markup.h"
#include "zolmar/services/window_close_watcher.h"

namespace zolmar {

namespace {

QMessageBox::Icon qtIcon(qint32 icon) {
  switch (icon) {
    case arboles::IconError:
      return QMessageBox::Critical;
    case arboles::IconQuestion:
      return QMessageBox::Question;
    case arboles::IconWarning:
      return QMessageBox::Warning;
    case arboles::IconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButtons qtButtons(qint32 buttons) {
  switch (buttons & 7) {
    case 1:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case 3:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case 4:
      return QMessageBox::Yes | QMessageBox::No;
    default:
      return QMessageBox::Ok;
  }
}

}  // namespace

QtUserInterface::~QtUserInterface() { delete wait_.data(); }

void QtUserInterface::prepareBox(QMessageBox& box, const QString& text, const QString& title, qint32 icon) {
  box.setTextFormat(Qt::RichText);
  box.setText(MessageMarkupToHtml(text));
  box.setWindowTitle(title.isEmpty() ? QApplication::applicationDisplayName() : title);
  box.setIcon(qtIcon(icon));
}

void QtUserInterface::showMessage(const QString& text, qint32 buttons, const QString& title, qint32 icon) {
  QMessageBox box(QApplication::activeWindow());
  prepareBox(box, text, title, icon);
  box.setStandardButtons(qtButtons(buttons));
  box.exec();
}

bool QtUserInterface::askYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) {
  QMessageBox box(QApplication::activeWindow());
  prepareBox(box, text, title, icon == 0 ? arboles::IconQuestion : icon);
  box.setStandardButtons(buttons == 0 ? qtButtons(4) : qtButtons(buttons));
  // A question that could lose data is answered No by Return or Escape.
  if (buttons & arboles::DefaultSecondButton) {
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  }
  const int answer = box.exec();
  return answer == QMessageBox::Yes || answer == QMessageBox::Ok;
}

qint32 QtUserInterface::askRecordQuestion(qint32 kind, const QString& text, const QString& title) {
  QMessageBox box(QApplication::activeWindow());
  if (kind == 3) {
    prepareBox(box, text, title, arboles::IconInformation);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return 1;
  }
  prepareBox(box, text, title, arboles::IconQuestion);
  QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
  // Discarding offers Yes and No only, and Escape keeps editing: a third
  // button would be one more way to lose what was typed.
  if (kind == 1) {
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? 1 : 2;
  }
  QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return 1;
  if (box.clickedButton() == no) return 2;
  return 3;
}

qint32 QtUserInterface::chooseItem(const QString& title, const QStringList& items) {
  QMenu menu(QApplication::activeWindow());
  if (!title.isEmpty()) menu.addSection(title);
  for (const QString& item : items) menu.addAction(item);
  QAction* chosen = menu.exec(QCursor::pos());
  if (!chosen) return 0;
  const auto actions = menu.actions();
  qint32 position = 0;
  for (QAction* action : actions) {
    if (action->isSeparator()) continue;
    ++position;
    if (action == chosen) return position;
  }
  return 0;
}

void QtUserInterface::showWait(const QString& text) {
  if (text.isEmpty()) {
    delete wait_.data();
    return;
  }
  if (!wait_) {
    wait_ = new QLabel(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    wait_->setObjectName(QStringLiteral("ZolmarEspera"));
    wait_->setTextFormat(Qt::RichText);
    wait_->setAlignment(Qt::AlignCenter);
    wait_->setMargin(18);
    wait_->setFrameStyle(QFrame::Box | QFrame::Plain);
    wait_->setAutoFillBackground(true);
  }
  wait_->setText(MessageMarkupToHtml(text));
  wait_->adjustSize();
  placeWait();
  wait_->show();
  wait_->raise();
  // Paint it now: the caller goes on with a long operation without returning to the loop.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUserInterface::placeWait() {
  QWidget* over = QApplication::activeWindow();
  QRect area;
  if (over && over != wait_) {
    area = over->frameGeometry();
  } else if (QScreen* screen = QApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) wait_->move(area.center() - QPoint(wait_->width() / 2, wait_->height() / 2));
}

void QtUserInterface::waitFormClosed(QWidget* form) {
  if (!form || form->isHidden()) return;
  QEventLoop loop;
  WindowCloseWatcher watcher(form, [&loop] { loop.quit(); });
  if (watcher.closed()) return;
  loop.exec();
}

bool QtUserInterface::askHalt(const QString& message, bool force) {
  if (force) {
    showMessage(message, 0, QStringLiteral("Error"), arboles::IconError);
    return true;
  }
  const QString text = message + QStringLiteral("<BR><BR>¿Desea cerrar el programa?");
  return askYesNo(text, 4, QStringLiteral("Error"), arboles::IconError);
}

}  // namespace zolmar
