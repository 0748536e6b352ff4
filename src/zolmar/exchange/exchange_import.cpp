#include "zolmar/exchange/exchange_import.h"

#include <exception>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_imp_exp.h"
#include "zolmar/db/rows/row_set.h"
#include "zolmar/exchange/document_check.h"
#include "zolmar/exchange/exchange_document.h"
#include "zolmar/exchange/import_run.h"

namespace zolmar {

namespace {

const QString kTransaccion = QStringLiteral("ImportandoDocumento");

}  // namespace

ExchangeImport::ExchangeImport(std::shared_ptr<arboles::IAppGlobal> app,
                               std::shared_ptr<arboles::IImpExp> handler)
    : app_(std::move(app)), handler_(std::move(handler)) {}

ExchangeImport::Outcome ExchangeImport::importFile(const QString& path) {
  ExchangeDocument document;
  if (!document.read(path)) {
    Outcome refused;
    refused.status = document.error();
    return refused;
  }
  return importDocument(document);
}

bool ExchangeImport::countBranches(qint32 tipo, qint32* count, QString* status) {
  auto cn = app_->GetGlobales()->GetConnection();
  *count =
      cn->ExecuteSQL(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE Tipo=") + QString::number(tipo), 2, 0)
          .toInt();
  if (!cn->HasError()) return true;
  *status = QString::fromUtf8("No se pudo leer el árbol de tipo %1: %2")
                .arg(QString::number(tipo), cn->LastError());
  return false;
}

ExchangeImport::Outcome ExchangeImport::importDocument(const ExchangeDocument& document) {
  Outcome out;
  out.branches = static_cast<qint32>(document.branches().size());
  out.status = DocumentCheck::refusal(document);
  if (!out.status.isEmpty()) return out;
  if (!app_->CopiaDeSeguridad(QString::fromUtf8("Importar árbol"))) {
    out.status = QString::fromUtf8("Importación cancelada: no se hizo la copia de seguridad");
    return out;
  }
  auto cn = app_->GetGlobales()->GetConnection();
  cn->BeginTrans(kTransaccion);
  if (cn->HasError()) {
    out.status = QString::fromUtf8("No se pudo iniciar la importación: %1").arg(cn->LastError());
    return out;
  }
  auto fail = [&](const QString& status) {
    cn->RollbackTrans(kTransaccion);
    out.result = -1;
    if (out.status.isEmpty()) out.status = status;
    return out;
  };
  const qint32 tipo = document.tipoArbol();
  qint32 before = 0;
  if (!countBranches(tipo, &before, &out.status)) return fail(out.status);
  auto run = std::make_shared<ImportRun>(progress_);
  std::shared_ptr<arboles::IDataImp> oTAZ_Data_Imp = run;
  arboles::RecordsetPtr header = document.header();
  arboles::RecordsetPtr content = document.content();
  try {
    out.result = handler_->Data_Imp(oTAZ_Data_Imp, out.status, header, content);
  } catch (const std::exception& e) {
    return fail(QString::fromUtf8(e.what()));
  }
  if (out.result != 0) return fail(out.status);
  qint32 after = before;
  if (!countBranches(tipo, &after, &out.status)) return fail(out.status);
  cn->CommitTrans(kTransaccion);
  if (cn->HasError())
    return fail(QString::fromUtf8("No se pudo confirmar la importación: %1").arg(cn->LastError()));
  out.created = after - before;
  out.reused = out.branches - out.created;
  out.showSummary = run->showSummary();
  return out;
}

QString ExchangeImport::summary(const Outcome& outcome) const {
  if (!outcome.status.isEmpty()) return outcome.status;
  return app_->FormatMessage(QStringLiteral("Ramas creadas: %1. Ramas reutilizadas: %2."),
                             {outcome.created, outcome.reused});
}

}  // namespace zolmar
