#pragma once
// Record browser: a compact navigation bar over the record set of a table,
// with the entries bound to its fields.
//
// Mode: -1 browsing, 0 editing, 1 adding. Commands started by the person
// (new, edit, delete, search, comment) first raise their request; a handler
// that sets Cancel stops them. RecordChanged follows every move and every
// change of mode; Saved is raised after the record set has written the record
// and before the mode returns to browsing (Mode() still tells edit from add).
//
// Deleting: the person is asked first ("¿Desea borrar la ficha <B>..</B>?",
// No by default) through the question service of the host window that holds
// the browser; a browser outside a host window has nobody to ask and deletes
// nothing. A browser bound to a table-access object deletes through it (the
// table may own rows of other tables); without one the record set deletes the
// row alone. After a delete the record shown is the one before it in the
// record set's order (the first when there is none before).
//
// Keys (MapKey): F9 or Ctrl+S while editing/adding -> 1 save; Escape while
// editing/adding -> 2 cancel; Escape while browsing -> 3 close. KeyUp moves
// while browsing: Ctrl+Home first, Ctrl+PageUp previous, Ctrl+PageDown next,
// Ctrl+End last.

#include <QList>
#include <QPointer>
#include <QStyle>
#include <QWidget>
#include <functional>
#include <memory>

namespace arboles {
class IFichaDB;
}

class QLabel;
class QToolButton;

namespace zolmar {

class get;

class CtlFicha : public QWidget {
  Q_OBJECT
 public:
  enum FichaMode : qint32 { Browsing = -1, Editing = 0, Adding = 1 };
  // ActionRequest actions and MapKey answers.
  enum FichaAction : qint32 { NoAction = 0, SaveAction = 1, CancelAction = 2, CloseAction = 3 };

  explicit CtlFicha(QWidget* parent = nullptr);

  // The record set and the "Field=value [AND ...]" text whose pairs are the
  // defaults of a new record (usually the filter of the window).
  void Configure(std::shared_ptr<arboles::IFichaDB> ficha, const QString& filterText);
  std::shared_ptr<arboles::IFichaDB> FichaDB() const { return ficha_; }
  // Deletes the current record instead of the record set's DeleteCurrent;
  // answers True when it was deleted. An empty function restores the default.
  void SetDeleter(std::function<bool()> deleter) { deleter_ = std::move(deleter); }
  // Entries whose Campo is set show and edit that field.
  void Bind(get* entry);

  qint32 Mode() const { return mode_; }
  // Changing the mode by code raises no request: 1 starts an empty record,
  // 0 edits the current one, -1 drops pending changes.
  void setMode(qint32 mode);
  bool HasRecord() const;
  // False when the current record carries the deleted mark (Activo bit 2).
  bool ActiveFlag() const;

  // Writes the entries and saves; True on success.
  bool Save();
  void CancelEdit();
  void ShowCurrent();
  // Reads the records again, keeping the current one when it still exists.
  void Refresh();
  // Writes the default fields of the filter text into the new record.
  void ApplyDefaults();

  qint32 MapKey(qint32 keyCode, qint32 shift) const;
  void KeyUp(qint32 keyCode, qint32 shift);

  // The comment button shows in bold while the current record has a comment.
  void setCommentMarked(bool marked);
  bool CommentMarked() const;

  // The person's actions on the bar.
  void pressFirst();
  void pressPrevious();
  void pressNext();
  void pressLast();
  void pressNew();
  void pressEdit();
  void pressDelete();
  void pressSearch();
  void pressComment();
  void pressSave();
  void pressCancel();

 signals:
  void NewRequest(bool& Cancel);
  void EditRequest(bool& Cancel);
  void DeleteRequest(bool& Cancel);
  void SearchRequest(bool& Cancel);
  void CommentRequest(bool& Cancel);
  void NewRecordDefaults();
  void RecordChanged();
  void Saved();
  void ActionRequest(qint32 action);

 private:
  struct ButtonLook {
    const char* theme;
    QStyle::StandardPixmap standard;
    const char* glyph;
  };
  QToolButton* addButton(const ButtonLook& look, const QString& tip, void (CtlFicha::*slot)());
  void move(bool (arboles::IFichaDB::*step)());
  void enterMode(qint32 mode);
  void writeEntries();
  void updateState();
  bool browsing() const { return mode_ == Browsing; }
  bool DeleteCurrentRecord();
  bool ConfirmDelete();
  QString Description() const;

  std::shared_ptr<arboles::IFichaDB> ficha_;
  std::function<bool()> deleter_;
  QList<QPair<QString, QVariant>> defaults_;
  QList<QPointer<get>> entries_;
  qint32 mode_ = Browsing;
  QToolButton* first_;
  QToolButton* previous_;
  QToolButton* next_;
  QToolButton* last_;
  QToolButton* new_;
  QToolButton* edit_;
  QToolButton* delete_;
  QToolButton* search_;
  QToolButton* comment_;
  QToolButton* save_;
  QToolButton* cancel_;
  QLabel* status_;
};

}  // namespace zolmar
