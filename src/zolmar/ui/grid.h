#pragma once
// Editable grid: columns with caption, width, mask and kind (text or check
// box), 0-based rows and columns. CellChange is raised for the person's edits
// only; cells written by code raise nothing.
//
// A grid may instead be edited through an entry of the owner's placed over
// the current cell (setCellEditor): the grid then asks before it starts an
// edit (StartEditing), before the cursor leaves a cell while the entry shows
// (LeaveCell), and passes on Return / Tab (MoveOn) and the Delete key
// (DeleteRequest); the owner decides what each does.

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QTableWidget>
#include <QVector>

#include "zolmar/ui/get.h"

namespace zolmar {

class Grid : public QTableWidget {
  Q_OBJECT
 public:
  enum ColumnKind : qint32 { TextColumn = 0, CheckColumn = 1 };

  explicit Grid(QWidget* parent = nullptr);

  // Returns the new column's index.
  qint32 AddColumn(const QString& caption, qint32 width = 80, const QString& mask = QString(),
                   qint32 kind = TextColumn);
  qint32 Cols() const { return columnCount(); }
  QString ColumnMask(qint32 col) const;
  void setColumnLocked(qint32 col, bool locked);

  qint32 Rows() const { return rowCount(); }
  void setRows(qint32 rows);
  qint32 AddRow();
  void RemoveRow(qint32 row);
  void Clear();  // removes every row

  // Displayed text of a cell.
  QString TextMatrix(qint32 row, qint32 col) const;
  void setTextMatrix(qint32 row, qint32 col, const QString& text);
  // Text cells: the stored value (the mask formats what is shown); check cells: bool.
  QVariant Value(qint32 row, qint32 col) const;
  void setValue(qint32 row, qint32 col, const QVariant& value);
  bool Checked(qint32 row, qint32 col) const;
  void setChecked(qint32 row, qint32 col, bool on);

  qint32 Row() const { return currentRow(); }
  void setRow(qint32 row);
  qint32 Col() const { return currentColumn(); }

  // The person's actions; False when the cell does not take them.
  bool TypeCell(qint32 row, qint32 col, const QString& text);
  bool TickCell(qint32 row, qint32 col);
  bool SelectCell(qint32 row, qint32 col);

  // Colours of the grid's palette by number; a cell painted with colour 0
  // has the default look. 10 the cell being edited, 11 a read-only column,
  // 12 the read-only cell of the current row.
  QColor PaletteColor(qint32 number) const;
  void setPaletteColor(qint32 number, const QColor& colour);
  qint32 CellColor(qint32 row, qint32 col) const;
  void setCellColor(qint32 row, qint32 col, qint32 number);
  // The tip shown when the pointer rests on the cell.
  void setCellToolTip(qint32 row, qint32 col, const QString& text);

  // The in-cell editor (see above); the grid does not own it.
  void setCellEditor(get* editor);
  get* CellEditor() const { return editor_; }
  bool EditorVisible() const;
  // Places the editor over the cell, loaded with text, and gives it the focus.
  void ShowEditor(qint32 row, qint32 col, const QString& text);
  void HideEditor();
  // Moves the cursor; False when a LeaveCell handler kept it in place (or it
  // was there already).
  bool MoveTo(qint32 row, qint32 col);
  // The person starts an edit of the current cell (double click, F2 or a
  // typed character, which the editor receives).
  void BeginEdit(const QString& typed = QString());

 signals:
  void CellChange(qint32 row, qint32 col);
  void StartEditing(qint32 row, qint32 col, bool& Cancel);
  void LeaveCell(qint32 row, qint32 col, bool& Cancel);
  void MoveOn(qint32 row, qint32 col);
  void DeleteRequest(qint32 row);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  struct Column {
    QString mask;
    qint32 kind;
    bool locked;
  };
  QTableWidgetItem* cell(qint32 row, qint32 col) const;
  void prepareRow(qint32 row);
  bool editable(qint32 row, qint32 col) const;
  void onItemChanged(QTableWidgetItem* item);

  void placeEditor();
  bool leaveAllowed();

  QVector<Column> columns_;
  int codeDepth_ = 0;
  QHash<qint32, QColor> palette_;
  QPointer<get> editor_;
};

}  // namespace zolmar
