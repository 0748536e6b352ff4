#pragma once
// A searchable list of records: a search entry, the list, Aceptar / Cancelar.
// The rows come from a query the owner builds from the typed text. Shown with
// Show() it registers with the host like every other window; the close key
// (Escape) cancels.

#include <QStringList>
#include <functional>
#include <memory>

#include "zolmar/ui/frm_basico.h"

class QHBoxLayout;
class QTableWidget;

namespace arboles {
class IConnection;
}

namespace zolmar {

class get;
class btn;

class RecordListWindow : public FrmBasico {
  Q_OBJECT
 public:
  struct Column {
    QString caption;
    int width;
  };
  // The SELECT for a typed text, limited to the ids a subquery selects when
  // it is not empty; its first column is the record id.
  using QueryBuilder = std::function<QString(const QString& typed, const QString& ids)>;

  RecordListWindow(std::shared_ptr<arboles::IConnection> cn, QueryBuilder query, QList<Column> columns,
                   QWidget* parent = nullptr);

  // Reads the rows for the text of the search entry.
  void Reload();
  qint32 ChosenID() const { return chosenId_; }
  // Shows or hides the search entry and the Aceptar button (a plain listing has neither).
  void setPicking(bool on);
  // A button of the window's own that acts on the selected record's id
  // (nothing happens while no record is selected).
  btn* AddAction(const QString& caption, const std::function<void(qint32 id)>& action);
  // A button that asks for a subquery of ids and shows only those records:
  // an empty text shows them all again; a text that is no SELECT (the person
  // gave up) leaves the list as it is.
  btn* AddFilter(const QString& caption, const std::function<QString()>& subquery);
  void SetSubquery(const QString& subquery);
  QString Subquery() const { return subquery_; }

  // The person's actions and what they see.
  void Search(const QString& typed);
  bool SelectID(qint32 id);
  void SelectRow(int row);
  void ClickAceptar();
  void ClickCancelar();
  int RowCount() const;
  QString CellText(int row, int column) const;
  qint32 RowID(int row) const;
  QString SearchText() const;

  get* getBuscar;
  QTableWidget* grdLista;
  btn* btnAceptar;
  btn* btnCancelar;

 protected:
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

 private:
  std::shared_ptr<arboles::IConnection> cn_;
  QueryBuilder query_;
  QList<Column> columns_;
  QHBoxLayout* buttons_;
  qint32 chosenId_ = 0;
  QString subquery_;
  QString title_;
};

}  // namespace zolmar
