// The arboles orders that carry a tree between databases as an exchange document.

#include <QFileInfo>

#include "comando_arboles.h"
#include "host/i_app_global.h"
#include "host/i_globales.h"
#include "import/imp_exp.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/lock_manager.h"
#include "zolmar/exchange/exchange_import.h"
#include "zolmar/exchange/tree_export.h"
#include "zolmar/host.h"
#include "zolmar/services/message_markup.h"
#include "zolmar/ui/database_file_guard.h"
#include "zolmar/ui/system_error_text.h"

namespace zolmar {

int ComandoArboles::Intercambio(const QString& orden, const QStringList& argumentosOrden) {
  const bool importar = orden == QStringLiteral("import");
  QStringList resto = argumentosOrden;
  const bool exacta = importar && resto.removeAll(QStringLiteral("--exact")) > 0;
  const qsizetype argumentos = importar ? 1 : 2;
  if (resto.size() < argumentos)
    return MalUso(QStringLiteral("La orden %1 necesita %2")
                      .arg(orden, importar ? QStringLiteral("un DOCUMENTO")
                                           : QStringLiteral("un TIPO y un DOCUMENTO")));
  if (resto.size() > argumentos) return MalUso(QStringLiteral("Argumento inesperado: %1").arg(resto.last()));
  if (importar) {
    if (!QFileInfo(resto.at(0)).isFile())
      return MalUso(QStringLiteral("No existe el fichero %1").arg(resto.at(0)));
    // Read before the session opens its database: the header may still be looked at.
    if (DatabaseFileGuard::IsDatabase(resto.at(0)))
      return Error(
          QStringLiteral("El fichero %1 es una base de datos, no un documento de árbol").arg(resto.at(0)));
    if (!AbrirBase()) return Rechazado;
    return Import(resto.at(0), exacta);
  }
  bool ok = false;
  const qint32 tipo = resto.at(0).toInt(&ok);
  if (!ok || tipo < 1 || tipo > 3)
    return MalUso(QStringLiteral("El TIPO debe ser 1, 2 o 3, no %1").arg(resto.at(0)));
  if (!AbrirBase()) return Rechazado;
  return Export(tipo, resto.at(1));
}

int ComandoArboles::Import(const QString& documento, bool exacta) {
  auto handler = std::make_shared<arboles::cImp_Exp>();
  handler->Configure(taz_);
  handler->lExacta = exacta;
  ExchangeImport importacion(taz_->oAppGlobal, handler);
  const qint64 negativas = host_->locks().refusals();
  const ExchangeImport::Outcome resultado = importacion.importFile(documento);
  if (resultado.result != 0) {
    err_ << "arboles: " << SystemErrorText::Translate(MessageMarkupToPlain(resultado.status));
    if (host_->locks().refusals() != negativas) err_ << " " << host_->locks().lastHolderText();
    err_ << "\n";
    return Rechazado;
  }
  // A document without branches is no failure: its status says so.
  if (!resultado.status.isEmpty()) out_ << MessageMarkupToPlain(resultado.status) << "\n";
  out_ << QStringLiteral("Ramas creadas: %1. Ramas reutilizadas: %2.")
              .arg(resultado.created)
              .arg(resultado.reused)
       << "\n";
  // What joined a node elsewhere in the tree is worth a look before the next import.
  const QString unidas = handler->ResumenRamasUnidas();
  if (!unidas.isEmpty()) out_ << MessageMarkupToPlain(unidas) << "\n";
  return Correcto;
}

int ComandoArboles::Export(qint32 tipo, const QString& documento) {
  if (const QString rechazo = DatabaseFileGuard::OutputRefusal(documento); !rechazo.isEmpty()) {
    err_ << "arboles: " << rechazo << "\n";
    return UsoIncorrecto;
  }
  QString error;
  const qint32 ramas = TreeExport::write(*taz_->oGlobales->GetConnection(), tipo, documento, &error);
  if (ramas < 0) {
    return Error(error);
  }
  out_ << QStringLiteral("Árbol de tipo %1 escrito en %2: %3 ramas")
              .arg(QString::number(tipo), documento, QString::number(ramas))
       << "\n";
  return Correcto;
}

}  // namespace zolmar
