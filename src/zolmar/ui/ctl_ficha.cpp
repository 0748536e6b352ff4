#include "zolmar/ui/ctl_ficha.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>

#include "host/host_types.h"
#include "host/i_app_global.h"
#include "host/i_ficha_db.h"
#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/key_codes.h"

namespace zolmar {

namespace {

QVariant literalValue(QString text) {
  text = text.trimmed();
  if (text.size() >= 2 && text.startsWith('\'') && text.endsWith('\'')) {
    return text.mid(1, text.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
  }
  bool ok = false;
  const qint64 n = text.toLongLong(&ok);
  return ok ? QVariant(n) : QVariant(text);
}

}  // namespace

CtlFicha::CtlFicha(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  first_ = addButton({"go-first", QStyle::SP_MediaSkipBackward, "|<"}, tr("Primera ficha (Ctrl+Inicio)"),
                     &CtlFicha::pressFirst);
  previous_ = addButton({"go-previous", QStyle::SP_ArrowBack, "<"}, tr("Ficha anterior (Ctrl+RePág)"),
                        &CtlFicha::pressPrevious);
  next_ = addButton({"go-next", QStyle::SP_ArrowForward, ">"}, tr("Ficha siguiente (Ctrl+AvPág)"),
                    &CtlFicha::pressNext);
  last_ = addButton({"go-last", QStyle::SP_MediaSkipForward, ">|"}, tr("Última ficha (Ctrl+Fin)"),
                    &CtlFicha::pressLast);
  new_ = addButton({"document-new", QStyle::SP_FileIcon, "+"}, tr("Nueva ficha"), &CtlFicha::pressNew);
  edit_ = addButton({"document-edit", QStyle::SP_FileDialogContentsView, "✎"}, tr("Modificar la ficha"),
                    &CtlFicha::pressEdit);
  delete_ =
      addButton({"edit-delete", QStyle::SP_TrashIcon, "−"}, tr("Borrar la ficha"), &CtlFicha::pressDelete);
  search_ = addButton({"edit-find", QStyle::SP_FileDialogInfoView, "?"}, tr("Buscar una ficha"),
                      &CtlFicha::pressSearch);
  comment_ = addButton({"document-properties", QStyle::SP_FileDialogDetailedView, "¶"},
                       tr("Comentario de la ficha"), &CtlFicha::pressComment);
  save_ = addButton({"document-save", QStyle::SP_DialogSaveButton, "✔"}, tr("Guardar (F9 o Ctrl+S)"),
                    &CtlFicha::pressSave);
  cancel_ = addButton({"edit-undo", QStyle::SP_DialogCancelButton, "✖"}, tr("Cancelar (Escape)"),
                      &CtlFicha::pressCancel);
  status_ = new QLabel(this);
  status_->setMinimumWidth(80);
  layout->addSpacing(6);
  layout->addWidget(status_);
  layout->addStretch(1);
  updateState();
}

// The desktop's icon theme first, Qt's own icons when it has none, the
// glyph when neither draws anything.
QToolButton* CtlFicha::addButton(const ButtonLook& look, const QString& tip, void (CtlFicha::*slot)()) {
  auto* b = new QToolButton(this);
  const QIcon icon = QIcon::fromTheme(QString::fromLatin1(look.theme), style()->standardIcon(look.standard));
  if (icon.isNull())
    b->setText(QString::fromUtf8(look.glyph));
  else
    b->setIcon(icon);
  b->setAccessibleName(tip);
  b->setToolTip(tip);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  connect(b, &QToolButton::clicked, this, slot);
  layout()->addWidget(b);
  return b;
}

void CtlFicha::Configure(std::shared_ptr<arboles::IFichaDB> ficha, const QString& filterText) {
  ficha_ = std::move(ficha);
  defaults_.clear();
  const QStringList parts = filterText.split(
      QRegularExpression(QStringLiteral("\\s+AND\\s+"), QRegularExpression::CaseInsensitiveOption),
      Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    const int eq = part.indexOf('=');
    if (eq > 0) defaults_.append({part.left(eq).trimmed(), literalValue(part.mid(eq + 1))});
  }
  mode_ = Browsing;
  ShowCurrent();
}

void CtlFicha::Bind(get* entry) {
  if (!entry || entries_.contains(entry)) return;
  entries_.append(entry);
  entry->setDataLocked(browsing());
}

bool CtlFicha::HasRecord() const { return ficha_ && ficha_->CurrentID() > 0; }

bool CtlFicha::ActiveFlag() const {
  if (!ficha_ || mode_ == Adding) return true;
  return (ficha_->Field(QStringLiteral("Activo")).toInt() & 2) == 0;
}

void CtlFicha::setMode(qint32 mode) {
  if (!ficha_ || mode == mode_) return;
  if (mode == Browsing) {
    CancelEdit();
    return;
  }
  if (mode == Editing && !HasRecord()) return;
  if (mode_ != Browsing) ficha_->CancelUpdate();
  if (mode == Adding) {
    ficha_->AddNew();
    for (get* entry : entries_) {
      if (entry && !entry->Campo().isEmpty()) entry->setText(QString());
    }
    ApplyDefaults();
    enterMode(Adding);
    emit NewRecordDefaults();
  } else {
    enterMode(Editing);
  }
  emit RecordChanged();
}

void CtlFicha::enterMode(qint32 mode) {
  mode_ = mode;
  for (get* entry : entries_) {
    if (entry) entry->setDataLocked(browsing());
  }
  updateState();
}

void CtlFicha::ApplyDefaults() {
  if (!ficha_ || !ficha_->IsNew()) return;
  for (const auto& pair : defaults_) ficha_->SetField(pair.first, pair.second);
}

void CtlFicha::writeEntries() {
  for (get* entry : entries_) {
    if (!entry || entry->Campo().isEmpty() || entry->ReadOnly()) continue;
    ficha_->SetField(entry->Campo(), entry->Value());
  }
}

bool CtlFicha::Save() {
  if (!ficha_) return false;
  if (browsing()) return true;
  // Editing a record marked deleted and saving it recovers it; the window
  // hears of the save while the record still carries the mark.
  const qint32 activo = mode_ == Editing ? ficha_->Field(QStringLiteral("Activo")).toInt() : 0;
  writeEntries();
  if (ficha_->Save()) return false;
  emit Saved();
  if (activo & 2) {
    ficha_->SetField(QStringLiteral("Activo"), activo & ~2);
    ficha_->Save();
  }
  enterMode(Browsing);
  ShowCurrent();
  emit RecordChanged();
  return true;
}

void CtlFicha::CancelEdit() {
  if (!ficha_ || browsing()) return;
  ficha_->CancelUpdate();
  enterMode(Browsing);
  ShowCurrent();
  emit RecordChanged();
}

void CtlFicha::ShowCurrent() {
  const bool has = HasRecord();
  for (get* entry : entries_) {
    if (!entry || entry->Campo().isEmpty()) continue;
    entry->setValue(has ? ficha_->Field(entry->Campo()) : QVariant());
  }
  updateState();
}

void CtlFicha::Refresh() {
  if (!ficha_) return;
  if (!browsing()) ficha_->CancelUpdate();
  ficha_->Reload();
  if (!HasRecord()) ficha_->MoveFirst();
  enterMode(Browsing);
  ShowCurrent();
  emit RecordChanged();
}

qint32 CtlFicha::MapKey(qint32 keyCode, qint32 shift) const {
  const bool ctrlOnly = shift == KeyCodes::CtrlMask;
  if (keyCode == KeyCodes::Escape && shift == 0) return browsing() ? CloseAction : CancelAction;
  if (browsing()) return NoAction;
  if ((keyCode == KeyCodes::F1 + 8 && shift == 0) || (keyCode == 'S' && ctrlOnly)) return SaveAction;
  return NoAction;
}

void CtlFicha::KeyUp(qint32 keyCode, qint32 shift) {
  if (shift != KeyCodes::CtrlMask || !browsing()) return;
  switch (keyCode) {
    case KeyCodes::Home:
      pressFirst();
      break;
    case KeyCodes::PageUp:
      pressPrevious();
      break;
    case KeyCodes::PageDown:
      pressNext();
      break;
    case KeyCodes::End:
      pressLast();
      break;
    default:
      break;
  }
}

void CtlFicha::move(bool (arboles::IFichaDB::*step)()) {
  if (!ficha_ || !browsing() || !isEnabled()) return;
  ((*ficha_).*step)();
  ShowCurrent();
  emit RecordChanged();
}

void CtlFicha::pressFirst() { move(&arboles::IFichaDB::MoveFirst); }
void CtlFicha::pressPrevious() { move(&arboles::IFichaDB::MovePrevious); }
void CtlFicha::pressNext() { move(&arboles::IFichaDB::MoveNext); }
void CtlFicha::pressLast() { move(&arboles::IFichaDB::MoveLast); }

void CtlFicha::pressNew() {
  if (!ficha_ || !browsing() || !isEnabled()) return;
  bool cancel = false;
  emit NewRequest(cancel);
  if (!cancel) setMode(Adding);
}

void CtlFicha::pressEdit() {
  if (!HasRecord() || !browsing() || !isEnabled()) return;
  bool cancel = false;
  emit EditRequest(cancel);
  if (!cancel) setMode(Editing);
}

void CtlFicha::pressDelete() {
  if (!HasRecord() || !browsing() || !isEnabled()) return;
  if (!ConfirmDelete()) return;
  bool cancel = false;
  emit DeleteRequest(cancel);
  if (cancel || !DeleteCurrentRecord()) {
    ShowCurrent();
    return;
  }
  if (!HasRecord()) ficha_->MoveFirst();
  ShowCurrent();
  emit RecordChanged();
}

// The host window that holds the browser asks; No (the default) keeps the record.
bool CtlFicha::ConfirmDelete() {
  std::shared_ptr<arboles::IAppGlobal> app;
  for (QWidget* w = parentWidget(); w && !app; w = w->parentWidget()) {
    if (auto* form = qobject_cast<FrmBasico*>(w)) app = form->AppGlobal();
  }
  if (!app) return false;
  const QString text = app->FormatMessage(app->Translate(QStringLiteral("¿Desea borrar la ficha <B>%1</B>?")),
                                          {Description()});
  return app->AskYesNo(text, arboles::ButtonsYesNo | arboles::DefaultSecondButton,
                       app->Translate(QStringLiteral("Borrar")), arboles::IconQuestion);
}

// The record as the browser shows it: its number, and its name when it has one.
QString CtlFicha::Description() const {
  QString text = tr("Nº %1").arg(ficha_->CurrentID());
  const QString name = ficha_->Field(QStringLiteral("Nombre")).toString().trimmed();
  if (!name.isEmpty()) text += QStringLiteral(" - ") + name;
  return text;
}

bool CtlFicha::DeleteCurrentRecord() {
  if (deleter_) return deleter_();
  return !ficha_->DeleteCurrent();
}

void CtlFicha::pressSearch() {
  if (!ficha_ || !browsing() || !isEnabled()) return;
  bool cancel = false;
  emit SearchRequest(cancel);
  if (cancel) return;
  ShowCurrent();
  emit RecordChanged();
}

void CtlFicha::pressComment() {
  if (!HasRecord() || !isEnabled()) return;
  bool cancel = false;
  emit CommentRequest(cancel);
}

void CtlFicha::pressSave() {
  if (!browsing() && isEnabled()) emit ActionRequest(SaveAction);
}

void CtlFicha::pressCancel() {
  if (!browsing() && isEnabled()) emit ActionRequest(CancelAction);
}

void CtlFicha::updateState() {
  const bool has = HasRecord();
  const bool b = browsing() && ficha_ != nullptr;
  for (QToolButton* nav : {first_, previous_, next_, last_, search_}) nav->setEnabled(b && has);
  new_->setEnabled(b);
  edit_->setEnabled(b && has);
  delete_->setEnabled(b && has);
  comment_->setEnabled(has);
  save_->setEnabled(!browsing());
  cancel_->setEnabled(!browsing());
  if (!ficha_) {
    status_->clear();
  } else if (mode_ == Adding) {
    status_->setText(tr("Nueva ficha"));
  } else {
    status_->setText(has ? tr("Nº %1 · %2 fichas").arg(ficha_->CurrentID()).arg(ficha_->RecordCount())
                         : tr("Sin fichas"));
  }
}

void CtlFicha::setCommentMarked(bool marked) {
  QFont font = comment_->font();
  font.setBold(marked);
  comment_->setFont(font);
}

bool CtlFicha::CommentMarked() const { return comment_->font().bold(); }

}  // namespace zolmar
