#include "zolmar/ui/get.h"

#include <QDate>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include "zolmar/ui/control_notice.h"
#include "zolmar/ui/event_guard.h"
#include "zolmar/ui/mask_format.h"

namespace zolmar {

namespace {
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
}

get::get(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  edit_ = new QLineEdit(this);
  comboButton_ = new QToolButton(this);
  comboButton_->setArrowType(Qt::DownArrow);
  buscarButton_ = new QToolButton(this);
  buscarButton_->setText(QStringLiteral("..."));
  buscarButton_->setToolTip(QStringLiteral("Buscar (F4)"));
  abrirButton_ = new QToolButton(this);
  abrirButton_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  abrirButton_->setToolTip(QStringLiteral("Abrir (Mayús+F4)"));
  for (QToolButton* b : {comboButton_, buscarButton_, abrirButton_}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setVisible(false);
  }
  layout->addWidget(edit_, 1);
  layout->addWidget(comboButton_);
  layout->addWidget(buscarButton_);
  layout->addWidget(abrirButton_);
  setFocusProxy(edit_);
  edit_->installEventFilter(this);
  connect(edit_, &QLineEdit::textChanged, this, [this] { EventGuard::Run(this, [this] { emit Change(); }); });
  // Typing again answers what the entry's message said.
  connect(edit_, &QLineEdit::textEdited, this, [this] { ControlNotice::Clear(this); });
  connect(buscarButton_, &QToolButton::clicked, this, &get::PressBuscar);
  connect(comboButton_, &QToolButton::clicked, this, &get::PressCombo);
  connect(abrirButton_, &QToolButton::clicked, this, &get::PressAbrir);
}

QString get::Text() const { return edit_->text(); }

void get::setText(const QString& text) { edit_->setText(text); }

QVariant get::Value() const {
  const QString text = edit_->text().trimmed();
  switch (tipoDato_) {
    case Entero:
      return text.isEmpty() ? QVariant() : QVariant(text.toInt());
    case Decimal: {
      if (text.isEmpty()) return QVariant();
      bool ok = false;
      const double v = MaskFormat::ParseNumber(text, &ok);
      return ok ? QVariant(v) : QVariant();
    }
    case Fecha: {
      const QDate d = QDate::fromString(text, kDateFormat);
      return d.isValid() ? QVariant(d) : QVariant();
    }
    case Logico:
      return text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    default:
      return edit_->text();
  }
}

void get::setValue(const QVariant& value) {
  if (value.isNull()) {
    setText(QString());
  } else if (tipoDato_ == Fecha && value.canConvert<QDate>()) {
    setText(value.toDate().toString(kDateFormat));
  } else if (tipoDato_ == Logico) {
    setText(value.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
  } else {
    setText(value.toString());
  }
}

bool get::Validate() {
  bool cancel = false;
  EventGuard::Run(this, [&] { emit Validating(cancel); });
  return cancel;
}

qint32 get::MaxLength() const { return edit_->maxLength() >= 32767 ? 0 : edit_->maxLength(); }

void get::setMaxLength(qint32 length) { edit_->setMaxLength(length > 0 ? length : 32767); }

void get::setAlignment(qint32 alignment) {
  alignment_ = alignment;
  const Qt::Alignment h = alignment == Derecha  ? Qt::AlignRight
                          : alignment == Centro ? Qt::AlignHCenter
                                                : Qt::AlignLeft;
  edit_->setAlignment(h | Qt::AlignVCenter);
}

QString get::ToolTip() const { return edit_->toolTip(); }

void get::setToolTipText(const QString& tip) { edit_->setToolTip(tip); }

void get::setEnabledCombo(bool on) {
  comboEnabled_ = on;
  comboButton_->setVisible(on);
}

void get::setEnabledBuscar(bool on) {
  buscarEnabled_ = on;
  buscarButton_->setVisible(on);
}

void get::setEnabledAbrir(bool on) {
  abrirEnabled_ = on;
  abrirButton_->setVisible(on);
}

void get::setShownEnabled(bool on) {
  shownEnabled_ = on;
  applyLock();
}

void get::SetFocus() { edit_->setFocus(Qt::OtherFocusReason); }

void get::setReadOnly(bool on) {
  readOnly_ = on;
  applyLock();
}

void get::setDataLocked(bool on) {
  dataLocked_ = on;
  applyLock();
}

void get::applyLock() {
  const bool locked = readOnly_ || dataLocked_ || !shownEnabled_;
  edit_->setReadOnly(locked);
  comboButton_->setEnabled(!locked);
  buscarButton_->setEnabled(!readOnly_ && shownEnabled_);
  abrirButton_->setEnabled(!readOnly_ && shownEnabled_);
}

void get::ShowTip(const QString& text) {
  lastTip_ = text;
  if (!isVisible()) return;
  ControlNotice::Show(this, text);
}

void get::Type(const QString& text) {
  if (edit_->isReadOnly() || !isEnabled()) return;
  edit_->setText(text.left(edit_->maxLength()));
}

void get::PressBuscar() {
  if (buscarEnabled_ && isEnabled() && !readOnly_) EventGuard::Run(this, [this] { emit Buscar(); });
}

void get::PressCombo() {
  if (comboEnabled_ && isEnabled() && !edit_->isReadOnly()) EventGuard::Run(this, [this] { emit Combo(); });
}

void get::PressAbrir() {
  if (abrirEnabled_ && isEnabled() && !readOnly_) EventGuard::Run(this, [this] { emit Abrir(); });
}

bool get::buttonKey(const QKeyEvent* key) {
  const Qt::KeyboardModifiers mods =
      key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (key->key() == Qt::Key_F4 && mods == Qt::NoModifier && buscarEnabled_) {
    PressBuscar();
    return true;
  }
  if (key->key() == Qt::Key_F4 && mods == Qt::ShiftModifier && abrirEnabled_) {
    PressAbrir();
    return true;
  }
  if (key->key() == Qt::Key_Down && mods == Qt::AltModifier && comboEnabled_) {
    PressCombo();
    return true;
  }
  return false;
}

bool get::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress && buttonKey(static_cast<QKeyEvent*>(event)))
    return true;
  if (watched == edit_ && event->type() == QEvent::FocusIn) emit GotFocus();
  if (watched == edit_ && event->type() == QEvent::FocusOut && validateOnFocusOut_ && !validating_) {
    // A refused value keeps the focus in the entry.
    validating_ = true;
    if (Validate()) edit_->setFocus(Qt::OtherFocusReason);
    validating_ = false;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zolmar
