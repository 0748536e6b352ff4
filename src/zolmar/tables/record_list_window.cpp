#include "zolmar/tables/record_list_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "zolmar/services/key_map.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

namespace zolmar {

RecordListWindow::RecordListWindow(std::shared_ptr<arboles::IConnection> cn, QueryBuilder query,
                                   QList<Column> columns, QWidget* parent)
    : FrmBasico(parent), cn_(std::move(cn)), query_(std::move(query)), columns_(std::move(columns)) {
  getBuscar = new get(this);
  grdLista = new QTableWidget(this);
  btnAceptar = new btn(this);
  btnCancelar = new btn(this);
  btnAceptar->setCaption(QStringLiteral("Aceptar"));
  btnCancelar->setCaption(QStringLiteral("Cancelar"));
  getBuscar->setToolTipText(QStringLiteral("Escriba el principio del nombre (* busca en cualquier parte)"));

  grdLista->setColumnCount(static_cast<int>(columns_.size()));
  QStringList captions;
  for (int i = 0; i < columns_.size(); ++i) {
    captions << columns_[i].caption;
    grdLista->setColumnWidth(i, columns_[i].width);
  }
  grdLista->setHorizontalHeaderLabels(captions);
  grdLista->horizontalHeader()->setStretchLastSection(true);
  grdLista->verticalHeader()->hide();
  grdLista->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdLista->setSelectionMode(QAbstractItemView::SingleSelection);
  grdLista->setEditTriggers(QAbstractItemView::NoEditTriggers);

  buttons_ = new QHBoxLayout;
  buttons_->addStretch();
  buttons_->addWidget(btnAceptar);
  buttons_->addWidget(btnCancelar);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(getBuscar);
  layout->addWidget(grdLista, 1);
  layout->addLayout(buttons_);
  resize(560, 420);

  connect(getBuscar, &get::Change, this, &RecordListWindow::Reload);
  connect(btnAceptar, &btn::Clicked, this, &RecordListWindow::ClickAceptar);
  connect(btnCancelar, &btn::Clicked, this, &RecordListWindow::ClickCancelar);
  connect(grdLista, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    SelectRow(row);
    if (btnAceptar->isVisible()) ClickAceptar();
  });
}

void RecordListWindow::setPicking(bool on) {
  getBuscar->setVisible(on);
  btnAceptar->setVisible(on);
  btnCancelar->setCaption(on ? QStringLiteral("Cancelar") : QStringLiteral("Cerrar"));
}

void RecordListWindow::Reload() {
  grdLista->setRowCount(0);
  auto rs = arboles::recordsetOf(cn_->ExecuteSQL(query_(getBuscar->Text(), subquery_), 5));
  if (!rs) return;
  const int columns = std::min(rs->FieldCount(), static_cast<qint32>(columns_.size()));
  while (rs->Read()) {
    const int row = grdLista->rowCount();
    grdLista->insertRow(row);
    for (int c = 0; c < columns; ++c) {
      const QVariant value = rs->Field(rs->FieldName(c));
      auto* item = new QTableWidgetItem(value.toString().trimmed());
      if (c == 0) item->setData(Qt::UserRole, value.toInt());
      grdLista->setItem(row, c, item);
    }
  }
  if (grdLista->rowCount() > 0) SelectRow(0);
}

void RecordListWindow::Search(const QString& typed) { getBuscar->setText(typed); }

bool RecordListWindow::SelectID(qint32 id) {
  for (int row = 0; row < grdLista->rowCount(); ++row) {
    if (RowID(row) == id) {
      SelectRow(row);
      return true;
    }
  }
  return false;
}

void RecordListWindow::SelectRow(int row) {
  if (row >= 0 && row < grdLista->rowCount()) grdLista->selectRow(row);
}

void RecordListWindow::ClickAceptar() {
  const int row = grdLista->currentRow();
  chosenId_ = row >= 0 ? RowID(row) : 0;
  Unload();
}

void RecordListWindow::ClickCancelar() {
  chosenId_ = 0;
  Unload();
}

void RecordListWindow::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  const qint32 action = AppGlobal() ? AppGlobal()->MapKey(KeyCode, Shift) : KeyMap::map(KeyCode, Shift);
  if (action != KeyMap::Close) return;
  KeyCode = 0;
  ClickCancelar();
}

int RecordListWindow::RowCount() const { return grdLista->rowCount(); }

QString RecordListWindow::CellText(int row, int column) const {
  const auto* item = grdLista->item(row, column);
  return item ? item->text() : QString();
}

qint32 RecordListWindow::RowID(int row) const {
  const auto* item = grdLista->item(row, 0);
  return item ? item->data(Qt::UserRole).toInt() : 0;
}

QString RecordListWindow::SearchText() const { return getBuscar->Text(); }

btn* RecordListWindow::AddAction(const QString& caption, const std::function<void(qint32 id)>& action) {
  auto* button = new btn(caption, this);
  buttons_->insertWidget(buttons_->count() - 3, button);
  connect(button, &btn::Clicked, this, [this, action] {
    const int row = grdLista->currentRow();
    if (row >= 0) action(RowID(row));
  });
  return button;
}

btn* RecordListWindow::AddFilter(const QString& caption, const std::function<QString()>& subquery) {
  auto* button = new btn(caption, this);
  buttons_->insertWidget(buttons_->count() - 3, button);
  connect(button, &btn::Clicked, this, [this, subquery] {
    const QString text = subquery().trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1String("SELECT "), Qt::CaseInsensitive)) SetSubquery(text);
  });
  return button;
}

void RecordListWindow::SetSubquery(const QString& subquery) {
  if (subquery_.isEmpty()) title_ = windowTitle();
  subquery_ = subquery;
  setWindowTitle(subquery_.isEmpty() ? title_ : title_ + QStringLiteral(" (filtrada)"));
  Reload();
}

}  // namespace zolmar
