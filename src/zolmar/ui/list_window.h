#pragma once
// The host's list window: a title, columns read from a record set, a search
// box that keeps only the rows containing its text, and the choice of a row
// (double click or Enter). Shown modal (waits until closed) or modeless.

#include <QVariantList>
#include <QVector>

#include "zolmar/ui/frm_basico.h"

namespace arboles {
class IRecordset;
}

class QTableWidget;

namespace zolmar {

class get;

class ListWindow : public FrmBasico {
  Q_OBJECT
 public:
  explicit ListWindow(QWidget* parent = nullptr);

  QString Title() const { return windowTitle(); }
  void setTitle(const QString& title) { setWindowTitle(title); }
  // field: the record-set field shown in the column.
  void AddColumn(const QString& field, const QString& caption, qint32 width = 100,
                 const QString& mask = QString());
  // Reads every row of the record set from its present position on.
  void LoadRows(arboles::IRecordset& rs);

  qint32 RowCount() const { return qint32(rows_.size()); }
  // The rows the search leaves, in order; row and column 0-based.
  qint32 VisibleRowCount() const { return qint32(visible_.size()); }
  QString Cell(qint32 visibleRow, qint32 col) const;
  QVariant Value(qint32 visibleRow, const QString& field) const;

  get* SearchBox() const { return search_; }
  // The person's typing in the search box.
  void Search(const QString& text);

  // Makes the first shown row whose field equals value the current one (the
  // row Enter chooses); False when no shown row has it.
  bool SelectWhere(const QString& field, const QVariant& value);
  // The shown row that is current; -1 when none.
  qint32 CurrentRow() const;

  // Modal: returns when the window closes.
  void ShowList(bool modal);
  // The person chooses a shown row: it is remembered and the window closes.
  void ChooseRow(qint32 visibleRow);
  // Index into all rows of the chosen one; -1 when none was chosen.
  qint32 ChosenRow() const { return chosen_; }
  QVariant ChosenValue(const QString& field) const;

 signals:
  void RowChosen(qint32 row);

 protected:
  // Enter chooses the current row, Escape closes without a choice.
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

 private:
  struct Column {
    QString field;
    QString mask;
  };
  void applyFilter();
  void fillTable();
  qint32 fieldIndex(const QString& field) const;

  QVector<Column> columns_;
  QStringList fields_;  // every field of the record set
  QVector<QVariantList> rows_;
  QVector<qint32> visible_;
  qint32 chosen_ = -1;
  get* search_;
  QTableWidget* table_;
};

}  // namespace zolmar
