#pragma once
// Editable grid: columns with caption, width, mask and kind (text or check
// box), 0-based rows and columns. CellChange is raised for the person's edits
// only; cells written by code raise nothing.

#include <QStringList>
#include <QTableWidget>
#include <QVector>

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

 signals:
  void CellChange(qint32 row, qint32 col);

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

  QVector<Column> columns_;
  int codeDepth_ = 0;
};

}  // namespace zolmar
