#include "zolmar/services/qt_user_interface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSet>

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

// The host's kinds: 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel,
// 4 Yes/No, 5 Retry/Cancel, in the order they are shown. Standard buttons, so
// Qt's catalogue gives them the person's language and its Alt letters.
QList<QMessageBox::StandardButton> qtButtons(qint32 buttons) {
  switch (buttons & 7) {
    case 1:
      return {QMessageBox::Ok, QMessageBox::Cancel};
    case 2:
      return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case 3:
      return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case 4:
      return {QMessageBox::Yes, QMessageBox::No};
    case 5:
      return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
      return {QMessageBox::Ok};
  }
}

// Every button of a box is reached with Alt and a letter of its own: the
// catalogue gives some of them one ("&Sí") and not others ("Cancelar").
void giveAltLetters(QMessageBox& box) {
  QSet<QChar> taken;
  const auto buttons = box.buttons();
  for (QAbstractButton* b : buttons) {
    const qsizetype amp = b->text().indexOf(QLatin1Char('&'));
    if (amp >= 0 && amp + 1 < b->text().size()) taken.insert(b->text().at(amp + 1).toLower());
  }
  for (QAbstractButton* b : buttons) {
    QString text = b->text();
    if (text.contains(QLatin1Char('&'))) continue;
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (!text.at(i).isLetter() || taken.contains(text.at(i).toLower())) continue;
      taken.insert(text.at(i).toLower());
      b->setText(text.insert(i, QLatin1Char('&')));
      break;
    }
  }
}

// The buttons of the kind; + 256 makes the second the default, + 512 the
// third. A default that could lose data is the Escape answer too.
void setButtons(QMessageBox& box, qint32 buttons) {
  const QList<QMessageBox::StandardButton> list = qtButtons(buttons);
  QMessageBox::StandardButtons all;
  for (QMessageBox::StandardButton b : list) all |= b;
  box.setStandardButtons(all);
  giveAltLetters(box);
  const qsizetype chosen = (buttons & 512) ? 2 : (buttons & arboles::DefaultSecondButton) ? 1 : 0;
  if (chosen == 0 || chosen >= list.size()) {
    box.setDefaultButton(list.first());
    return;
  }
  box.setDefaultButton(list.at(chosen));
  box.setEscapeButton(list.at(chosen));
}

}  // namespace

QtUserInterface::~QtUserInterface() { delete wait_.data(); }

void QtUserInterface::prepareBox(QMessageBox& box, const QString& text, const QString& title, qint32 icon) {
  box.setTextFormat(Qt::RichText);
  box.setText(MessageMarkupToHtml(text));
  box.setWindowTitle(title.isEmpty() ? QApplication::applicationDisplayName() : title);
  box.setIcon(qtIcon(icon));
}

std::unique_ptr<QMessageBox> QtUserInterface::messageBox(const QString& text, qint32 buttons,
                                                         const QString& title, qint32 icon, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  prepareBox(*box, text, title, icon);
  setButtons(*box, buttons);
  return box;
}

void QtUserInterface::showMessage(const QString& text, qint32 buttons, const QString& title, qint32 icon) {
  messageBox(text, buttons, title, icon, QApplication::activeWindow())->exec();
}

bool QtUserInterface::askYesNo(const QString& text, qint32 buttons, const QString& title, qint32 icon) {
  QMessageBox box(QApplication::activeWindow());
  prepareBox(box, text, title, icon == 0 ? arboles::IconQuestion : icon);
  // A question asked with the OK kind is still a question: Yes and No.
  setButtons(box, (buttons & 7) == 0 ? (buttons | arboles::ButtonsYesNo) : buttons);
  const int answer = box.exec();
  return answer == QMessageBox::Yes || answer == QMessageBox::Ok;
}

qint32 QtUserInterface::askRecordQuestion(qint32 kind, const QString& text, const QString& title) {
  QMessageBox box(QApplication::activeWindow());
  if (kind == 3) {
    prepareBox(box, text, title, arboles::IconInformation);
    setButtons(box, arboles::ButtonsOk);
    box.exec();
    return 1;
  }
  prepareBox(box, text, title, arboles::IconQuestion);
  // Discarding offers Yes and No only, and Return or Escape keeps editing: a
  // third button would be one more way to lose what was typed.
  if (kind == 1) {
    setButtons(box, arboles::ButtonsYesNo | arboles::DefaultSecondButton);
    return box.exec() == QMessageBox::Yes ? 1 : 2;
  }
  setButtons(box, 3);
  box.setEscapeButton(QMessageBox::Cancel);
  const int answer = box.exec();
  if (answer == QMessageBox::Yes) return 1;
  if (answer == QMessageBox::No) return 2;
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
