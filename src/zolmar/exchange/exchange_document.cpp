#include "zolmar/exchange/exchange_document.h"

#include <QFile>
#include <QFileInfo>

#include "zolmar/db/rows/row_set.h"
#include "zolmar/exchange/exchange_document_reader.h"

namespace zolmar {

bool ExchangeDocument::read(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    name_ = QFileInfo(path).fileName();
    error_ = QStringLiteral("No se puede leer el documento %1: %2").arg(path, file.errorString());
    return false;
  }
  return parse(file.readAll(), path);
}

bool ExchangeDocument::parse(const QByteArray& bytes, const QString& name) {
  name_ = name;
  error_.clear();
  tipoDocumento_ = tipoArbol_ = 0;
  branches_.clear();
  ExchangeDocumentReader reader(*this);
  if (reader.read(bytes)) return true;
  error_ = reader.error();
  branches_.clear();
  return false;
}

std::shared_ptr<RowSet> ExchangeDocument::header() const {
  auto header =
      std::make_shared<RowSet>(QStringList{QStringLiteral("TipoDocumento"), QStringLiteral("TipoArbol")},
                               QVector<RowSet::Row>{{tipoDocumento_, tipoArbol_}}, false);
  header->Read();
  return header;
}

std::shared_ptr<RowSet> ExchangeDocument::content() const {
  QVector<RowSet::Row> rows;
  rows.reserve(branches_.size());
  for (const Branch& b : branches_)
    rows.push_back({b.zolmarID, b.idRamaOriginal, b.idRamaPadreOriginal, b.nombre});
  return std::make_shared<RowSet>(
      QStringList{QStringLiteral("zolmarID"), QStringLiteral("ID_RamaOriginal"),
                  QStringLiteral("ID_RamaPadreOriginal"), QStringLiteral("Nombre")},
      std::move(rows), false);
}

}  // namespace zolmar
