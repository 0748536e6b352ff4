#include "zolmar/services/comments.h"

#include <QPointer>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "zolmar/services/frm_comentario.h"
#include "zolmar/services/host_table_names.h"

namespace zolmar {

void Comments::Configure(std::shared_ptr<arboles::IGlobales> oGlobales,
                         std::shared_ptr<arboles::IAppGlobal> oAppGlobal) {
  cn_ = oGlobales ? oGlobales->GetConnection() : nullptr;
  app_ = std::move(oAppGlobal);
}

QString Comments::Read(qint32 idComentario) const {
  if (!cn_ || idComentario <= 0) return QString();
  return cn_
      ->ExecuteSQL(QStringLiteral("SELECT Comentario FROM %1 WHERE ZolmarID=%2")
                       .arg(HostTableNames::Comments)
                       .arg(idComentario),
                   2, QString())
      .toString();
}

qint32 Comments::Store(qint32 idComentario, const QString& text) {
  if (!cn_) return 0;
  if (text.trimmed().isEmpty()) {
    if (idComentario > 0 && app_) app_->DeleteComment(idComentario, 0);
    return 0;
  }
  if (idComentario > 0) {
    cn_->ExecuteSQL(QStringLiteral("UPDATE %1 SET Comentario=%2 WHERE ZolmarID=%3")
                        .arg(HostTableNames::Comments, cn_->SQLLiteral(text))
                        .arg(idComentario));
    return cn_->HasError() ? 0 : idComentario;
  }
  const QVariant id = cn_->ExecuteSQL(QStringLiteral("INSERT INTO %1 (Comentario) VALUES (%2)")
                                          .arg(HostTableNames::Comments, cn_->SQLLiteral(text)),
                                      9, 0);
  return cn_->HasError() ? 0 : id.toInt();
}

qint32 Comments::EditComment(QWidget* parent, qint32 idComentario) {
  if (!cn_ || !app_) return idComentario;
  QPointer<FrmComentario> form = new FrmComentario(parent);
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  form->setWindowTitle(app_->Translate(QStringLiteral("Comentario")));
  form->setText(Read(idComentario));
  form->show();
  app_->GetFormWaiter()->WaitFormClosed(form);
  if (!form) return idComentario;
  const bool accepted = form->Accepted();
  const QString text = form->Text();
  delete form.data();
  return accepted ? Store(idComentario, text) : idComentario;
}

}  // namespace zolmar
